#include "Solitask/platform/linux/X11PixelFormat.h"

#include <QSysInfo>

#include <bit>

// Xlib defines macros (Status, None, Bool...) that break Qt headers: keep it last.
#include <X11/Xlib.h>
#include <X11/Xutil.h>

namespace {

/// One colour channel of a pixel value: where it sits and how wide it is.
struct Channel
{
    int shift = 0;
    int bits = 0;

    explicit Channel(unsigned long mask)
        : shift(mask ? std::countr_zero(mask) : 0)
        , bits(std::popcount(mask))
    {
    }
    int to8(unsigned long pixel) const
    {
        const unsigned long value = (pixel >> shift) & ((1UL << bits) - 1);
        return bits >= 8 ? int(value >> (bits - 8)) : int(value * 255 / ((1UL << bits) - 1));
    }
};

bool hostOrder(int byteOrder)
{
    return (byteOrder == LSBFirst) == (QSysInfo::ByteOrder == QSysInfo::LittleEndian);
}

unsigned long pixelAt(const uchar *p, int bytes, bool lsbFirst)
{
    unsigned long value = 0;
    for (int i = 0; i < bytes; ++i)
        value |= static_cast<unsigned long>(p[lsbFirst ? i : bytes - 1 - i]) << (8 * i);
    return value;
}

// The layouts Qt reads directly, by bits per pixel and masks in host order.
QImage::Format directFormat(const XImage *image)
{
    if (!hostOrder(image->byte_order))
        return QImage::Format_Invalid;
    const auto is = [image](int bpp, unsigned long r, unsigned long g, unsigned long b) {
        return image->bits_per_pixel == bpp && image->red_mask == r && image->green_mask == g
            && image->blue_mask == b;
    };
    if (is(32, 0xff0000, 0xff00, 0xff))
        return QImage::Format_RGB32;
    if (is(16, 0xf800, 0x7e0, 0x1f))
        return QImage::Format_RGB16;
    if (is(16, 0x7c00, 0x3e0, 0x1f))
        return QImage::Format_RGB555;
    if (is(32, 0x3ff00000, 0xffc00, 0x3ff))
        return QImage::Format_RGB30;
    return QImage::Format_Invalid;
}

QImage convertByMasks(const XImage *image)
{
    const Channel red(image->red_mask), green(image->green_mask), blue(image->blue_mask);
    const int bytes = image->bits_per_pixel / 8;
    const bool lsbFirst = image->byte_order == LSBFirst;
    QImage result(image->width, image->height, QImage::Format_RGB32);
    for (int y = 0; y < image->height; ++y) {
        const auto *row
            = reinterpret_cast<const uchar *>(image->data) + qsizetype(y) * image->bytes_per_line;
        auto *out = reinterpret_cast<QRgb *>(result.scanLine(y));
        for (int x = 0; x < image->width; ++x) {
            const unsigned long pixel = pixelAt(row + x * bytes, bytes, lsbFirst);
            out[x] = qRgb(red.to8(pixel), green.to8(pixel), blue.to8(pixel));
        }
    }
    return result;
}

} // namespace

QString X11PixelFormat::unreadableReason(Display *display, int screen)
{
    const Visual *visual = DefaultVisual(display, screen);
    const int depth = DefaultDepth(display, screen);
    if (!visual || (visual->c_class != TrueColor && visual->c_class != DirectColor))
        return QStringLiteral("the screen uses a colour palette (%1-bit), which cannot be "
                              "captured")
            .arg(depth);
    if (depth < 15 || depth > 32 || !visual->red_mask || !visual->green_mask || !visual->blue_mask)
        return QStringLiteral("the screen's pixel format (%1-bit) cannot be captured").arg(depth);
    return {};
}

QImage X11PixelFormat::toRgb32(const XImage *image, QString *error)
{
    const QImage::Format direct = directFormat(image);
    if (direct != QImage::Format_Invalid) {
        const QImage view(reinterpret_cast<const uchar *>(image->data), image->width, image->height,
            image->bytes_per_line, direct);
        // Converting to its own format hands back the view, whose memory the
        // caller frees with the XImage.
        return direct == QImage::Format_RGB32 ? view.copy()
                                              : view.convertToFormat(QImage::Format_RGB32);
    }
    const int bpp = image->bits_per_pixel;
    if ((bpp != 16 && bpp != 24 && bpp != 32) || !image->red_mask || !image->green_mask
        || !image->blue_mask) {
        *error = QStringLiteral("unsupported screen pixel format (%1 bits per pixel)").arg(bpp);
        return {};
    }
    return convertByMasks(image);
}
