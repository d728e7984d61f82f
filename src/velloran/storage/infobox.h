#pragma once
// The progress reporter of long operations (loading, saving, printing). The
// application opens it on a label and a progress bar of its own form; while
// none is open every report is ignored.

#include <cstdint>
#include <variant>

#include "velloran/foundations/scoped_value.h"
#include "velloran/foundations/types.h"

namespace vl {

class TLabel;
class TProgressBar;

/// What a report carries: nothing, a number or a text, depending on the code.
using TInfoParams = std::variant<std::monostate, int32_t, String>;

/// Report codes.
inline constexpr int32_t infoReset = 0;     // bar to 0, label empty
inline constexpr int32_t infoText = 10;     // text: label text
inline constexpr int32_t infoLoading = 100; // number: stream size
inline constexpr int32_t infoSaving = 200;
inline constexpr int32_t infoSaveCount = 210; // number: objects in the layer
inline constexpr int32_t infoSaveLayer = 220; // text: layer name
inline constexpr int32_t infoPrinting = 300;  // number: objects to print

/// The progress reporter of loading, saving and printing, shown on the application's own controls.
class TInfobox {
public:
    /// Label and bar are not owned; either may be nullptr.
    TInfobox(TLabel* aLabel, TProgressBar* aProgbar) : FLabel(aLabel), FProgbar(aProgbar) {}
    TInfobox(const TInfobox&) = delete;
    TInfobox& operator=(const TInfobox&) = delete;
    /// Clears Infobox (when it is this one) and Userbreak.
    virtual ~TInfobox();

    /// Unknown codes, and parameters of the wrong kind, are ignored.
    virtual void BoxMessage(int32_t Code, const TInfoParams& Params);
    /// Value >= 1 is the new position; below 1 the bar advances one step.
    virtual void Count(int32_t Value);

private:
    void SetText(const String& text);

    TLabel* FLabel;
    TProgressBar* FProgbar;
};

/// The open reporter (owned by InfoOpen/InfoClose), or nullptr.
inline TInfobox* Infobox = nullptr;
/// Set by the application to stop saving and printing; reset by InfoClose.
inline bool Userbreak = false;

/// Install a reporter, or a break request, for one scope.
class TInfoboxScope : TScopedValue<TInfobox*> {
public:
    explicit TInfoboxScope(TInfobox* Box) : TScopedValue(Infobox, Box) {}
};
/// Sets Userbreak for one scope.
class TUserbreakScope : TScopedValue<bool> {
public:
    explicit TUserbreakScope(bool Value) : TScopedValue(Userbreak, Value) {}
};

/// Opens the reporter; does nothing while one is open.
void InfoOpen(TLabel* aLabel, TProgressBar* aProgbar);
void InfoMessage(int32_t Code, const TInfoParams& Params = {});
void InfoCount(int32_t Value);
/// Resets label and bar, closes the reporter and clears Userbreak.
void InfoClose();

} // namespace vl
