#include "Solitask/settings/SelfTestPanel.h"

#include "Solitask/journal/DF.h"
#include "Solitask/journal/Dot.h"
#include "Solitask/journal/TextLabel.h"
#include "Solitask/ui/Palette.h"
#include "Solitask/ui/SecondaryButtonStyle.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

#include <cmath>

SelfTestPanel::SelfTestPanel(const QString &buttonTitle, SelfTestPort port, QWidget *parent)
    : QWidget(parent)
    , m_port(std::move(port))
    , m_button(new QPushButton(buttonTitle))
    , m_status(new QWidget)
    , m_statusRow(new QHBoxLayout(m_status))
{
    auto *column = new QVBoxLayout(this);
    column->setContentsMargins(14, 10, 14, 10);
    column->setSpacing(6);
    auto *row = new QHBoxLayout;
    row->addWidget(textLabel(QStringLiteral("Self-test on sample frames"), 13, Palette::ink()));
    row->addStretch();
    SecondaryButtonStyle::apply(m_button);
    row->addWidget(m_button);
    column->addLayout(row);
    m_statusRow->setContentsMargins(0, 0, 0, 0);
    m_statusRow->setSpacing(8);
    column->addWidget(m_status);
    m_status->hide();
    connect(m_button, &QPushButton::clicked, this, &SelfTestPanel::run);
}

void SelfTestPanel::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (!m_located)
        locate();
}

void SelfTestPanel::locate()
{
    m_located = true;
    if (!m_port.locate)
        return located(std::nullopt);
    QPointer<SelfTestPanel> self(this);
    m_port.locate([self](const std::optional<QString> &path) {
        if (self) // the answer is dropped with the panel
            self->located(path);
    });
}

void SelfTestPanel::located(const std::optional<QString> &path)
{
    if (!m_claudePath)
        m_claudePath = path;
    if (m_phase == Phase::idle && !m_claudePath)
        showStatus({}, QStringLiteral("Claude Code wasn’t found"), Palette::ink());
}

void SelfTestPanel::run()
{
    if (!m_located)
        locate();
    m_phase = Phase::running;
    showStatus({}, QStringLiteral("Asking the witness…"), Palette::ink2());
    auto *busy = new QProgressBar;
    busy->setRange(0, 0);
    busy->setFixedSize(40, 6);
    busy->setTextVisible(false);
    m_statusRow->insertWidget(0, busy);
    QPointer<SelfTestPanel> self(this);
    if (!m_port.run) {
        completed(JudgeFailure::cliNotFound());
        return;
    }
    m_port.run([self](const JudgeSelfTestAnswer &answer) {
        if (self) // the result is dropped with the panel
            self->completed(answer);
    });
}

void SelfTestPanel::completed(const JudgeSelfTestAnswer &answer)
{
    if (const auto *report = std::get_if<JudgeSelfTestReport>(&answer)) {
        m_phase = Phase::ready;
        if (!report->claudePath.isEmpty())
            m_claudePath = report->claudePath;
        showStatus(Palette::mint(), QStringLiteral("Witness ready"), Palette::ink(),
                   DF::modelName(report->model) + QStringLiteral(" · ")
                       + QString::number(qint64(std::lround(report->seconds))) + QStringLiteral(" s"));
        return;
    }
    m_phase = Phase::failed;
    showStatus(Palette::apricot(), std::get<JudgeFailure>(answer).message(), Palette::apricotText());
}

void SelfTestPanel::showStatus(const QColor &dot, const QString &text, const QColor &ink,
                               const QString &detail)
{
    while (QLayoutItem *item = m_statusRow->takeAt(0)) {
        delete item->widget();
        delete item;
    }
    if (dot.isValid())
        m_statusRow->addWidget(new Dot(7, dot, false), 0, Qt::AlignVCenter);
    auto *label = textLabel(text, 12, ink);
    label->setObjectName(QStringLiteral("status"));
    label->setWordWrap(true);
    m_statusRow->addWidget(label, detail.isEmpty() ? 1 : 0);
    if (!detail.isEmpty())
        m_statusRow->addWidget(textLabel(detail, 12, Palette::ink2()), 1);
    m_status->show();
}

QString SelfTestPanel::statusText() const
{
    const auto *label = m_status->findChild<QLabel *>(QStringLiteral("status"));
    return label && !m_status->isHidden() ? label->text() : QString();
}

void SelfTestPanel::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    QPainterPath shape;
    shape.addRoundedRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5), 10, 10);
    p.fillPath(shape, Palette::withOpacity(Palette::wash(), 0.04));
}
