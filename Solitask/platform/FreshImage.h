#pragma once

#include <QImage>
#include <QSize>

/// Format_RGB32 images that are written once per frame into fresh memory
/// (the heap goes back to the system between frames). Faulting such an image
/// in page by page costs more than the averaging that fills it; in huge
/// pages, where the kernel grants them on request, it is a fault or two.
namespace FreshImage {

/// Uninitialised; null when the memory could not be had.
QImage make(QSize size);

} // namespace FreshImage
