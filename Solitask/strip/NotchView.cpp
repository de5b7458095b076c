#include "Solitask/strip/NotchView.h"

#include "Solitask/session/StripModel.h"
#include "Solitask/strip/NotchChip.h"
#include "Solitask/strip/NotchMainSection.h"
#include "Solitask/strip/NotchParts.h"
#include "Solitask/strip/NotchShape.h"
#include "Solitask/strip/NotchTodaySection.h"
#include "Solitask/ui/Palette.h"

#include <QHBoxLayout>
#include <QPainter>
#include <QVBoxLayout>

NotchView::NotchView(StripModel &model, int topGap, int expandedWidth, QWidget *parent)
    : QWidget(parent)
    , m_model(model)
    , m_topGap(topGap)
    , m_expandedWidth(expandedWidth)
{
    auto *outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, topGap, 0, 0);
    outer->setSpacing(0);
    outer->setSizeConstraint(QLayout::SetFixedSize);
    connect(&m_model, &StripModel::changed, this, &NotchView::modelChanged);
    rebuild();
}

void NotchView::sync()
{
    if (m_dirty)
        rebuild();
}

void NotchView::modelChanged()
{
    m_dirty = true;
    // The closed strip ticks along all day: it is built when it shows.
    if (m_queued || !isVisible())
        return;
    // Bursts of field changes are drawn once; rebuilding later also keeps a
    // button alive while its own click is still being delivered.
    m_queued = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
            m_queued = false;
            sync();
        },
        Qt::QueuedConnection);
}

void NotchView::rebuild()
{
    m_dirty = false;
    if (m_content) {
        layout()->removeWidget(m_content);
        m_content->hide();
        // Out of the tree at once; deleted later, as a click may still be on its way out of it.
        m_content->setParent(nullptr);
        m_content->deleteLater();
    }
    m_content = buildContent();
    layout()->addWidget(m_content);
    // A layout shows a new child of a visible parent only later; size it now.
    m_content->show();
    layout()->activate();
    adjustSize();
    update();
    Q_EMIT rebuilt();
}

QWidget *NotchView::buildContent()
{
    const StripState &s = m_model.state();
    auto *content = new QWidget(this);
    content->setFixedWidth(m_expandedWidth + 2 * 18);
    auto *column = new QVBoxLayout(content);
    column->setContentsMargins(18, 12, 18, 16);
    column->setSpacing(12);
    column->addWidget(NotchMainSection::build(s, *this, m_expandedWidth));
    column->addWidget(NotchParts::divider());
    column->addWidget(NotchTodaySection::build(s, m_expandedWidth));
    column->addWidget(NotchParts::divider());
    column->addWidget(actionsRow());
    return content;
}

QWidget *NotchView::actionsRow()
{
    auto *holder = new QWidget;
    holder->setObjectName(QStringLiteral("actionsRow"));
    auto *line = new QHBoxLayout(holder);
    line->setContentsMargins(0, 0, 0, 0);
    line->setSpacing(8);
    const StripState &s = m_model.state();
    if (s.declareOffered)
        line->addWidget(NotchParts::declareChip(*this));
    if (s.closeOffered) {
        line->addWidget(NotchParts::doneChip(*this));
        line->addWidget(NotchParts::switchMenu(*this));
    }
    if (s.face == StripFace::committed)
        line->addWidget(NotchParts::offDutyMenu(*this));
    line->addStretch(1);
    line->addWidget(NotchParts::journalButton(*this));
    return holder;
}

void NotchView::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    sync();
}

void NotchView::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.fillPath(NotchShape{cornerRadius}.path(QRectF(rect())), Palette::Notch::bg());
}
