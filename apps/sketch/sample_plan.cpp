#include "sample_plan.h"

#include <velloran/objects/line_obj.h>
#include <velloran/objects/point_obj.h>
#include <velloran/text/text_creators.h>

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

// A text of the creator centred at (x, y).
void Write(TvlText& creator, int32_t x, int32_t y, const vl::String& text) {
    std::unique_ptr<TvlObject> o = creator.CreateObject();
    if (!o) return;
    TvlObject* placed = creator.RegisterNewObj(std::move(o));
    if (!placed) return;
    // Without a text first, the text breaks at the creator's width in
    // characters rather than at the width of the default text.
    placed->SetText({});
    placed->SetText(text);
    placed->SetPos({x - placed->GetWidth() / 2, y - placed->GetHeight() / 2});
}

// A text of a two-point label spanned from p1 to p2.
void Span(TvlTextlabs2D& creator, TPoint p1, TPoint p2, const vl::String& text) {
    std::unique_ptr<TvlObject> o = creator.CreateObject();
    auto* box = dynamic_cast<TLineObj*>(o.get());
    if (!box) return;
    box->SetPos(p1);
    box->SetPos2(p2);
    TvlObject* placed = creator.RegisterNewObj(std::move(o));
    if (!placed) return;
    placed->SetText({});
    placed->SetText(text);
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
    Write(*form.Texts, 12000, 9000, u"Workshop");
    Write(*form.Texts, 3000, 1500, u"Office");
    Write(*form.Texts, 21500, 9000, u"Store");
    Write(*form.Labels, 8500, 8500, u"Lathes: keep 1 m clear");
    Write(*form.TitleBlock, 21000, -1800,
          u"Workshop hall – ground floor\r\nScale 1:100 · dimensions in mm\r\nDrawn with Sketch");
    Span(*form.LabelBoxes, {1200, 5400}, {5200, 6600}, u"Office: two desks, plan cabinet, first aid kit");
}

} // namespace sketch
