#include "Solitask/app/ShellRuns.h"

#include "Solitask/app/AppDelegate.h"
#include "Solitask/app/AppIcon.h"
#include "Solitask/app/AppParts.h"
#include "Solitask/app/DryRun.h"
#include "Solitask/app/QuitOnSignal.h"
#include "Solitask/app/SingleInstance.h"
#include "Solitask/app/WindowCheck.h"
#include "Solitask/gate/GateShot.h"
#include "Solitask/journal/JournalWindowController.h"
#include "Solitask/session/AppState.h"
#include "Solitask/session/Prefs.h"
#include "Solitask/settings/SettingsWindowController.h"
#include "Solitask/strip/StripPanel.h"
#include "Solitask/strip/StripShot.h"
#include "Solitask/strip/StripWindow.h"
#include "SolitaskCore/Diag.h"
#include "SolitaskCore/Store.h"

#include <QApplication>
#include <QJsonDocument>

#include <cstdio>

namespace ShellRuns {

namespace {

bool hasDisplay()
{
    return !qEnvironmentVariableIsEmpty("DISPLAY") || !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
}

/// The X11 backends need the xcb platform; screenshots need no screen at all.
void choosePlatform(bool offscreen)
{
    if (!qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        return;
    if (offscreen)
        qputenv("QT_QPA_PLATFORM", "offscreen");
    else if (!qEnvironmentVariableIsEmpty("DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "xcb");
}

void later(AppParts &parts, double seconds, std::function<void()> action)
{
    parts.scheduler().once(seconds, std::move(action));
}

int stripShot(const QString &path)
{
    DryRun::enabled = true;
    AppDelegate delegate(true);
    AppParts &parts = delegate.parts();
    parts.session().shortenedBoot();
    StripPanel *panel = parts.strip();
    if (!panel)
        return 1;
    StripShot::apply(parts.session().strip());
    panel->window().setGeometry(-6000, -6000, 10, 10);
    panel->presentTransient(std::nullopt);
    panel->relayout();
    int status = 1;
    later(parts, stripShotDelay, [&] {
        status = StripShot::write(path, panel->view()) ? 0 : 1;
        QCoreApplication::exit(0);
    });
    QApplication::exec();
    return status;
}

int gateShots(const QString &prefix)
{
    SystemClock clock;
    const QDateTime now = clock.now();
    Thing thing;
    thing.id = QStringLiteral("sample");
    thing.text = QStringLiteral("Finish the pricing page");
    thing.declaredAt = now.addSecs(-3 * 3600);
    GateShot::Scene question;
    GateShot::Scene resume;
    resume.face = GateFace::resume(
        thing, 2280,
        QStringLiteral("Declared 9:02 \u00b7 2 of 2 hours aligned \u00b7 2 h 51 m so far"));
    const bool ok = GateShot::write(prefix + QStringLiteral("-question.png"), question, clock)
                    && GateShot::write(prefix + QStringLiteral("-resume.png"), resume, clock);
    return ok ? 0 : 1;
}

int windowCheck()
{
    Prefs::setValue(Prefs::Key::onboardingDone, true);
    AppDelegate delegate(false);
    AppParts &parts = delegate.parts();
    parts.session().shortenedBoot();
    later(parts, windowCheckDelay, [&] {
        parts.settings().show();
        parts.journal().present(JournalTab::today);
        later(parts, windowCheckReport, [] {
            const QByteArray json = QJsonDocument(WindowCheck::report()).toJson();
            std::fwrite(json.constData(), 1, size_t(json.size()), stdout);
            std::fflush(stdout);
            QCoreApplication::exit(0);
        });
    });
    return QApplication::exec();
}

/// Takes the store root, or hands over to the process that has it: the exit
/// status to end with then, none to go on.
std::optional<int> claimRoot(SingleInstance &instance)
{
    switch (instance.claim()) {
    case SingleInstance::Claim::owner:
        return std::nullopt;
    case SingleInstance::Claim::handedOver:
        return 0;
    case SingleInstance::Claim::failed:
        break;
    }
    std::fprintf(stderr, "solitask: %s\n", qPrintable(instance.problem()));
    return 1;
}

/// The runs that own the store: the tray application and the gate preview.
int owningRun(bool preview)
{
    SingleInstance instance(Store::defaultRoot());
    if (const auto status = claimRoot(instance))
        return *status;
    QuitOnSignal quitOnSignal;
    AppDelegate delegate(false);
    AppState &session = delegate.parts().session();
    instance.onSummon = [&session] { session.summon(QStringLiteral("second launch")); };
    if (!delegate.parts().platform().loginItem->refresh())
        Diag::log(QStringLiteral("login item: cannot point it at this installation"));
    if (preview) {
        Prefs::setValue(Prefs::Key::onboardingDone, true);
        const QVariant insist = Prefs::value(Prefs::Key::insist);
        Prefs::setValue(Prefs::Key::insist, false);
        later(delegate.parts(), previewSeconds, [insist] {
            Prefs::setValue(Prefs::Key::insist, insist);
            QCoreApplication::exit(0);
        });
    }
    delegate.buildStatusItem();
    session.boot();
    if (preview)
        session.showGateNow();
    return QApplication::exec();
}

} // namespace

int summon(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QString why;
    if (SingleInstance::summon(Store::defaultRoot(), &why))
        return 0;
    std::fprintf(stderr, "solitask: no running Solitask answered (%s)\n", qPrintable(why));
    return 1;
}

int run(int argc, char **argv, const QStringList &args)
{
    const QString stripPath = qEnvironmentVariable("SOLITASK_SHOT");
    const QString gatePrefix = qEnvironmentVariable("SOLITASK_GATE_SHOT");
    const bool shot = !stripPath.isEmpty() || !gatePrefix.isEmpty();
    if (!shot && !hasDisplay() && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        std::fprintf(stderr, "solitask: no display found (DISPLAY is not set).\n"
                             "  Run it inside an X11 session, or try the headless dry run: "
                             "solitask --dry-run\n");
        return 1;
    }
    choosePlatform(shot);
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    QApplication::setWindowIcon(AppIcon::load());
    Prefs::registerDefaults();
    if (args.contains(QStringLiteral("--window-check")))
        return windowCheck();
    if (!stripPath.isEmpty())
        return stripShot(stripPath);
    if (!gatePrefix.isEmpty())
        return gateShots(gatePrefix);
    return owningRun(args.contains(QStringLiteral("--preview-gate")));
}

} // namespace ShellRuns
