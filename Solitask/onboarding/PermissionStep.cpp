#include "Solitask/onboarding/PermissionStep.h"

#include "Solitask/journal/TextLabel.h"
#include "Solitask/onboarding/StepParts.h"
#include "Solitask/platform/Capabilities.h"
#include "Solitask/platform/ScreenPermission.h"
#include "Solitask/ui/Palette.h"
#include "Solitask/ui/ClearLayout.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
QString note(ScreenPermission *permission)
{
    if (permission && permission->support().supported && !permission->about().isEmpty())
        return permission->about();
    if (permission && permission->support().supported)
        return QStringLiteral("This desktop lets programs see the screen without asking, so there "
                              "is nothing to grant here.");
    const QString why = permission ? permission->support().reason : QStringLiteral("no backend");
    return QStringLiteral("This session does not let Solitask see the screen (") + why
        + QStringLiteral("). The witness will record skipped frames until it does.");
}

QString sessionSummary(const QList<Capability> &capabilities)
{
    QStringList lines;
    for (const Capability &c : capabilities) {
        lines << (c.works ? QStringLiteral("✓ %1 (%2)").arg(c.name, c.backend)
                          : QStringLiteral("✗ %1: %2").arg(c.name, c.advice));
    }
    return lines.join(u'\n');
}
} // namespace

PermissionStep::PermissionStep(ScreenPermission *permission, std::function<void()> next,
                               std::function<void()> back, const QList<Capability> &capabilities,
                               QWidget *parent)
    : QWidget(parent)
    , m_permission(permission)
    , m_next(std::move(next))
    , m_back(std::move(back))
    , m_actions(new QVBoxLayout)
{
    auto *column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(14);
    column->addWidget(StepParts::header(QStringLiteral("2 OF 3"),
                                        QStringLiteral("One permission: Screen Recording.")));
    column->addWidget(StepParts::body(QStringLiteral(
        "It’s how the witness sees your screen every three minutes. It is the only permission "
        "Solitask asks for — no Accessibility, no microphone, no camera.")));
    column->addWidget(StepParts::body(note(permission), 12));
    if (!capabilities.isEmpty()) {
        auto *summary = StepParts::body(sessionSummary(capabilities), 12);
        summary->setObjectName(QStringLiteral("capabilities"));
        column->addWidget(summary);
    }
    column->addStretch();
    m_actions->setSpacing(12);
    column->addLayout(m_actions);
    m_poll.setInterval(1000);
    connect(&m_poll, &QTimer::timeout, this, &PermissionStep::recheck);
    m_granted = m_permission && m_permission->isGranted();
    rebuild();
}

void PermissionStep::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    recheck();
    m_poll.start();
}

void PermissionStep::hideEvent(QHideEvent *event)
{
    m_poll.stop();
    QWidget::hideEvent(event);
}

void PermissionStep::recheck()
{
    const bool now = m_permission && m_permission->isGranted();
    if (now == m_granted)
        return;
    m_granted = now;
    rebuild();
}

void PermissionStep::checkByHand()
{
    m_granted = m_permission && m_permission->isGranted();
    m_checkedByHand = true;
    rebuild();
}

void PermissionStep::openSettings()
{
    if (!m_permission)
        return;
    m_permission->request();
    m_advice = m_permission->openSystemSettings();
    recheck();
    rebuild();
}

void PermissionStep::rebuild()
{
    clearLayout(m_actions);
    if (m_granted) {
        auto *done = textLabel(QStringLiteral("✓ Granted"), 13, Palette::mintText(), QFont::Medium);
        done->setObjectName(QStringLiteral("granted"));
        m_actions->addWidget(done);
        m_actions->addWidget(StepParts::buttons(
            m_back, {StepParts::primary(QStringLiteral("Continue"), m_next)}));
        return;
    }
    auto *row = new QWidget;
    auto *buttons = new QHBoxLayout(row);
    buttons->setContentsMargins(0, 0, 0, 0);
    buttons->addWidget(StepParts::primary(QStringLiteral("Open System Settings"),
                                          [this] { openSettings(); }));
    buttons->addWidget(StepParts::secondary(QStringLiteral("I’ve granted it"),
                                            [this] { checkByHand(); }));
    buttons->addStretch();
    m_actions->addWidget(row);
    if (!m_advice.isEmpty())
        m_actions->addWidget(StepParts::body(m_advice, 12));
    if (m_checkedByHand) {
        auto *no = StepParts::body(QStringLiteral("Still no: this session does not allow screen "
                                                  "capture. Solitask works in an X11 session."),
                                   12);
        no->setObjectName(QStringLiteral("stillNo"));
        m_actions->addWidget(no);
    }
    m_actions->addWidget(StepParts::buttons(
        m_back, {StepParts::secondary(QStringLiteral("Continue anyway"), m_next)}));
}
