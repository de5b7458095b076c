// Wall time from launching the real binary to its gate asking the question:
// a fresh store and preferences per launch, painted offscreen, timed until
// diag.log carries the gate's line, then the process is killed.
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QSettings>
#include <QTemporaryDir>
#include <QThread>
#include <benchmark/benchmark.h>

namespace {

/// Onboarding finished and never quiet, so a launch goes straight to the gate.
void presetPrefs(const QTemporaryDir &home)
{
    QSettings prefs(home.filePath("config/Solitask/Solitask.conf"), QSettings::IniFormat);
    prefs.setValue("onboardingDone", true);
    prefs.setValue("quietWeekends", false);
    prefs.setValue("quietStartMinutes", 0);
    prefs.setValue("quietEndMinutes", 0);
    prefs.sync();
}

QProcessEnvironment environmentFor(const QTemporaryDir &home)
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("HOME", home.path());
    env.insert("XDG_CONFIG_HOME", home.filePath("config"));
    env.insert("SOLITASK_ROOT", home.filePath("root"));
    env.insert("QT_QPA_PLATFORM", "offscreen");
    return env;
}

bool logContains(const QString &path, const QByteArray &line)
{
    QFile log(path);
    return log.open(QIODevice::ReadOnly) && log.readAll().contains(line);
}

/// Polls diag.log until the gate's line appears; false on exit or timeout.
bool waitForGate(const QProcess &process, const QString &logPath)
{
    QDeadlineTimer deadline(20000);
    while (!logContains(logPath, "gate shown: question")) {
        if (deadline.hasExpired() || process.state() == QProcess::NotRunning)
            return false;
        QThread::msleep(2);
    }
    return true;
}

void stop(QProcess &process)
{
    process.kill();
    process.waitForFinished(5000);
}

void launchToGate(benchmark::State &state)
{
    for (auto _ : state) {
        QTemporaryDir home;
        presetPrefs(home);
        QProcess process;
        process.setProcessEnvironment(environmentFor(home));
        QElapsedTimer timer;
        timer.start();
        process.start(SOLITASK_BINARY, {});
        const bool shown = waitForGate(process, QDir(home.filePath("root")).filePath("diag.log"));
        state.SetIterationTime(double(timer.nsecsElapsed()) / 1e9);
        stop(process);
        if (!shown) {
            state.SkipWithError("the gate never showed");
            break;
        }
    }
}

} // namespace

BENCHMARK(launchToGate)->UseManualTime()->Iterations(8)->Unit(benchmark::kMillisecond);

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
