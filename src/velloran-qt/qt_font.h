#pragma once
// Fonts and texts between the core's values and Qt's.

#include <QFont>
#include <QString>

#include "velloran/platform/drawing_tools.h"
#include "velloran/platform/mapping.h"

namespace vl {

QString ToQString(const String& s);
String FromQString(const QString& s);

/// The face a font name stands for: "Default" (any case) is the platform's
/// general face.
QString QtFaceName(const String& name);

/// The Qt font for a core font under a mapping: the logical height becomes
/// device pixels (negative = character height, positive = cell height);
/// escapement is left to the caller, who turns the painter.
QFont QtFontOf(const TFont& font, const TMapping& mapping);

} // namespace vl
