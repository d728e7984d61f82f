#pragma once
// The plain generators of the line and point creators: only defaults differ.

#include "velloran/generators/custom_generator.h"

namespace vl {

/// The generator of the line creators: the base unchanged.
class TGenerator : public TCustomGenerator {
public:
    std::string ClassName() const override { return "TGenerator"; }
};

/// The generator of the point creators.
class TPtGenerator : public TCustomGenerator {
public:
    TPtGenerator() {
        FSlaveX = FSlaveY = 10;
        FWidth = FHeight = 20;
    }
    std::string ClassName() const override { return "TPtGenerator"; }
};

} // namespace vl
