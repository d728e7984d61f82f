// What an application adds through the components' events, run without a
// window (clicks go through a window host that only exists in memory):
// - placing: symbols only inside the plot, refused in OnObjectSetClass;
// - files: drawings of a newer release refused in OnCheckFileVersion;
// - undo: each creator activation and each deletion is one step.
//   app_events DIRECTORY     (writes its drawings there)

#include <cstdio>
#include <optional>
#include <string>

#include "plan_form.h"

using namespace vl;

namespace {

// The plot symbols may stand on, in millimetres.
constexpr TLimRec Plot{0, 0, 8000, 5000};

void Report(const char* what, const plan::PlanForm& form) {
    std::printf("%s: %d objects\n", what, form.Document->Count());
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: app_events DIRECTORY\n");
        return 2;
    }
    const std::string dir = argv[1];
    plan::PlanForm form;
    TvlDataModule& doc = *form.Document;
    THeadlessWindowHost window(form.Box, {800, 500});

    // This application is number 7, release 1.1.
    form.Box->App().SetAppID(7);
    form.Box->App().SetVersionMajor(1);
    form.Box->App().SetVersionMinor(1);

    // The draw box raises its mouse event, in logical units, before the tool
    // acts; the creator then asks for the class of the object to make, and
    // no class means no object. Loading (undo too) asks the same question
    // for every stored object, so only a click may be refused.
    std::optional<TPoint> click;
    form.Box->OnMouseDown = [&](TObject*, TMouseButton, TShiftState, int32_t X, int32_t Y) {
        click = TPoint{X, Y};
    };
    form.Box->OnMouseUp = [&](TObject*, TMouseButton, TShiftState, int32_t, int32_t) {
        click.reset();
    };
    form.Symbols->OnObjectSetClass = [&](TCapClass& Class) {
        if (click && !PtInLimits(*click, Plot)) {
            std::printf("refused: a symbol outside the plot\n");
            Class = nullptr;
        }
    };

    // A file names the application and release that wrote it.
    doc.OnCheckFileVersion = [&](const TvlFileHeader& Header, bool& Abort) {
        const auto ours = static_cast<uint32_t>(form.Box->App().AppVersion());
        if (Header.AppID != 7 || Header.AppVersion > ours) {
            std::printf("refused: a file of application %u, release %08x\n", Header.AppID,
                        Header.AppVersion);
            Abort = true;
        }
    };

    // Undo of creating and deleting, up to 20 steps; set before loading
    // finishes, which makes the history.
    doc.SetUndoFunction(TUndo{TUndoOptions::unCreate, TUndoOptions::unDelete});
    doc.SetUndoSteps(20);
    form.FinishLoading();
    // The first paint commits the application's identity.
    window.InvalidateAll();
    window.Paint();

    // A click at a logical point; the in-memory window lies at the screen's
    // top left corner, so screen and window pixels are the same.
    const auto Click = [&](TPoint at) {
        const TPoint p = form.Box->LogToScreen(at);
        window.SendMouseDown(TMouseButton::mbLeft, p.X, p.Y);
        window.SendMouseUp(TMouseButton::mbLeft, p.X, p.Y);
    };
    // Activating a creator takes the backup that undoes what it makes next
    // (at the end of loading the document had no history yet).
    form.Symbols->Activate(nullptr);
    Click({1000, 1000});
    Click({4000, 2500});
    Click({9000, 2500});
    Report("placed", form);

    doc.Select(doc.ObjectAt(0, 0));
    doc.DeleteObjects();
    Report("deleted one", form);
    doc.Undo();
    Report("undone", form);
    doc.Undo();
    Report("undone again", form);
    doc.Redo();
    Report("redone", form);

    doc.SaveToFile(dir + "/release-1.1.vld");
    form.Box->App().SetVersionMinor(2);
    doc.SaveToFile(dir + "/release-1.2.vld");
    form.Box->App().SetVersionMinor(1);
    doc.Clear();
    std::printf("release 1.2 file: %s\n",
                doc.LoadFromFile(dir + "/release-1.2.vld") ? "loaded" : "not loaded");
    std::printf("release 1.1 file: %s\n",
                doc.LoadFromFile(dir + "/release-1.1.vld") ? "loaded" : "not loaded");
    Report("opened", form);
    window.SetControl(nullptr);
    return 0;
}
