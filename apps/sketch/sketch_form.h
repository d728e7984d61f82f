#pragma once
// The sketch's form: every component of the editor in a fixed order. A
// creator's class number is its index among the form's components and is
// stored with each object of a drawing, so components are only ever
// appended (docs/sketch.md keeps the list).

#include <string>
#include <vector>

#include <velloran/document/data_module.h>
#include <velloran/platform/form.h>
#include <velloran/tools/mark_move.h>
#include <velloran/tools/custom_lines.h>
#include <velloran/tools/line_depends.h>
#include <velloran/text/text_creators.h>
#include <velloran/tools/vl_points.h>
#include <velloran/view/draw_box.h>

namespace sketch {

class TSketchForm : public vl::TForm {
  public:
    // Creates and configures the components; they count as read until
    // FinishLoading, which the window calls once the draw box has its host.
    TSketchForm();
    std::string ClassName() const override { return "TSketchForm"; }

    vl::TvlDrawbox* DrawBox;
    vl::TvlPoints* Rectangles;
    vl::TvlPoints* Ellipses;
    vl::TvlPoints* Circles;
    vl::TvlPoints* Squares;
    vl::TvlPoints* RoundRects;
    vl::TvlPoints* Pictures;
    // The outer walls of the sample plan; not on the tool bar.
    vl::TvlPoints* Walls;
    // The default tool: marks, moves, sizes and turns symbols.
    vl::TMarkMove* Pointer;
    // Walls and partitions, drawn with two clicks; right angles only.
    vl::TvlLines* Lines;
    // Pipes: each click goes on from the last one; a right click ends them.
    vl::TvlLines* Polylines;
    // Zones marked on the floor, spanned between two corners.
    vl::TvlLines* Frames;
    // Junction boxes the connector places where it starts or ends in the open.
    vl::TvlPoints* Nodes;
    // Cables between symbols: each end hangs on the symbol it was clicked on
    // and follows it.
    vl::TLineDepends* Connectors;
    // Room names and notes: single texts, and labels framed by a symbol.
    vl::TvlText* Texts;
    vl::TvlTextlabs* Labels;
    // The title block of the sample plan; not on the tool bar.
    vl::TvlTextlabs* TitleBlock;
    // Notes in a box spanned between two corners.
    vl::TvlTextlabs2D* LabelBoxes;

    // The draw box's own document, made when loading finishes. Made then,
    // it is the form's last component and goes first, while the creators
    // its objects refer to still exist.
    vl::TvlDataModule* Document() const;

    // The tools the tool bar offers, in tool bar order.
    std::vector<vl::TMouseTool*> ToolBarTools() const;

    // Marks every symbol the pointer could mark.
    void SelectAll();
    // Deletes the marked symbols with whatever hangs on them.
    void DeleteMarked();
    // The creator's name and the identity, as the status bar shows an
    // object; empty for none.
    static std::u16string ObjectName(const vl::TvlObject* Object);
    // The topmost object at p (logical) that shows a text; nullptr if none.
    vl::TvlObject* TextObjectAt(vl::TPoint p) const;
};

} // namespace sketch
