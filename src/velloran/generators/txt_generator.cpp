#include "velloran/generators/txt_generator.h"

namespace vl {

void TCustomTxtGenerator::SetWordBreak(int32_t value) {
    if (value > 0) FOptions.Exclude(TGeneratorOption::goRotation);
    FWordBreak = value;
}

void TCustomTxtGenerator::SetTxtOptions(TGeneratorOptions options) {
    TCustomGenerator::SetOptions(options);
    if (FOptions.Contains(TGeneratorOption::goRotation)) FWordBreak = 0;
}

} // namespace vl
