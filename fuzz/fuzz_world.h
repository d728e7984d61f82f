#pragma once
// The form the object and layer harnesses read into: a draw box, a document
// and creators of every object kind the core has, plus an object that stores
// one field of every kind the Register routines know. Also the reading and
// saving steps more than one harness takes.

#include <cstdint>
#include <memory>
#include <vector>

#include "fuzz_input.h"
#include "velloran/document/data_module.h"
#include "velloran/generators/text_align.h"
#include "velloran/objects/point_obj.h"
#include "velloran/platform/component.h"
#include "velloran/platform/null_canvas.h"
#include "velloran/platform/picture.h"
#include "velloran/text/text_creators.h"
#include "velloran/tools/creator.h"
#include "velloran/tools/custom_lines.h"
#include "velloran/tools/vl_points.h"
#include "velloran/view/draw_box.h"

namespace vl::fuzz {

class TFieldsObj : public TPointObj {
public:
    explicit TFieldsObj(TObjectTool* ATool);
    void Persist(TStream* Stream, TPstMode Mode) override;

    uint8_t Data[6] = {};
    std::unique_ptr<char16_t[]> PText;
    String Text;
    TFont Font;
    TPen Pen;
    TBrush Brush;
    TContype Link;
    TTextAlign Align;
    // Stored as a flag byte: a picture record needs a graphic to write.
    uint8_t HasPicture = 0;
    TPicture Picture;
    std::unique_ptr<TvlObject> Embedded;
};

// Format versions whose readers differ, oldest first.
inline constexpr int16_t Versions[] = {0x1FFF, 0x2003, 0x2004, 0x208F, 0x2090, 0x4631};
inline constexpr int VersionCount = sizeof Versions / sizeof Versions[0];
// FileHeader for one version; older hosts store 8-bit texts.
void SetVersion(int versionIndex, bool ansiHost);

struct TWorld {
    TWorld();
    ~TWorld();
    // Before the form: the draw box refers to it until the form is gone.
    TNullCanvas Canvas;
    TComponent Form;
    TCustomDrawBox* Box = nullptr;
    TvlDataModule* Doc = nullptr;
    // Component indexes 2..5, the last with the fixed identity -7; then
    // the creators of texts, labels and label boxes, after Lines.
    std::vector<TvlCreator*> Creators;
    // Component index 6: line objects, for the line harness.
    TvlLines* Lines = nullptr;
};

// Built on first use and kept for the whole run.
TWorld& World();
// The same, with headless services in force for the harnesses that load
// whole drawings. Called first, so the services outlive the world.
TWorld& HeadlessWorld();

// Every object of the list written in the current version.
std::vector<uint8_t> SaveObjects(const std::vector<TvlObject*>& objects, TPstMode mode = TPstMode::pstSave);

// Picks the creator of a record from the selector byte in front of it.
using TPickCreator = TvlCreator* (*)(uint8_t selector, TWorld& w);

// The option byte (version, 8-bit host, paste) and then object records, read
// up to the first damage. What was read joins the document and is connected.
std::vector<TvlObject*> LoadObjectRecords(TFuzzInput& in, TPickCreator pick);

// Checks that what the objects save reads back into objects that save the
// same bytes; kind names them in a failure.
void CheckSavesBack(const std::vector<TvlObject*>& objects, const char* kind);

} // namespace vl::fuzz
