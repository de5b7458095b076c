#include "Solitask/app/AppDelegate.h"

#include "Solitask/app/AppInfo.h"
#include "Solitask/app/AppParts.h"
#include "Solitask/app/TrayItem.h"
#include "Solitask/app/UpdaterBridge.h"
#include "Solitask/journal/JournalWindowController.h"
#include "Solitask/session/AppState.h"
#include "Solitask/settings/SettingsWindowController.h"
#include "SolitaskCore/Diag.h"
#include "SolitaskCore/Store.h"

#include <QCoreApplication>
#include <QPointer>

AppDelegate::AppDelegate(bool dryRun, QObject *parent)
    : QObject(parent)
    , m_parts(std::make_unique<AppParts>(dryRun))
{
    connect(qApp, &QCoreApplication::aboutToQuit, this, &AppDelegate::terminating);
}

AppDelegate::~AppDelegate() = default;

void AppDelegate::buildStatusItem()
{
    m_tray = std::make_unique<TrayItem>(m_parts->scheduler(), [this](QMenu &menu) {
        StatusMenu::rebuild(menu, situation(), *this);
    });
    QPointer<AppDelegate> self(this);
    m_parts->session().setStatusGlyphHandler([self](const QString &glyph) {
        if (self && self->m_tray)
            self->m_tray->setGlyph(glyph);
    });
    m_tray->show();
}

StatusMenu::Situation AppDelegate::situation()
{
    AppState &s = m_parts->session();
    return {s.mode(), s.currentThing(), s.offersClose(), s.store().writeProblem()};
}

void AppDelegate::declare()
{
    m_parts->session().showGateNow();
}

void AppDelegate::showStrip()
{
    m_parts->session().summon(QStringLiteral("menu"));
}

void AppDelegate::done()
{
    m_parts->session().finish(Outcome::done, std::nullopt);
}

void AppDelegate::switchTo(SwitchReason reason)
{
    m_parts->session().finish(Outcome::switched, reason);
}

void AppDelegate::offDuty(std::optional<int> minutes, const QString &reason)
{
    m_parts->session().goOffDuty(minutes, reason);
}

void AppDelegate::backOnDuty()
{
    m_parts->session().endOffDuty();
}

void AppDelegate::journal()
{
    m_parts->journal().present(JournalTab::today);
}

void AppDelegate::settings()
{
    m_parts->settings().show();
}

void AppDelegate::checkUpdates()
{
    if (!m_updater)
        m_updater = std::make_unique<UpdaterBridge>(AppInfo::version());
    m_updater->checkForUpdates();
}

void AppDelegate::quit()
{
    // exit, not quit: Qt 6's quit asks every window to close first, and the
    // insisting gate refuses.
    QCoreApplication::exit(0);
}

void AppDelegate::terminating()
{
    // A keyboard grab must never outlive the process.
    m_parts->platform().presentationLock->release();
    Diag::log(QStringLiteral("terminating"));
    Diag::flush();
}
