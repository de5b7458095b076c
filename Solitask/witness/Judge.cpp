#include "Solitask/witness/Judge.h"

#include "Solitask/session/Prefs.h"
#include "Solitask/session/QtScheduler.h"
#include "Solitask/witness/ChildProcessQt.h"
#include "Solitask/witness/SampleFrames.h"
#include "SolitaskCore/Diag.h"
#include "SolitaskCore/Formatters.h"
#include "SolitaskCore/Store.h"

#include <QCoreApplication>
#include <QThreadPool>
#include <QUuid>

#include <cmath>

const QString Judge::busyMessage
    = QStringLiteral("The witness is already looking at another period.");

namespace {

bool isEmptyAnswer(const JudgeAnswer &answer)
{
    const auto *failure = std::get_if<JudgeFailure>(&answer);
    return failure && *failure == JudgeFailure::badOutput(QStringLiteral("no structured result"));
}

} // namespace

Judge::Judge(Scheduler &scheduler, Options options, QObject *parent)
    : QObject(parent)
    , m_scheduler(scheduler)
    , m_options(std::move(options))
{
    if (m_options.workingDirectory.isEmpty())
        m_options.workingDirectory = Store::defaultRoot();
    if (!m_options.makeChild)
        m_options.makeChild = [] { return std::make_unique<ChildProcessQt>(); };
}

Judge::~Judge()
{
    abort();
}

Judge &Judge::shared()
{
    static QtScheduler scheduler;
    static QPointer<Judge> judge;
    if (!judge) {
        judge = new Judge(scheduler, {}, QCoreApplication::instance());
        connect(QCoreApplication::instance(), &QCoreApplication::aboutToQuit, judge.data(),
            &Judge::abort);
    }
    return *judge;
}

std::optional<QString> Judge::locateClaude() const
{
    return m_options.locator.locate();
}

void Judge::locateClaudeLater(std::function<void(const std::optional<QString> &)> found)
{
    QPointer<Judge> self(this);
    QThreadPool::globalInstance()->start(
        [self, found = std::move(found), locator = m_options.locator, generation = m_generation] {
            const std::optional<QString> path = locator.locate();
            // The application object outlives every judge; the check runs on the main thread.
            QMetaObject::invokeMethod(
                QCoreApplication::instance(),
                [self, found, path, generation] {
                    if (self && self->m_generation == generation)
                        found(path);
                },
                Qt::QueuedConnection);
        });
}

double Judge::longestJudgementSeconds() const
{
    const double oneRun = m_options.locator.shellTimeLimit() + m_options.timeLimitSeconds
        + JudgeRun::terminateGraceSeconds + JudgeRun::resultGraceSeconds;
    return 2 * oneRun + 10;
}

void Judge::execute(
    const QByteArray &stdin, const QString &model, const QString &label, Completion completion)
{
    if (m_inFlight) {
        later([completion] { completion(JudgeFailure::failed(busyMessage)); });
        return;
    }
    m_inFlight = true;
    auto done = [this, completion](const JudgeAnswer &answer) {
        m_inFlight = false;
        completion(answer);
    };
    attempt(stdin, model, label, [=, this](const JudgeAnswer &answer) {
        if (!isEmptyAnswer(answer))
            return done(answer);
        Diag::log(QStringLiteral("judge %1: retrying once after empty result").arg(label));
        attempt(stdin, model, label, done);
    });
}

void Judge::attempt(
    const QByteArray &stdin, const QString &model, const QString &label, Completion completion)
{
    locateClaudeLater([=, this](const std::optional<QString> &path) {
        if (!path)
            return completion(JudgeFailure::cliNotFound());
        JudgeRun::Request request {*path, stdin, model, label, Prefs::budgetUSD(),
            m_options.locator.home(), m_options.workingDirectory, m_options.timeLimitSeconds,
            m_options.outputLimit};
        auto *run = new JudgeRun(m_options.makeChild(), m_scheduler, this);
        m_run = run;
        run->start(request, [this, run, completion](const JudgeAnswer &answer) {
            run->deleteLater();
            later([completion, answer] { completion(answer); });
        });
    });
}

void Judge::selfTest(SelfTestCompletion completion)
{
    locateClaudeLater([this, completion](const std::optional<QString> &path) {
        if (!path)
            return completion(JudgeFailure::cliNotFound());
        const QByteArray message = SampleFrames::selfTestMessage(QDateTime::currentDateTimeUtc());
        const QString model = Prefs::judgeModel(Prefs::witnessModel());
        execute(message, model, QStringLiteral("self-test"),
            [completion, claudePath = *path](const JudgeAnswer &answer) {
                if (const auto *failure = std::get_if<JudgeFailure>(&answer))
                    return completion(*failure);
                const auto &outcome = std::get<JudgeOutcome>(answer);
                Prefs::setValue(Prefs::Key::lastSelfTest,
                    QStringLiteral("%1 · %2 s · %3")
                        .arg(outcome.model)
                        .arg(std::llround(outcome.seconds))
                        .arg(Formatters::iso(QDateTime::currentDateTimeUtc())));
                completion(JudgeSelfTestReport {outcome.model, outcome.seconds, outcome.costUSD,
                    outcome.result.verdict, claudePath});
            });
    });
}

void Judge::abort()
{
    if (m_run) {
        m_run->abandon();
        delete m_run.data();
    }
    ++m_generation;
    m_inFlight = false;
}

void Judge::later(std::function<void()> action)
{
    QMetaObject::invokeMethod(this, std::move(action), Qt::QueuedConnection);
}
