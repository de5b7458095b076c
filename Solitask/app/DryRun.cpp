#include "Solitask/app/DryRun.h"

#include "Solitask/app/AppInfo.h"
#include "Solitask/platform/fake/FakePlatform.h"
#include "Solitask/session/AppState.h"
#include "Solitask/session/HeadlessGate.h"
#include "Solitask/session/HeadlessStrip.h"
#include "Solitask/session/HeadlessWindow.h"
#include "Solitask/session/JudgeAdapter.h"
#include "Solitask/session/QtScheduler.h"
#include "Solitask/session/SessionEventsBridge.h"
#include "Solitask/session/SummonInput.h"
#include "Solitask/session/SystemClock.h"
#include "Solitask/session/TimerSlot.h"
#include "Solitask/witness/Judge.h"
#include "Solitask/witness/SwitchMeter.h"
#include "Solitask/witness/Witness.h"
#include "SolitaskCore/DayKey.h"
#include "SolitaskCore/Diag.h"
#include "SolitaskCore/FileSafety.h"
#include "SolitaskCore/InstanceLock.h"
#include "SolitaskCore/Store.h"

#include <QGuiApplication>
#include <QJsonDocument>
#include <QJsonObject>

#include <cstdio>
#include <memory>

namespace {

constexpr double kTimeLimit = 90;

class NoSummon : public SummonInput
{
public:
    void setHandler(std::function<void()>) override { }
    void start() override { }
    void stop() override { }
};

/// One run of the script; lives until it reports.
class Script
{
public:
    Script(AppState &state, Clock &clock, Scheduler &scheduler, std::function<void(int)> done)
        : m_state(state)
        , m_clock(clock)
        , m_poll(scheduler)
        , m_finishLater(scheduler)
        , m_started(clock.now())
        , m_done(std::move(done))
    {
    }

    void begin()
    {
        Diag::log(QStringLiteral("dry-run: start"));
        m_state.declare(QStringLiteral("Finish the pricing page"), Until::untilDone());
        m_poll.repeating(0.5, [this] { step(); });
    }

private:
    std::optional<Thing> thingUnderTest()
    {
        if (m_state.currentThing())
            return m_state.currentThing();
        const DayLog log = m_state.store().log(m_clock.now());
        return log.things.isEmpty() ? std::nullopt : std::optional(log.things.last());
    }

    void step()
    {
        const double elapsed = double(m_started.msecsTo(m_clock.now())) / 1000.0;
        const std::optional<Thing> thing = thingUnderTest();
        const QList<HourRecord> hours
            = thing ? m_state.store().hours(thing->id, thing->declaredAt) : QList<HourRecord> {};
        if (m_phase == QLatin1String("judging"))
            watchForVerdict(hours);
        else if (thing && !thing->isOpen())
            return finish(thing, hours, true, {}, elapsed);
        if (elapsed > kTimeLimit)
            finish(thing, hours, false, QStringLiteral("timeout in phase ") + m_phase, elapsed);
    }

    void watchForVerdict(const QList<HourRecord> &hours)
    {
        for (const HourRecord &hour : hours) {
            if (hour.status == HourStatus::quiet)
                continue;
            m_phase = QStringLiteral("closing");
            Diag::log(QStringLiteral("dry-run: verdict %1 %2")
                          .arg(rawValue(hour.status),
                              hour.result ? rawValue(hour.result->verdict) : QStringLiteral("-")));
            m_finishLater.once(1.0, [this] { m_state.finish(Outcome::done, std::nullopt); });
            return;
        }
    }

    void finish(const std::optional<Thing> &thing, const QList<HourRecord> &hours, bool ok,
        QString note, double seconds)
    {
        m_poll.cancel();
        // A run whose record never reached the disk did not succeed.
        if (const QString problem = m_state.store().writeProblem(); ok && !problem.isEmpty()) {
            ok = false;
            note = QStringLiteral("not saved: ") + problem;
        }
        const QVariantMap report
            = DryRun::report(m_state, thing ? &*thing : nullptr, hours, ok, note, seconds);
        const QByteArray json = QJsonDocument(QJsonObject::fromVariantMap(report)).toJson();
        std::fwrite(json.constData(), 1, size_t(json.size()), stdout);
        std::fflush(stdout);
        m_done(ok && !json.isEmpty() ? 0 : 1);
    }

