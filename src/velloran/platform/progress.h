#pragma once
// A progress bar and a label as the progress reporter drives them. The state
// lives here; a backend mirrors it in Changed / CaptionChanged.

#include <cstdint>

#include "velloran/foundations/types.h"

namespace vl {

/// A progress bar as the progress reporter drives it; a backend mirrors it in Changed.
class TProgressBar {
public:
    virtual ~TProgressBar() = default;

    int32_t Min() const { return FMin; }
    int32_t Max() const { return FMax; }
    int32_t Position() const { return FPosition; }
    int32_t Step() const { return FStep; }
    /// Min and Max keep Min <= Max (the other bound follows); the position is
    /// kept inside them.
    void SetMin(int32_t Value);
    void SetMax(int32_t Value);
    void SetPosition(int32_t Value);
    void SetStep(int32_t Value) { FStep = Value; }
    /// Advances by Step; past Max the bar starts again at Min.
    void StepIt();

protected:
    virtual void Changed() {}

private:
    int32_t FMin = 0;
    int32_t FMax = 100;
    int32_t FPosition = 0;
    int32_t FStep = 10;
};

/// A control that shows one line of status text.
class TLabel {
public:
    virtual ~TLabel() = default;
    const String& Caption() const { return FCaption; }
    void SetCaption(const String& Value);
    /// Repaints at once, so that the text shows while a long operation runs.
    virtual void Repaint() {}

protected:
    virtual void CaptionChanged() {}

private:
    String FCaption;
};

} // namespace vl
