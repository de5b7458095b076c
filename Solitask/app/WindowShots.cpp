#include "Solitask/app/WindowShots.h"

#include "Solitask/journal/JournalSession.h"
#include "Solitask/journal/JournalView.h"
#include "Solitask/onboarding/OnboardingView.h"
#include "Solitask/session/Prefs.h"
#include "Solitask/session/QtScheduler.h"
#include "Solitask/session/SystemClock.h"
#include "Solitask/settings/SettingsView.h"
#include "Solitask/witness/SampleData.h"
#include "SolitaskCore/Diag.h"
#include "SolitaskCore/Store.h"

#include <QApplication>
#include <QDir>
#include <QPixmap>
#include <QTemporaryDir>

namespace WindowShots {
namespace {

/// The journal over a scratch store: no session, nothing to correct.
class ScratchSession : public JournalSession
{
public:
    explicit ScratchSession(Store &store)
        : m_store(store)
    {
    }
    Store &store() override { return m_store; }
    int revision() const override { return 0; }
    void correct(const QString &, std::optional<Correction>) override {}
    std::optional<QString> frameURL(const FrameMeta &) const override { return std::nullopt; }

private:
    Store &m_store;
};

class FixedClock : public Clock
{
public:
    explicit FixedClock(QDateTime now)
        : m_now(std::move(now))
    {
    }
    QDateTime now() const override { return m_now; }

private:
    QDateTime m_now;
};

bool shoot(QWidget &view, const QSize &size, const QString &path)
{
    view.setAttribute(Qt::WA_DontShowOnScreen);
    view.resize(size);
    view.show();
    for (int i = 0; i < 3; ++i)
        QApplication::processEvents(); // layouts settle over a few passes
    const bool written = view.grab().save(path, "PNG");
    view.hide();
    if (!written)
        Diag::log(QStringLiteral("window shot failed: ") + path);
    return written;
}

} // namespace

bool render(const QString &folder, const QDateTime &now)
{
    Prefs::registerDefaults();
    QTemporaryDir scratch;
    if (!scratch.isValid() || !QDir().mkpath(folder))
        return false;
    Store store(scratch.path());
    SampleData::seed(store, now);
    ScratchSession session(store);
    FixedClock clock(now);
    QtScheduler scheduler;
    const QDir out(folder);
    bool ok = true;
    JournalView journal(session, clock, scheduler);
    ok &= shoot(journal, {780, 620}, out.filePath(QStringLiteral("journal-today.png")));
    journal.setTab(JournalTab::practice);
    ok &= shoot(journal, {780, 620}, out.filePath(QStringLiteral("journal-practice.png")));
    SettingsEnvironment settingsEnv;
    OnboardingEnvironment onboardingEnv{settingsEnv, nullptr, {}};
    OnboardingView onboarding(onboardingEnv, {});
    ok &= shoot(onboarding, {560, 600}, out.filePath(QStringLiteral("onboarding-1.png")));
    SettingsView settings(settingsEnv);
    ok &= shoot(settings, {640, 620}, out.filePath(QStringLiteral("settings.png")));
    return ok;
}

} // namespace WindowShots
