#pragma once
// TvlPoints: the point creator as a component; everything is inherited.

#include "velloran/tools/custom_points.h"

namespace vl {

/// The point creator as a component.
class TvlPoints : public TCustomPoints {
public:
    using TCustomPoints::TCustomPoints;
    std::string ClassName() const override { return "TvlPoints"; }
};

} // namespace vl