    AppState &m_state;
    Clock &m_clock;
    TimerSlot m_poll;
    TimerSlot m_finishLater;
    QDateTime m_started;
    QString m_phase = QStringLiteral("judging");
    std::function<void(int)> m_done;
};

std::unique_ptr<Script> g_script;

// The dry run writes real day files, so it owns the root like the application
// does: two writers of one root lose each other's records.
QString claimRoot(InstanceLock &lock)
{
    const QString root = Store::defaultRoot();
    FileSafety::makePrivateDir(root);
    if (const QString why = FileSafety::folderProblem(root); !why.isEmpty())
        return QStringLiteral("cannot use the data folder %1: %2").arg(root, why);
    switch (lock.acquire()) {
    case InstanceLock::State::owned:
        return {};
    case InstanceLock::State::heldByOther:
        return QStringLiteral("another Solitask owns %1; the dry run does not write beside it")
            .arg(root);
    case InstanceLock::State::failed:
        break;
    }
    return QStringLiteral("cannot lock %1: %2").arg(lock.path(), lock.problem());
}

} // namespace

void DryRun::start(
    AppState &state, Clock &clock, Scheduler &scheduler, std::function<void(int)> done)
{
    g_script = std::make_unique<Script>(state, clock, scheduler, std::move(done));
    g_script->begin();
}

QVariantMap DryRun::report(const AppState &state, const Thing *thing,
    const QList<HourRecord> &hours, bool ok, const QString &note, double seconds)
{
    const HourRecord *hour = nullptr;
    for (const HourRecord &candidate : hours) {
        if (candidate.status != HourStatus::quiet) {
            hour = &candidate;
            break;
        }
    }
    const std::optional<JudgeResult> result = hour ? hour->result : std::nullopt;
    return {
        {QStringLiteral("ok"), ok},
        {QStringLiteral("note"), note},
        {QStringLiteral("thing"), thing ? thing->text : QString()},
        {QStringLiteral("outcome"),
            thing && thing->outcome ? rawValue(*thing->outcome) : QString()},
        {QStringLiteral("hourStatus"), hour ? rawValue(hour->status) : QString()},
        {QStringLiteral("verdict"), result ? rawValue(result->verdict) : QString()},
        {QStringLiteral("threads"), result ? result->threads : QStringList()},
        {QStringLiteral("frames"), hour ? int(hour->frames.size()) : 0},
        {QStringLiteral("usableFrames"), hour ? hour->usableFrameCount() : 0},
        {QStringLiteral("switches"), hour ? hour->switches : 0},
        {QStringLiteral("model"), hour ? hour->model.value_or(QString()) : QString()},
        {QStringLiteral("costUSD"), hour ? hour->costUSD.value_or(0) : 0.0},
        {QStringLiteral("error"), hour ? hour->error.value_or(QString()) : QString()},
        {QStringLiteral("stripDot"), rawValue(state.strip().state().dot)},
        {QStringLiteral("stripNudge"), state.strip().state().nudge.value_or(QString())},
        {QStringLiteral("seconds"), seconds},
        {QStringLiteral("mode"), state.mode().printed()},
    };
}

int DryRun::run(int argc, char **argv)
{
    enabled = true;
    // The sample frames are painted; no screen is needed for that.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    InstanceLock lock(Store::defaultRoot());
    if (const QString problem = claimRoot(lock); !problem.isEmpty()) {
        std::fprintf(stderr, "solitask: %s\n", qPrintable(problem));
        return 1;
    }
    SystemClock clock;
    QtScheduler scheduler;
    Store store;
    FakePlatform platform;
    Witness witness(store.framesDir(), platform.services, clock);
    SwitchMeter meter(*platform.services.activeApp, AppInfo::id(), clock);
    JudgeAdapter judge(Judge::shared());
    HeadlessGate gate;
    HeadlessWindow journal;
    HeadlessWindow onboarding;
    SessionEventsBridge system(*platform.services.sessionEvents);
    NoSummon hotKeys;
    NoSummon tapDetector;
    SessionParts parts {clock, scheduler, store, witness, meter, judge, gate, {}, journal,
        onboarding, system, hotKeys, tapDetector, {}, {}, true};
    parts.makeStripPanel = [](StripModel &model) { return std::make_unique<HeadlessStrip>(model); };
    AppState state(std::move(parts));
    state.shortenedBoot();
    int status = 1;
    start(state, clock, scheduler, [&](int code) {
        status = code;
        QCoreApplication::exit(code);
    });
    app.exec();
    g_script.reset();
    Diag::flush();
    return status;
}
