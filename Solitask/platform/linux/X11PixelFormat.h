#pragma once

#include <QImage>
#include <QString>

struct _XImage;
typedef struct _XDisplay Display;

/// Screen pixels of any true-colour layout (depths 15, 16, 24, 30 and 32, in
/// either byte order) turned into Format_RGB32.
namespace X11PixelFormat {

/// Why the pixels of `screen` cannot be read, empty when they can.
QString unreadableReason(Display *display, int screen);

/// A deep copy in Format_RGB32; a null image and `error` set when the layout
/// is not true colour.
QImage toRgb32(const struct _XImage *image, QString *error);

} // namespace X11PixelFormat
