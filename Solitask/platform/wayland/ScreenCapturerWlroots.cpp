#include "Solitask/platform/wayland/ScreenCapturerWlroots.h"

#include "Solitask/platform/wayland/SceneBlanking.h"
#include "Solitask/platform/wayland/ScreencopyFrame.h"
#include "Solitask/platform/wayland/WaylandConnection.h"
#include "Solitask/platform/wayland/WaylandWindowSource.h"

#include "wlr-screencopy-unstable-v1-client-protocol.h"

#include <malloc.h>

std::unique_ptr<ScreenCapturerWlroots> ScreenCapturerWlroots::create(
    std::shared_ptr<WaylandConnection> connection, std::shared_ptr<WaylandWindowSource> windows)
{
    auto *manager = static_cast<zwlr_screencopy_manager_v1 *>(
        connection->bind(&zwlr_screencopy_manager_v1_interface, 3));
    if (!manager)
        return nullptr;
    return std::unique_ptr<ScreenCapturerWlroots>(
        new ScreenCapturerWlroots(std::move(connection), std::move(windows), manager));
}

ScreenCapturerWlroots::ScreenCapturerWlroots(std::shared_ptr<WaylandConnection> connection,
    std::shared_ptr<WaylandWindowSource> windows, zwlr_screencopy_manager_v1 *manager)
    : m_connection(std::move(connection))
    , m_windows(std::move(windows))
    , m_manager(manager)
{
}

ScreenCapturerWlroots::~ScreenCapturerWlroots()
{
    zwlr_screencopy_manager_v1_destroy(m_manager);
}

Support ScreenCapturerWlroots::support() const
{
    return m_connection->support();
}

void ScreenCapturerWlroots::capture(
    const QStringList &excludedBundleIDs, int /*minWidth*/, Completion done)
{
    done(captureNow(excludedBundleIDs));
    malloc_trim(0);
}

CaptureResult ScreenCapturerWlroots::captureNow(const QStringList &excludedBundleIDs)
{
    if (!m_connection->isAlive())
        return CaptureResult::failure(m_connection->support().reason);
    const QSet<QString> hidden(excludedBundleIDs.cbegin(), excludedBundleIDs.cend());
    const auto scene = m_windows->scene(hidden);
    if (!scene)
        return CaptureResult::unsure(QStringLiteral("the window list could not be read"));
    if (!scene->unplacedPrivateApp.isEmpty())
        return CaptureResult::unsure(
            QStringLiteral("%1 has a window open and this desktop does not tell where")
                .arg(scene->unplacedPrivateApp));
    wl_output *output = outputNamed(scene->outputName);
    if (!output)
        return CaptureResult::failure(QStringLiteral("no output to capture"));
    QString error;
    QImage image = ScreencopyFrame::grab(*m_connection, m_manager, output, &error);
    if (image.isNull())
        return CaptureResult::failure(error);
    // Windows may have moved while the frame was copied: read them again and
    // paint over both sets of places.
    const auto after = m_windows->scene(hidden);
    if (!after || !after->unplacedPrivateApp.isEmpty())
        return CaptureResult::unsure(QStringLiteral("the windows changed during the capture"));
    WaylandScene later = *after;
    later.outputRect = scene->outputRect;
    later.windows += SceneBlanking::ownWindows();
    SceneBlanking::paint(image, *scene);
    SceneBlanking::paint(image, later);
    return {image, QString(), false};
}

wl_output *ScreenCapturerWlroots::outputNamed(const QString &name) const
{
    const auto outputs = m_connection->outputs();
    for (const auto &output : outputs) {
        if (output.name == name)
            return output.output;
    }
    return outputs.isEmpty() ? nullptr : outputs.first().output;
}
