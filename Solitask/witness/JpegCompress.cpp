#include "Solitask/witness/JpegCompress.h"

#include <algorithm>
#include <csetjmp>
#include <cstdio>
#include <cstdlib>

#include <jpeglib.h>

namespace {

struct ErrorJump
{
    jpeg_error_mgr manager;
    std::jmp_buf jump;
};

// libjpeg's default on an error is to end the process.
[[noreturn]] void jumpOut(j_common_ptr info)
{
    std::longjmp(reinterpret_cast<ErrorJump *>(info->err)->jump, 1);
}

// Nothing here has a destructor, so the jump skips no clean-up. `out` holds
// `size` bytes to write into; libjpeg moves to a larger buffer of its own
// (`*out` then changes) when they run out.
bool run(const QImage &image, int quality, unsigned char **out, unsigned long *size)
{
    jpeg_compress_struct info {};
    ErrorJump error {};
    info.err = jpeg_std_error(&error.manager);
    error.manager.error_exit = jumpOut;
    if (setjmp(error.jump)) {
        jpeg_destroy_compress(&info);
        return false;
    }
    jpeg_create_compress(&info);
    jpeg_mem_dest(&info, out, size);
    info.image_width = JDIMENSION(image.width());
    info.image_height = JDIMENSION(image.height());
    // QImage's 32-bit pixels lie in memory as blue, green, red, pad.
    info.input_components = 4;
    info.in_color_space = Q_BYTE_ORDER == Q_LITTLE_ENDIAN ? JCS_EXT_BGRX : JCS_EXT_XRGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, quality, TRUE);
    info.dct_method = JDCT_IFAST;
    jpeg_start_compress(&info, TRUE);
    // A row of blocks per call: the coder takes whole blocks' worth at once.
    JSAMPROW rows[16];
    while (info.next_scanline < info.image_height) {
        const JDIMENSION count = std::min<JDIMENSION>(16, info.image_height - info.next_scanline);
        for (JDIMENSION i = 0; i < count; ++i)
            rows[i] = const_cast<uchar *>(image.constScanLine(int(info.next_scanline + i)));
        jpeg_write_scanlines(&info, rows, count);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    return true;
}

} // namespace

QByteArray JpegCompress::compress(const QImage &image, int quality)
{
    if (image.isNull()
        || (image.format() != QImage::Format_RGB32 && image.format() != QImage::Format_ARGB32))
        return {};
    // A byte a pixel is more than a screen takes at any usual quality; pages
    // are only touched as the coder writes, so the room costs nothing unused.
    QByteArray jpeg;
    jpeg.resize(qsizetype(image.width()) * image.height() + 1024);
    auto *room = reinterpret_cast<unsigned char *>(jpeg.data());
    unsigned char *out = room;
    auto size = static_cast<unsigned long>(jpeg.size());
    const bool ok = run(image, quality, &out, &size);
    if (out != room) { // the coder outgrew the room
        jpeg = ok ? QByteArray(reinterpret_cast<const char *>(out), qsizetype(size)) : QByteArray();
        std::free(out);
        return jpeg;
    }
    if (!ok)
        return {};
    jpeg.resize(qsizetype(size));
    return jpeg;
}
