#include "Solitask/gate/GateResumeFace.h"

#include "Solitask/gate/ContinueButton.h"
#include "Solitask/gate/GateLooks.h"
#include "Solitask/ui/Palette.h"
#include "Solitask/ui/TextStyle.h"
#include "SolitaskCore/Formatters.h"
#include "SolitaskCore/NudgeCopy.h"

#include <QFontMetricsF>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QVBoxLayout>

#include <cmath>

namespace {
constexpr int titleMaxWidth = 900;
constexpr int thingMaxLength = 60;
} // namespace

GateResumeFace::GateResumeFace(QWidget *parent)
    : QWidget(parent)
    , m_column(new QVBoxLayout(this))
    , m_header(GateLooks::header(QString(), this))
    , m_title(GateLooks::title(QString(), this))
    , m_stats(new QLabel(this))
    , m_continue(new ContinueButton(this))
{
    m_column->setContentsMargins(0, 0, 0, 0);
    m_title->setWordWrap(true);
    m_title->setAlignment(Qt::AlignHCenter);
    m_title->setTextFormat(Qt::PlainText);
    m_stats->setObjectName(QStringLiteral("stats"));
    m_stats->setTextFormat(Qt::PlainText);
    TextStyle::ui(m_stats, 13, Palette::ink2());
    m_continue->setObjectName(QStringLiteral("continue"));
    connect(m_continue, &ContinueButton::clicked, this, &GateResumeFace::resumed);

    m_column->addWidget(m_header, 0, Qt::AlignHCenter);
    m_column->addWidget(m_title, 0, Qt::AlignHCenter);
    auto *middle = new QVBoxLayout;
    middle->setSpacing(14);
    middle->addWidget(m_continue, 0, Qt::AlignHCenter);
    middle->addWidget(m_stats, 0, Qt::AlignHCenter);
    m_column->addLayout(middle);
    m_column->addWidget(makeAnswers(), 0, Qt::AlignHCenter);
    applyForm(false);
}

QWidget *GateResumeFace::makeAnswers()
{
    auto *row = new QWidget(this);
    auto *layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(18);
    auto *done = new PlainButton(QStringLiteral("Done ✓"), GateLooks::ghost(), row);
    done->setObjectName(QStringLiteral("done"));
    auto *next = new PlainButton(QStringLiteral("Something new →"), GateLooks::ghost(), row);
    next->setObjectName(QStringLiteral("somethingNew"));
    connect(done, &PlainButton::clicked, this, &GateResumeFace::done);
    connect(next, &PlainButton::clicked, this, &GateResumeFace::somethingNew);
    layout->addWidget(done);
    layout->addWidget(next);
    return row;
}

void GateResumeFace::setFace(const GateFace &face)
{
    const QString thing = face.thing ? face.thing->text : QString();
    m_header->setText(
        QStringLiteral("BACK AFTER ") + Formatters::duration(face.awaySeconds).toUpper());
    m_title->setText(QStringLiteral("Still on ") + NudgeCopy::shortThing(thing, thingMaxLength)
        + QStringLiteral("?"));
    m_stats->setText(face.stats);
    fitTitle();
}

// A wrapped label in a centred column is given its one-line width; fix its
// width to the text (at most 900 points) and its height to the wrapped lines.
void GateResumeFace::fitTitle()
{
    if (m_title->text().isEmpty())
        return;
    const QFontMetricsF fm(m_title->font());
    const qreal room = std::min(titleMaxWidth, std::max(1, m_availableWidth));
    const int width
        = int(std::min<qreal>(room, std::ceil(fm.horizontalAdvance(m_title->text())) + 2));
    m_title->setFixedWidth(width);
    m_title->setFixedHeight(m_title->heightForWidth(width));
}

void GateResumeFace::applyForm(bool compact)
{
    m_column->setSpacing(compact ? 16 : 26);
    m_title->setFont(GateLooks::titleFont(compact ? 28 : 36));
    fitTitle();
}

void GateResumeFace::setAvailableWidth(int width)
{
    if (width == m_availableWidth)
        return;
    m_availableWidth = width;
    fitTitle();
}

// Return is the face's default action wherever the focus rests on it.
void GateResumeFace::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        m_continue->click();
        return;
    }
    QWidget::keyPressEvent(event);
}
