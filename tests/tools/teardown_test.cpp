// Freeing a form's components in any order must leave no object reading a
// freed creator or master: documents, box objects and the draw box's local
// objects are all checked by painting after every step (AddressSanitizer
// reports what a plain build may survive).

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <memory>

#include "velloran/document/data_module.h"
#include "velloran/objects/object.h"
#include "velloran/platform/form.h"
#include "velloran/platform/headless_services.h"
#include "velloran/platform/headless_window_host.h"
#include "velloran/tools/vl_points.h"
#include "velloran/view/draw_box.h"

namespace vl::test {
namespace {

// Draw box, linked document, point creator with a slave creator, a creator
// of box objects (one of them carrying a slave of the slave creator) and a
// ruler creator whose box objects became the draw box's local objects.
struct TTeardownForm {
    enum { box, doc, points, slave, maker, ruler, count };

    TTeardownForm() {
        Form->BeginLoading();
        Box = NewComponent<TvlDrawbox>(*Form);
        auto* d = NewComponent<TvlDataModule>(*Form);
        Box->SetDataModule(d);
        d->SetDrawForm(Box);
        auto* s = NewComponent<TvlPoints>(*Form);
        auto* p = NewComponent<TvlPoints>(*Form);
        p->SetSlaveObject(s);
        auto* m = NewComponent<TvlPoints>(*Form);
        auto* r = NewComponent<TvlPoints>(*Form);
        Parts = {Box, d, p, s, m, r};
        for (TvlPoints* c : {s, p, m, r}) c->SetDrawForm(Box);
        Host = std::make_unique<THeadlessWindowHost>(Box);
        Form->FinishLoading();

        p->SetNewObj({10, 10});
        m->CreateBoxObjects = true;
        TvlObject* held = m->SetNewObj({50, 50});
        s->CreateSlave(held);
        r->CreateBoxObjects = true;
        Box->SetScaleHorz(r->TakeBoxObject(r->SetNewObj({0, 0})));
        Box->SetScaleVert(r->TakeBoxObject(r->SetNewObj({0, 0})));
        EXPECT_EQ(d->Count(), 3);
        Paint();
    }
    ~TTeardownForm() { Host.reset(); }

    void Paint() {
        if (!Host) return;
        Host->InvalidateAll();
        Host->Update();
    }
    // A plain delete, as an application may free a component.
    void Free(int part) {
        if (part == box) Host.reset();
        delete Parts[static_cast<size_t>(part)];
        Paint();
    }

    std::unique_ptr<TForm> Form = std::make_unique<TForm>();
    TvlDrawbox* Box = nullptr;
    std::array<TComponent*, count> Parts{};
    std::unique_ptr<THeadlessWindowHost> Host;
};

TEST(Teardown, EveryOrderOfFreeingTheComponentsOfAForm) {
    THeadlessServices svc;
    TServicesScope scope{svc};
    std::array<int, TTeardownForm::count> order{};
    for (int i = 0; i < TTeardownForm::count; ++i) order[static_cast<size_t>(i)] = i;
    int runs = 0;
    do {
        TTeardownForm f;
        for (int part : order) f.Free(part);
        ++runs;
        // The form frees what is left, last first, as at the end of a program.
        TTeardownForm g;
        for (size_t i = 0; i < 2; ++i) g.Free(order[i]);
        g.Host.reset();
        g.Form.reset();
    } while (std::next_permutation(order.begin(), order.end()));
    EXPECT_EQ(runs, 720);
}

} // namespace
} // namespace vl::test
