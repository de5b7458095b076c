#include "Solitask/witness/SelfTest.h"

#include "Solitask/platform/Capabilities.h"
#include "Solitask/platform/PlatformServices.h"
#include "Solitask/session/Prefs.h"
#include "Solitask/session/SystemClock.h"
#include "Solitask/witness/Judge.h"
#include "Solitask/witness/SampleFrames.h"
#include "Solitask/witness/Witness.h"
#include "SolitaskCore/Diag.h"
#include "SolitaskCore/FileSafety.h"
#include "SolitaskCore/Store.h"
#include "SolitaskCore/Thresholds.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QEventLoop>
#include <QFileInfo>
#include <QImageReader>
#include <QJsonArray>
#include <QJsonDocument>
#include <QTimer>
#include <QUuid>

#include <cstdio>

namespace {

QString newID()
{
    return QUuid::createUuid().toString(QUuid::WithoutBraces);
}

QString tempFolder(const QString &prefix)
{
    return QDir(QDir::tempPath()).filePath(prefix + newID());
}

QJsonObject captureReport(const FrameMeta &frame, const Witness &witness)
{
    QJsonObject capture {{QStringLiteral("caption"), frame.caption()},
        {QStringLiteral("skipped"), frame.skipped ? rawValue(*frame.skipped) : QString()}};
    if (const auto path = witness.url(frame)) {
        const QSize size = QImageReader(*path).size();
        capture.insert(
            QStringLiteral("pixels"), QStringLiteral("%1x%2").arg(size.width()).arg(size.height()));
        capture.insert(QStringLiteral("bytes"), QFileInfo(*path).size());
    }
    return capture;
}

QJsonObject witnessReport(const JudgeSelfTestReport &report)
{
    return {{QStringLiteral("model"), report.model}, {QStringLiteral("seconds"), report.seconds},
        {QStringLiteral("costUSD"), report.costUSD.value_or(0)},
        {QStringLiteral("verdict"), rawValue(report.verdict)}};
}

} // namespace

SelfTest::SelfTest(PlatformServices &platform, Judge &judge)
    : m_platform(platform)
    , m_judge(judge)
{
}

int SelfTest::run(bool withClaude, bool withCapture)
{
    const QJsonObject result = report(withClaude, withCapture);
    const QByteArray json = QJsonDocument(result).toJson(QJsonDocument::Indented);
    std::fwrite(json.constData(), 1, std::size_t(json.size()), stdout);
    std::fflush(stdout);
    return m_failures.isEmpty() ? 0 : 1;
}

QJsonObject SelfTest::report(bool withClaude, bool withCapture)
{
    m_report = {};
    m_failures.clear();
    Prefs::registerDefaults();
    checkThresholds();
    checkRoot();
    checkStore();
    checkSamples();
    reportPrefs();
    reportEnvironment();
    if (withCapture)
        checkCapture();
    if (withClaude)
        checkWitness();
    m_report.insert(QStringLiteral("failures"), QJsonArray::fromStringList(m_failures));
    return m_report;
}

bool SelfTest::runUntil(const std::function<bool()> &done, double seconds, double step)
{
    const QDeadlineTimer deadline(qint64(seconds * 1000));
    while (!done() && !deadline.hasExpired()) {
        QEventLoop loop;
        QTimer::singleShot(int(step * 1000), &loop, &QEventLoop::quit);
        loop.exec();
    }
    return done();
}

void SelfTest::checkThresholds()
{
    QList<FrameJudgment> frames;
    for (int i = 0; i < 6; ++i)
        frames.append({QStringLiteral("t%1").arg(i), QStringLiteral("l"),
            i < 4 ? Relation::on : Relation::off});
    const Verdict verdict = Thresholds::verdict(frames, 0.9);
    m_report.insert(QStringLiteral("thresholds"), rawValue(verdict));
    if (verdict != Verdict::mostly)
        m_failures.append(QStringLiteral("thresholds: expected mostly, got ") + rawValue(verdict));
}

void SelfTest::checkRoot()
{
    const QString root = Store::defaultRoot();
    FileSafety::makePrivateDir(root);
    m_report.insert(QStringLiteral("root"), root);
    if (const QString why = FileSafety::folderProblem(root); !why.isEmpty())
        m_failures.append(QStringLiteral("data folder %1: %2").arg(root, why));
    const bool open = FileSafety::writableByOthers(root);
    m_report.insert(QStringLiteral("rootWritableByOthers"), open);
    if (open)
        Diag::log(QStringLiteral("store: %1 can be written by other users").arg(root));
}

void SelfTest::checkStore()
{
    const QString root = tempFolder(QStringLiteral("solitask-selftest-"));
    const QDateTime now = QDateTime::currentDateTimeUtc();
    const Thing thing {newID(), QStringLiteral("self-test"), now, Until::untilDone(), std::nullopt,
        std::nullopt, std::nullopt};
    Store(root).upsertThing(thing);
    const std::optional<Thing> found = Store(root).openThing(now);
    const bool ok = found && found->id == thing.id;
    m_report.insert(QStringLiteral("store"), ok ? QStringLiteral("ok") : QStringLiteral("failed"));
    if (!ok)
        m_failures.append(QStringLiteral("store round-trip failed"));
    QDir(root).removeRecursively();
}

