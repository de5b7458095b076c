#pragma once

// A whole session on virtual time: scripted witness, switch meter and judge,
// headless gate and strip, a store in a temporary folder, pinned calendar.

#include "Solitask/session/AppState.h"
#include "Solitask/session/HeadlessGate.h"
#include "Solitask/session/HeadlessStrip.h"
#include "Solitask/session/HeadlessWindow.h"
#include "Solitask/session/JudgePort.h"
#include "Solitask/session/Prefs.h"
#include "Solitask/session/SummonInput.h"
#include "Solitask/session/SwitchMeterPort.h"
#include "Solitask/session/SystemEventSource.h"
#include "Solitask/session/VirtualClock.h"
#include "Solitask/session/WitnessPort.h"
#include "SolitaskCore/Diag.h"
#include "SolitaskCore/Store.h"
#include "fakes/TestPrefs.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <deque>
#include <memory>

class ScriptedWitness : public WitnessPort
{
public:
    explicit ScriptedWitness(Clock &clock, QString dir)
        : m_clock(clock)
        , m_dir(std::move(dir))
    {
        QDir().mkpath(m_dir);
    }

    /// Frames to come: none is a real frame, else the skip reason.
    std::deque<std::optional<SkipReason>> script;
    /// Used when the script is empty.
    std::optional<SkipReason> steady;
    QList<CaptureRequest> requests;
    QList<int> cleanups;
    bool locked = false;
    bool permitted = true;

    void capture(const CaptureRequest &request, std::function<void(FrameMeta)> done) override
    {
        requests.append(request);
        std::optional<SkipReason> skip = steady;
        if (!script.empty()) {
            skip = script.front();
            script.pop_front();
        }
        done(frame(skip));
    }
    FrameMeta fakeCapture(int) override { return frame(std::nullopt); }
    void cleanup(int retentionHours, const QSet<QString> &, const QDateTime &) override
    {
        cleanups.append(retentionHours);
    }
    QString framesDir() const override { return m_dir; }
    bool isScreenLocked() const override { return locked; }
    bool canCapture() const override { return permitted; }

private:
    FrameMeta frame(std::optional<SkipReason> skip)
    {
        FrameMeta meta;
        meta.id = QString::number(++m_count);
        meta.time = m_clock.now();
        meta.appName = "Editor";
        meta.bundleID = "org.example.editor";
        meta.windowTitle = "pricing.md";
        meta.skipped = skip;
        if (!skip) {
            meta.file = QStringLiteral("f%1.jpg").arg(m_count);
            QFile file(QDir(m_dir).filePath(*meta.file));
            if (file.open(QIODevice::WriteOnly))
                file.write("jpeg");
        }
        return meta;
    }

    Clock &m_clock;
    QString m_dir;
    int m_count = 0;
};

class ScriptedMeter : public SwitchMeterPort
{
public:
    qint64 switches = 0;

    SwitchCounts snapshot(const QDateTime &) override { return {switches, 2, {}}; }
    void restart() override { switches = 0; }
};

/// Holds every request until the test answers it.
class ScriptedJudge : public JudgePort
{
public:
    struct Request
    {
        QByteArray input;
        QString model;
        QString label;
        std::function<void(const JudgeAnswer &)> completion;
    };
    std::deque<Request> pending;
    QList<Request> seen;
    bool busy = false;
    /// When set, every request is answered at once with what it returns.
    std::function<JudgeAnswer()> autoAnswer;

    bool inFlight() const override { return busy || !pending.empty(); }
    void execute(const QByteArray &input, const QString &model, const QString &label,
        std::function<void(const JudgeAnswer &)> completion) override
    {
        Request request {input, model, label, std::move(completion)};
        seen.append(request);
        if (autoAnswer)
            return request.completion(autoAnswer());
        pending.push_back(std::move(request));
    }
    /// Answers the oldest request.
    void answer(const JudgeAnswer &answer)
    {
        Request request = std::move(pending.front());
        pending.pop_front();
        request.completion(answer);
    }
};

class RecordingSystem : public SystemEventSource
{
public:
    SystemHandlers handlers;
    void subscribe(SystemHandlers h) override { handlers = std::move(h); }
};

