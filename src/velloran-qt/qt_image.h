#pragma once
// Pictures between the core's bitmaps and Qt's images, and the decoder that
// lets the core read compressed images through Qt's image readers.

#include <QImage>

#include <vector>

#include "velloran/platform/graphics.h"

namespace vl {

/// Opaque image of the bitmap.
QImage ToQImage(const TBitmap& bmp);
/// Image whose see-through pixels (mask true) have alpha 0.
QImage ToQImage(const TBitmap& bmp, const std::vector<bool>& mask);
/// The picture a graphic shows when drawn: bitmaps honour Transparent, icons
/// their mask, JPEG images their decoded bitmap. Null for metafiles.
QImage ToQImage(const TGraphic& graphic);
void FromQImage(const QImage& image, TBitmap& out);

/// Registers the Qt image readers (JPEG, PNG, ...) as the core's decoder.
void InstallImageDecoder();

} // namespace vl
