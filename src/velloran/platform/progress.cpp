#include "velloran/platform/progress.h"

#include <algorithm>

namespace vl {

void TProgressBar::SetMin(int32_t Value) {
    if (Value == FMin) return;
    FMin = Value;
    FMax = std::max(FMax, FMin);
    FPosition = std::clamp(FPosition, FMin, FMax);
    Changed();
}

void TProgressBar::SetMax(int32_t Value) {
    if (Value == FMax) return;
    FMax = Value;
    FMin = std::min(FMin, FMax);
    FPosition = std::clamp(FPosition, FMin, FMax);
    Changed();
}

void TProgressBar::SetPosition(int32_t Value) {
    Value = std::clamp(Value, FMin, FMax);
    if (Value == FPosition) return;
    FPosition = Value;
    Changed();
}

void TProgressBar::StepIt() {
    const int64_t next = int64_t{FPosition} + FStep;
    FPosition = next > FMax || next < FMin ? FMin : static_cast<int32_t>(next);
    Changed();
}

void TLabel::SetCaption(const String& Value) {
    if (Value == FCaption) return;
    FCaption = Value;
    CaptionChanged();
}

} // namespace vl
