#pragma once

#include <QImage>
#include <QString>

class WaylandConnection;
struct zwlr_screencopy_manager_v1;
struct wl_output;

/// One wlr-screencopy capture of an output into a shared-memory buffer that
/// lives only as long as the capture: the pixels never touch a file.
namespace ScreencopyFrame {

/// The output's picture, or a null image with `error` set.
QImage grab(WaylandConnection &connection, zwlr_screencopy_manager_v1 *manager, wl_output *output,
    QString *error);

} // namespace ScreencopyFrame
