#include "Solitask/platform/gnome/ScreenCapturerGnome.h"

#include "Solitask/platform/gnome/GnomeShellWindows.h"
#include "Solitask/platform/gnome/MutterScreenCast.h"
#include "Solitask/platform/wayland/SceneBlanking.h"

#include <malloc.h>

ScreenCapturerGnome::ScreenCapturerGnome(std::shared_ptr<GnomeShellWindows> windows)
    : m_windows(std::move(windows))
{
}

ScreenCapturerGnome::~ScreenCapturerGnome() = default;

Support ScreenCapturerGnome::support() const
{
    return m_windows->support();
}

void ScreenCapturerGnome::capture(
    const QStringList &excludedBundleIDs, int /*minWidth*/, Completion done)
{
    if (m_cast) {
        done(CaptureResult::failure(QStringLiteral("a frame is already being taken")));
        return;
    }
    m_hidden = QSet<QString>(excludedBundleIDs.cbegin(), excludedBundleIDs.cend());
    const auto scene = m_windows->scene(m_hidden);
    if (const auto refused = SceneBlanking::refusal(scene)) {
        done(*refused);
        return;
    }
    m_before = *scene;
    m_done = std::move(done);
    m_cast = new MutterScreenCast(this);
    connect(m_cast, &MutterScreenCast::arrived, this, [this](const QImage &image) { finish(image, {}); });
    connect(m_cast, &MutterScreenCast::failed, this, [this](const QString &why) { finish({}, why); });
    m_cast->start();
}

// Windows may have moved while the cast ran: their places now are painted over too.
void ScreenCapturerGnome::finish(const QImage &image, const QString &why)
{
    m_cast->deleteLater();
    m_cast = nullptr;
    const Completion done = std::exchange(m_done, nullptr);
    if (image.isNull())
        done(CaptureResult::failure(why));
    else
        done(SceneBlanking::finish(image, m_before, m_windows->scene(m_hidden)));
    malloc_trim(0);
}
