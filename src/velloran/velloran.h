#pragma once
// Umbrella header: the whole public API of the core library.

#include "velloran/foundations/round.h"
#include "velloran/foundations/types.h"
#include "velloran/platform/canvas.h"
#include "velloran/platform/colors.h"
#include "velloran/platform/drawing_tools.h"
#include "velloran/platform/emf_records.h"
#include "velloran/platform/errors.h"
#include "velloran/platform/graphics.h"
#include "velloran/platform/mapping.h"
#include "velloran/platform/metafile.h"
#include "velloran/platform/persistent.h"
#include "velloran/platform/picture.h"
#include "velloran/platform/region.h"
#include "velloran/platform/stream.h"
