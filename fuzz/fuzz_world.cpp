#include "fuzz_world.h"

#include "velloran/foundations/stream.h"
#include "velloran/scale/scale_setting.h"
#include "velloran/storage/file_header.h"

namespace vl::fuzz {

TFieldsObj::TFieldsObj(TObjectTool* ATool) : TPointObj(ATool), Embedded(std::make_unique<TvlObject>(ATool)) {}

void TFieldsObj::Persist(TStream* Stream, TPstMode Mode) {
    TPointObj::Persist(Stream, Mode);
    RegisterData(Stream, Data, sizeof Data, Mode);
    RegisterPChar(Stream, PText, Mode);
    RegisterString(Stream, Text, Mode);
    RegisterFont(Stream, Font, Mode);
    RegisterPen(Stream, Pen, Mode);
    RegisterBrush(Stream, Brush, Mode);
    RegisterLink(Stream, Link, Mode);
    if (Stream) Align.Persist(*Stream, Mode);
    RegisterData(Stream, &HasPicture, 1, Mode);
    if (HasPicture) RegisterPicture(Stream, Picture, Mode);
    RegisterObject(Stream, *Embedded, Mode);
}

void SetVersion(int versionIndex, bool ansiHost) {
    SetFileHeader();
    FileHeader.Velloran = static_cast<int16_t>(-Versions[versionIndex % VersionCount]);
    if (ansiHost) FileHeader.HostVersion = UnicodeHostVersion - 1;
}

TWorld::TWorld() {
    Box = NewComponent<TCustomDrawBox>(Form);
    Doc = NewComponent<TvlDataModule>(Form);
    Box->SetDataModule(Doc);
    Doc->SetDrawForm(Box);
    auto* fields = NewComponent<TvlCreator>(Form);
    fields->OnObjectSetClass = [](TCapClass& k) { k = CapClassOf<TFieldsObj>; };
    auto* points = NewComponent<TvlPoints>(Form);
    auto* plain = NewComponent<TvlCreator>(Form);
    plain->OnObjectSetClass = [](TCapClass& k) { k = CapClassOf<TvlObject>; };
    auto* fixed = NewComponent<TvlPoints>(Form);
    fixed->ChangeID = [](TObject*, TNewID& id) { id = -7; };
    Creators = {fields, points, plain, fixed};
    Lines = NewComponent<TvlLines>(Form);
    Lines->SetDrawForm(Box);
    // Texts break lines, so their records carry break lists.
    auto* text = NewComponent<TvlText>(Form);
    auto* labels = NewComponent<TvlTextlabs>(Form);
    auto* boxes = NewComponent<TvlTextlabs2D>(Form);
    for (TvlCreator* c : std::initializer_list<TvlCreator*>{text, labels, boxes}) {
        static_cast<TCustomTxtGenerator2&>(c->Generator()).SetWordBreak(6);
        Creators.push_back(c);
    }
    for (TvlCreator* c : Creators) {
        c->SetDrawForm(Box);
        c->Generator().SetWidth(40);
        c->Generator().SetHeight(20);
    }
    Box->ScaleSetting().SetCanvas(&Canvas);
    ActScaleSet = &Box->ScaleSetting();
}

TWorld::~TWorld() { ActScaleSet = nullptr; }

TWorld& World() {
    static TWorld world;
    return world;
}

std::vector<uint8_t> SaveObjects(const std::vector<TvlObject*>& objects, TPstMode mode) {
    SetFileHeader();
    TMemoryStream s;
    for (TvlObject* o : objects) o->Persist(&s, mode);
    return s.Bytes();
}

} // namespace vl::fuzz
