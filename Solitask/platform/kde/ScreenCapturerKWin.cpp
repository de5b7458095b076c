#include "Solitask/platform/kde/ScreenCapturerKWin.h"

#include "Solitask/platform/kde/KWinScreenShot.h"
#include "Solitask/platform/kde/KWinWindows.h"
#include "Solitask/platform/wayland/SceneBlanking.h"

#include <malloc.h>

ScreenCapturerKWin::ScreenCapturerKWin(QDBusConnection bus, std::shared_ptr<KWinWindows> windows)
    : m_bus(std::move(bus))
    , m_windows(std::move(windows))
    , m_refusal(std::make_shared<QString>())
{
}

Support ScreenCapturerKWin::support() const
{
    const Support facts = m_windows->support();
    if (!facts.supported)
        return facts;
    if (!m_refusal->isEmpty())
        return Support::no(*m_refusal
            + QStringLiteral("; Solitask's installed desktop file lets KWin know it may take "
                             "screenshots: reinstall Solitask if it is missing"));
    return Support::yes();
}

// The script reports each change as KWin makes it, before KWin answers the
// screenshot taken after it: the report read once the answer is here is at
// least as new as the picture. Both sets of places are painted over.
void ScreenCapturerKWin::capture(
    const QStringList &excludedBundleIDs, int /*minWidth*/, Completion done)
{
    const QSet<QString> hidden(excludedBundleIDs.cbegin(), excludedBundleIDs.cend());
    auto before = m_windows->scene(hidden);
    if (!before) {
        done(CaptureResult::unsure(m_windows->support().reason));
        return;
    }
    KWinScreenShot::captureWorkspace(m_bus,
        [windows = m_windows, refusal = m_refusal, hidden, first = *before, done = std::move(done)](
            QImage image, QString error, bool refused) {
            *refusal = refused ? error : QString();
            if (image.isNull()) {
                done(CaptureResult::failure(error));
                return;
            }
            auto after = windows->scene(hidden);
            if (!after) {
                done(CaptureResult::unsure(
                    QStringLiteral("KWin's window facts went away during the capture")));
                return;
            }
            after->windows += SceneBlanking::ownWindows();
            SceneBlanking::paint(image, first);
            SceneBlanking::paint(image, *after);
            // Blanked first, so that a crop from a stale report shows the
            // wrong output at worst, never a private window.
            if (const QRect output = windows->activeOutputIn(image); !output.isEmpty())
                image = image.copy(output);
            done({std::move(image), QString(), false});
            // The picture and the pipe's buffer were the size of the screen:
            // give that memory back between frames, as the other capturers do.
            malloc_trim(0);
        });
}
