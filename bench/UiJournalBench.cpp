// Time to open the journal on its Practice tab over eight weeks of sample
// history, each time from a cold store (a new Store has read no day yet).
#include "Solitask/journal/JournalSession.h"
#include "Solitask/journal/JournalView.h"
#include "Solitask/journal/JournalWindowController.h"
#include "Solitask/journal/PracticeView.h"
#include "Solitask/session/VirtualClock.h"
#include "Solitask/witness/SampleData.h"
#include "SolitaskCore/Store.h"
#include "fakes/TestPrefs.h"

#include "OffscreenBenchMain.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

/// The journal over a store of its own: nothing to correct, no pictures.
class StoreSession : public JournalSession
{
public:
    explicit StoreSession(const QString &root)
        : m_store(root)
    {
    }
    Store &store() override { return m_store; }
    int revision() const override { return 0; }
    void correct(const QString &, std::optional<Correction>) override {}
    std::optional<QString> frameURL(const FrameMeta &) const override { return std::nullopt; }

private:
    Store m_store;
};

/// A Thursday afternoon, so this week already has days of its own.
const QDateTime now(QDate(2026, 3, 5), QTime(15, 0));

/// False when the tab fell back to its empty text: then nothing was measured.
bool showsHistory(const JournalWindowController &journal)
{
    for (const QLabel *label : journal.view()->practice()->findChildren<QLabel *>()) {
        if (label->text().startsWith(QStringLiteral("Your practice starts")))
            return false;
    }
    return true;
}

void openPractice(benchmark::State &state)
{
    TestPrefs prefs;
    QTemporaryDir root;
    Store seeded(root.path());
    SampleData::seed(seeded, now);
    VirtualClock clock(now);
    for (auto _ : state) {
        QElapsedTimer timer;
        timer.start();
        StoreSession session(root.path());
        JournalWindowController journal(session, clock, clock);
        journal.present(JournalTab::practice);
        for (int i = 0; i < 3; ++i)
            QApplication::processEvents(); // layouts settle over a few passes
        state.SetIterationTime(double(timer.nsecsElapsed()) / 1e9);
        if (!showsHistory(journal)) {
            state.SkipWithError("the practice tab shows no history");
            break;
        }
    }
}

} // namespace

BENCHMARK(openPractice)->UseManualTime()->Unit(benchmark::kMillisecond);

int main(int argc, char **argv)
{
    return runOffscreenBenchmarks(argc, argv);
}
