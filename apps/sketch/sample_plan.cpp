#include "sample_plan.h"

#include <velloran/objects/point_obj.h>

#include "sketch_form.h"

namespace sketch {

using namespace vl;

namespace {

// A symbol of the creator at (x, y) in millimetres, turned by degrees.
TvlObject* Place(TvlPoints& creator, int32_t x, int32_t y, double degrees = 0) {
    std::unique_ptr<TvlObject> o = creator.CreateObject();
    if (!o) return nullptr;
    o->SetPos({x, y});
    if (degrees != 0)
        if (auto* p = dynamic_cast<TPointObj*>(o.get())) p->SetAlpha_DEG(degrees);
    return creator.RegisterNewObj(std::move(o));
}

// A cable that hangs between two symbols and follows them.
void Connect(TLineDepends& connectors, TvlObject* a, TvlObject* b) {
    if (!a || !b) return;
    connectors.LinkNewObjTo(a);
    connectors.LinkNewObjTo(b);
}

} // namespace

void AddSamplePlan(TSketchForm& form) {
    // A hall of 24 m by 12 m: walls, columns on a 6 m grid, workbenches along
    // the north wall, machines, an office corner, tanks and a north arrow.
    Place(*form.Walls, 12000, 6000);
    for (int32_t x = 0; x <= 24000; x += 6000) {
        Place(*form.Squares, x, 0);
        Place(*form.Squares, x, 12000);
        if (x > 0 && x < 24000) Place(*form.Squares, x, 6000);
    }
    for (int32_t x : {2500, 4900, 7500, 9900, 14100, 16500})
        Place(*form.Rectangles, x, 11000);
    Place(*form.Rectangles, 16000, 7000, 30);
    Place(*form.Rectangles, 16000, 4000, -30);
    TvlObject* press = Place(*form.RoundRects, 8500, 3000);
    TvlObject* lathe = Place(*form.RoundRects, 8500, 6500);
    TvlObject* mill = Place(*form.RoundRects, 11300, 3800, 90);
    Place(*form.Ellipses, 3000, 4000);
    TvlObject* tanks[4] = {};
    int32_t n = 0;
    for (int32_t x : {20500, 22500})
        for (int32_t y : {2000, 4200})
            tanks[n++] = Place(*form.Circles, x, y);
    Place(*form.Pictures, 26500, 10600);

    // Cables from a junction box to the machines, and between the tanks.
    TvlObject* junction = Place(*form.Nodes, 11300, 1000);
    TLineDepends& cables = *form.Connectors;
    for (TvlObject* machine : {press, lathe, mill})
        Connect(cables, junction, machine);
    Connect(cables, tanks[0], tanks[2]);
    Connect(cables, tanks[1], tanks[3]);
}

} // namespace sketch
