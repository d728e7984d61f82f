#include "sample_plan.h"

#include <velloran/objects/point_obj.h>
#include <velloran/text/text_creators.h>

#include "sketch_form.h"

namespace sketch {

using namespace vl;

namespace {

// A symbol of the creator at (x, y) in millimetres, turned by degrees.
void Place(TvlPoints& creator, int32_t x, int32_t y, double degrees = 0) {
    std::unique_ptr<TvlObject> o = creator.CreateObject();
    if (!o) return;
    o->SetPos({x, y});
    if (degrees != 0)
        if (auto* p = dynamic_cast<TPointObj*>(o.get())) p->SetAlpha_DEG(degrees);
    creator.RegisterNewObj(std::move(o));
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
    Place(*form.RoundRects, 8500, 3000);
    Place(*form.RoundRects, 8500, 6500);
    Place(*form.RoundRects, 11300, 3800, 90);
    Place(*form.Ellipses, 3000, 4000);
    for (int32_t x : {20500, 22500})
        for (int32_t y : {2000, 4200})
            Place(*form.Circles, x, y);
    Place(*form.Pictures, 26500, 10600);
    Write(*form.Texts, 12000, 9000, u"Workshop");
    Write(*form.Texts, 3000, 1500, u"Office");
    Write(*form.Texts, 21500, 9000, u"Store");
    Write(*form.Labels, 8500, 8500, u"Lathes: keep 1 m clear");
    Write(*form.TitleBlock, 21000, -1800,
          u"Workshop hall – ground floor\r\nScale 1:100 · dimensions in mm\r\nDrawn with Sketch");
}

} // namespace sketch
