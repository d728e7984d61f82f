#include "fuzz_world.h"

#include <optional>
#include <string>

#include "velloran/foundations/errors.h"
#include "velloran/foundations/stream.h"
#include "velloran/objects/paste_ids.h"
#include "velloran/platform/headless_services.h"
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

TWorld& HeadlessWorld() {
    static THeadlessServices services;
    static TServicesScope scope(services);
    return World();
}

std::vector<uint8_t> SaveObjects(const std::vector<TvlObject*>& objects, TPstMode mode) {
    SetFileHeader();
    TMemoryStream s;
    for (TvlObject* o : objects) o->Persist(&s, mode);
    return s.Bytes();
}

namespace {

constexpr size_t MaxObjects = 32;

std::vector<std::unique_ptr<TvlObject>> ReadRecords(TStream& s, TPstMode mode, TPickCreator pick, TWorld& w) {
    std::vector<std::unique_ptr<TvlObject>> objects;
    while (s.Remaining() > 0 && objects.size() < MaxObjects) {
        std::unique_ptr<TvlObject> o = pick(s.ReadUInt8(), w)->CreateObject();
        // A paste gives every object a fresh identity before it reads.
        if (mode == TPstMode::pstPaste) o->Count();
        o->Persist(&s, mode);
        objects.push_back(std::move(o));
    }
    return objects;
}

} // namespace

std::vector<TvlObject*> LoadObjectRecords(TFuzzInput& in, TPickCreator pick) {
    TWorld& w = World();
    const uint8_t options = in.Byte();
    const bool paste = options & 0x10;
    const TPstMode mode = paste ? TPstMode::pstPaste : TPstMode::pstLoad;
    SetVersion(options & 7, options & 8);
    std::vector<TvlObject*> loaded;
    std::optional<TPasteScope> pasting;
    if (paste) pasting.emplace();
    TMemoryStream s(in.Rest());
    std::vector<std::unique_ptr<TvlObject>> objects;
    try {
        objects = ReadRecords(s, mode, pick, w);
    } catch (const EReadError&) {
    } catch (const EInvalidGraphic&) {
    }
    // The records read before a failure are kept, as a paste keeps them.
    for (auto& o : objects) {
        loaded.push_back(o.get());
        w.Doc->Add(std::move(o), 0);
    }
    for (TvlObject* o : loaded) o->Persist(nullptr, paste ? TPstMode::pstConnectCopy : TPstMode::pstConnect);
    return loaded;
}

void CheckSavesBack(const std::vector<TvlObject*>& objects, const char* kind) {
    const std::vector<uint8_t> saved = SaveObjects(objects);
    TMemoryStream again(saved);
    std::vector<std::unique_ptr<TvlObject>> reread;
    for (TvlObject* o : objects) {
        again.ReadInt16();
        reread.push_back(o->Tool()->CreateObject());
        reread.back()->Persist(&again, TPstMode::pstLoad);
    }
    if (again.Remaining() != 0) Fail(("saved " + std::string(kind) + " not read to their end").c_str());
    // Links resolve against the loaded objects, which carry the same identities.
    std::vector<TvlObject*> rereadPtrs;
    for (auto& o : reread) {
        o->Persist(nullptr, TPstMode::pstConnect);
        rereadPtrs.push_back(o.get());
    }
    if (SaveObjects(rereadPtrs) != saved) Fail(("saved " + std::string(kind) + " read back different").c_str());
}

} // namespace vl::fuzz
