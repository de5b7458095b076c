#include "Solitask/app/AppInfo.h"
#include "Solitask/app/CommandLine.h"
#include "Solitask/app/DryRun.h"
#include "Solitask/app/OwnIdentity.h"
#include "Solitask/app/ShellRuns.h"
#include "Solitask/app/WindowShots.h"
#include "Solitask/platform/PlatformServices.h"
#include "Solitask/witness/Judge.h"
#include "Solitask/witness/PeekCommand.h"
#include "Solitask/witness/SelfTest.h"

#include <QApplication>
#include <QCoreApplication>

#include <cstdio>
#include <sys/stat.h>

namespace {

// The self-test needs no screen unless it captures; without a display it
// paints its sample frames offscreen instead of failing to start.
void paintOffscreenWithoutDisplay()
{
    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")
        && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
}

int runSelfTest(int argc, char **argv, const QStringList &args)
{
    paintOffscreenWithoutDisplay();
    QApplication app(argc, argv);
    PlatformServices platform = PlatformServices::forThisSession(ownIdentity());
    SelfTest selfTest(platform, Judge::shared());
    return selfTest.run(args.contains(QStringLiteral("--with-claude")),
                        args.contains(QStringLiteral("--with-capture")));
}

int runPeek(int argc, char **argv, const QString &file)
{
    if (file.isEmpty() || file.startsWith(QLatin1Char('-'))) {
        std::fprintf(stderr, "usage: solitask --peek FILE.jpg\n");
        return 2;
    }
    QApplication app(argc, argv);
    PlatformServices platform = PlatformServices::forThisSession(
        {{AppInfo::name(), QStringLiteral("solitask"), qint32(QCoreApplication::applicationPid())},
         QCoreApplication::applicationFilePath()});
    return PeekCommand::run(platform, file);
}

int runWindowShots(int argc, char **argv, const QString &folder)
{
    paintOffscreenWithoutDisplay();
    QApplication app(argc, argv);
    return WindowShots::render(folder) ? 0 : 1;
}

} // namespace

int main(int argc, char **argv)
{
    // Everything Solitask writes (day files, frames, preferences, the lock,
    // temporary files) is the person's alone from its first byte.
    ::umask(077);
    QStringList args;
    for (int i = 1; i < argc; ++i)
        args.append(QString::fromLocal8Bit(argv[i]));
    const CommandLine::Parsed line = CommandLine::parse(args);
    if (!line.error.isEmpty()) {
        std::fprintf(stderr, "%s: %s (see %s --help)\n", qPrintable(AppInfo::command()),
            qPrintable(line.error), qPrintable(AppInfo::command()));
        return 2;
    }
    if (line.has(QStringLiteral("--help"))) {
        std::fputs(qPrintable(CommandLine::help()), stdout);
        return 0;
    }
    if (line.has(QStringLiteral("--version"))) {
        std::printf("%s %s\n", qPrintable(AppInfo::name()), qPrintable(AppInfo::version()));
        return 0;
    }
    AppInfo::declare();
    if (line.has(QStringLiteral("--self-test")))
        return runSelfTest(argc, argv, args);
    if (line.has(QStringLiteral("--peek")))
        return runPeek(argc, argv, line.values.value(QStringLiteral("--peek")));
    if (line.has(QStringLiteral("--summon")))
        return ShellRuns::summon(argc, argv);
    if (line.has(QStringLiteral("--dry-run")))
        return DryRun::run(argc, argv);
    if (const QString folder = qEnvironmentVariable("SOLITASK_WINDOW_SHOT"); !folder.isEmpty())
        return runWindowShots(argc, argv, folder);
    // An X11 keyboard grab ends with the process that held it, so a gate lock
    // is never left behind; nothing else to reset.
    if (line.has(QStringLiteral("--reset-presentation")))
        return 0;
    return ShellRuns::run(argc, argv, args);
}
