#pragma once

#include <QImage>
#include <QString>

#include <functional>
#include <optional>

class QObject;

/// Reads frame pictures off the main thread.
namespace FrameImageLoader {

/// Files larger than this are not pictures the witness wrote; they are not read.
inline constexpr qint64 maxFileBytes = 16 * 1024 * 1024;

/// The picture in `path`, scaled down to at most `maxWidth` pixels wide; a null
/// image when there is no path or the file is missing, too large or unreadable.
QImage load(const std::optional<QString> &path, int maxWidth = 640);

/// Loads on the thread pool and hands the picture to `done` on `context`'s
/// thread; nothing is delivered once `context` is gone.
void loadAsync(const std::optional<QString> &path, QObject *context,
               std::function<void(const QImage &)> done);

} // namespace FrameImageLoader
