#include "Solitask/journal/FrameImageLoader.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QImageReader>
#include <QMetaObject>
#include <QPointer>
#include <QThreadPool>

namespace FrameImageLoader {

QImage load(const std::optional<QString> &path, int maxWidth)
{
    if (!path)
        return {};
    const QFileInfo info(*path);
    if (!info.isFile() || info.size() > maxFileBytes)
        return {};
    QImageReader reader(*path);
    const QSize size = reader.size();
    if (size.width() > maxWidth && size.height() > 0)
        reader.setScaledSize(size.scaled(maxWidth, size.height(), Qt::KeepAspectRatio));
    return reader.read();
}

void loadAsync(const std::optional<QString> &path, QObject *context,
               std::function<void(const QImage &)> done)
{
    QPointer<QObject> guard(context);
    QThreadPool::globalInstance()->start([path, guard, done = std::move(done)] {
        const QImage image = load(path);
        // Handed to the application's thread, where the guard can be read safely.
        QMetaObject::invokeMethod(
            QCoreApplication::instance(),
            [guard, done, image] {
                if (guard)
                    done(image);
            },
            Qt::QueuedConnection);
    });
}

} // namespace FrameImageLoader
