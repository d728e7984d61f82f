#pragma once
// Images the sketch draws for itself: the picture symbol of the picture
// creator and the tool bar icons, which show each creator's own style.

#include <QIcon>
#include <QImage>

namespace vl {
class TMouseTool;
class TPicture;
} // namespace vl

namespace sketch {

// A north arrow on white; white is its transparent colour.
QImage NorthArrowImage(int size);
// The image as a picture that a generator can hold.
vl::TPicture PictureOf(const QImage& image);
// A creator's shape in its pen and brush (or its picture); an arrow for
// any other tool.
QIcon ToolIcon(const vl::TMouseTool* tool);

enum class ViewIcon { ZoomIn, ZoomOut, Fit, Grid, Snap };
QIcon ViewIconOf(ViewIcon kind);

} // namespace sketch