void SelfTest::checkSamples()
{
    QJsonArray sizes;
    bool tooSmall = false;
    for (const SampleFrames::Sample &sample : SampleFrames::make(SampleFrames::defaultWidth)) {
        sizes.append(sample.jpeg.size());
        tooSmall = tooSmall || sample.jpeg.size() < 5000;
    }
    m_report.insert(QStringLiteral("sampleFrames"), sizes);
    if (tooSmall)
        m_failures.append(QStringLiteral("sample frame render too small"));
}

void SelfTest::reportPrefs()
{
    m_report.insert(QStringLiteral("prefs"),
        QJsonObject {{QStringLiteral("insist"), Prefs::flag(Prefs::Key::insist)},
            {QStringLiteral("quietWeekends"), Prefs::flag(Prefs::Key::quietWeekends)},
            {QStringLiteral("cadence"), Prefs::cadenceMinutes()},
            {QStringLiteral("model"), Prefs::rawValue(Prefs::witnessModel())},
            {QStringLiteral("opacity"), Prefs::stripOpacity()}});
}

void SelfTest::reportEnvironment()
{
    const auto front = m_platform.activeApp->frontmost();
    const QString frontName
        = front && !front->name.isEmpty() ? front->name : QStringLiteral("Unknown");
    m_report.insert(QStringLiteral("screenRecording"), m_platform.screenPermission->isGranted());
    m_report.insert(QStringLiteral("claudePath"), m_judge.locateClaude().value_or(QString()));
    m_report.insert(QStringLiteral("idleSeconds"), qint64(m_platform.idle->idleSeconds()));
    m_report.insert(QStringLiteral("screenLocked"), m_platform.sessionEvents->isScreenLocked());
    m_report.insert(QStringLiteral("cameraRunning"), m_platform.camera->anyCameraRunning());
    m_report.insert(QStringLiteral("frontmost"), frontName);
    QJsonArray list;
    for (const Capability &c : capabilities(m_platform))
        list.append(
            QJsonObject {{QStringLiteral("name"), c.name}, {QStringLiteral("works"), c.works},
                {QStringLiteral("backend"), c.backend}, {QStringLiteral("advice"), c.advice}});
    m_report.insert(QStringLiteral("capabilities"), list);
}

void SelfTest::checkCapture()
{
    const QString folder = tempFolder(QStringLiteral("solitask-capture-"));
    SystemClock clock;
    {
        Witness witness(folder, m_platform, clock);
        // Shared, so that a frame arriving after the time limit writes nowhere harmful.
        auto frame = std::make_shared<std::optional<FrameMeta>>();
        witness.capture({Prefs::privateBundleIDs(), false, Prefs::frameWidth(), 600},
            [frame](FrameMeta meta) { *frame = meta; });
        if (!runUntil([&] { return frame->has_value(); }, 20, 0.1)) {
            m_failures.append(QStringLiteral("capture: timed out"));
        } else {
            const FrameMeta &meta = **frame;
            m_report.insert(QStringLiteral("capture"), captureReport(meta, witness));
            if (!meta.skipped && !witness.url(meta))
                m_failures.append(QStringLiteral("capture: no file"));
            if (const QString why = captureProblem(meta); !why.isEmpty())
                m_failures.append(QStringLiteral("capture: ") + why);
        }
    }
    QDir(folder).removeRecursively();
}

// A frame that failed, or a display whose pixels cannot be read, is a fault of
// this machine; a session without any capture backend only lacks permission.
QString SelfTest::captureProblem(const FrameMeta &frame) const
{
    if (frame.skipped == SkipReason::failed)
        return QStringLiteral("failed");
    const Support support = m_platform.screenPermission->support();
    if (frame.skipped == SkipReason::noPermission && !support.supported
        && support.reason != ScreenPermission().support().reason)
        return support.reason;
    return {};
}

void SelfTest::checkWitness()
{
    auto answer = std::make_shared<std::optional<JudgeSelfTestAnswer>>();
    m_judge.selfTest([answer](const JudgeSelfTestAnswer &a) { *answer = a; });
    if (!runUntil([&] { return answer->has_value(); }, m_judge.longestJudgementSeconds(), 0.2)) {
        m_failures.append(QStringLiteral("witness: no completion"));
        return;
    }
    if (const auto *report = std::get_if<JudgeSelfTestReport>(&**answer)) {
        m_report.insert(QStringLiteral("witness"), witnessReport(*report));
        return;
    }
    const QString message = std::get<JudgeFailure>(**answer).message();
    m_report.insert(QStringLiteral("witness"), QJsonObject {{QStringLiteral("error"), message}});
    m_failures.append(QStringLiteral("witness: ") + message);
}