class RecordingSummon : public SummonInput
{
public:
    std::function<void()> handler;
    bool running = false;
    void setHandler(std::function<void()> h) override { handler = std::move(h); }
    void start() override { running = true; }
    void stop() override { running = false; }
};

inline JudgeResult resultOf(Verdict verdict, int threads = 2)
{
    JudgeResult result;
    result.verdict = verdict;
    const Relation relation = verdict == Verdict::aligned ? Relation::on
        : verdict == Verdict::away                        ? Relation::off
                                                          : Relation::adjacent;
    for (int i = 0; i < 3; ++i)
        result.frames.append({QString::number(i), "x", relation});
    for (int i = 0; i < threads; ++i)
        result.threads.append(QStringLiteral("thread %1").arg(i));
    result.confidence = 0.9;
    return result;
}

inline JudgeAnswer judged(Verdict verdict, int threads = 2)
{
    return JudgeOutcome {resultOf(verdict, threads), "claude-sonnet-5", 4.5, 0.02, 4000};
}

/// A UTC time in March 2026; the 2nd is a Monday.
inline QDateTime march(int day, int hour, int minute = 0, int second = 0)
{
    return QDateTime(QDate(2026, 3, day), QTime(hour, minute, second), QTimeZone::utc());
}

struct SessionHarness
{
    explicit SessionHarness(const QDateTime &start = march(2, 9), QTimeZone zone = QTimeZone::utc())
        : clock(start)
        , store(root.path(), Calendar(zone))
        , witness(clock, store.framesDir())
    {
        Diag::setRoot(root.path());
        Prefs::setValue(Prefs::Key::onboardingDone, true);
        makeState();
    }

    /// A new process on the same folder `seconds` later: nothing kept in memory.
    void relaunch(double seconds)
    {
        state.reset();
        judge.pending.clear();
        clock.advance(seconds);
        store = Store(root.path(), store.calendar());
        gate = HeadlessGate();
        makeState();
        state->boot();
    }

    void makeState()
    {
        SessionParts parts {clock, clock, store, witness, meter, judge, gate, {}, journal,
            onboarding, system, hotKeys, tapDetector, {}, {}, false};
        parts.makeStripPanel = [this](StripModel &model) {
            auto panel = std::make_unique<HeadlessStrip>(model);
            strip = panel.get();
            return panel;
        };
        parts.playNudgeSound = [this] { ++sounds; };
        parts.terminate = [this] { terminated = true; };
        state = std::make_unique<AppState>(std::move(parts));
        state->setStatusGlyphHandler([this](const QString &glyph) { glyphs.append(glyph); });
    }

    /// Boots and declares a solitask at once.
    void declare(const QString &text = "Write", const Until &until = Until::untilDone())
    {
        state->boot();
        gate.callbacks().onDeclare(text, until);
    }
    /// Runs until the judge has been asked `count` times in all.
    bool untilJudged(int count)
    {
        for (int i = 0; i < 2000 && judge.seen.size() < count; ++i)
            clock.advance(30);
        return judge.seen.size() == count;
    }
    double elapsed() const { return double(start.msecsTo(clock.now())) / 1000.0; }
    /// Advances to `seconds` after the start.
    void at(double seconds) { clock.advance(seconds - elapsed()); }
    const StripState &strip_() const { return state->strip().state(); }
    QList<HourRecord> hours() const
    {
        return state->currentThing() ? const_cast<Store &>(store).hours(
                   state->currentThing()->id, state->currentThing()->declaredAt)
                                     : QList<HourRecord> {};
    }

    TestPrefs prefs;
    QTemporaryDir root;
    VirtualClock clock;
    QDateTime start = clock.now();
    Store store;
    ScriptedWitness witness;
    ScriptedMeter meter;
    ScriptedJudge judge;
    HeadlessGate gate;
    HeadlessWindow journal;
    HeadlessWindow onboarding;
    RecordingSystem system;
    RecordingSummon hotKeys;
    RecordingSummon tapDetector;
    HeadlessStrip *strip = nullptr;
    int sounds = 0;
    bool terminated = false;
    QStringList glyphs;
    std::unique_ptr<AppState> state;
};
