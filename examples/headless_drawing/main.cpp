// Builds a drawing from code, without a window, and saves it: four posts on
// the corners of an 8 m by 5 m plot and the fence that runs between them.
//   headless_drawing plot.vld

#include <cstdio>

#include "plan_form.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: headless_drawing FILE\n");
        return 2;
    }
    plan::PlanForm form;
    // Without a window nothing ever paints, and the first paint is what
    // commits the identity that saved files carry: commit it here.
    form.Box->App().SetAppID(1);
    form.Box->App().Commit();
    form.FinishLoading();

    // The creators make objects from code as they do on clicks (positions in
    // logical units, here millimetres).
    const vl::TPoint corners[] = {{0, 0}, {8000, 0}, {8000, 5000}, {0, 5000}, {0, 0}};
    for (int i = 0; i < 4; ++i)
        form.Symbols->SetNewObj(corners[i]);
    form.Lines->SetPolyObjA(corners);

    form.Document->SaveToFile(argv[1]);
    std::printf("saved %d objects to %s\n", form.Document->Count(), argv[1]);
    return 0;
}
