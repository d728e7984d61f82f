#pragma once
// A form with a draw box, a document, a creator and a recording canvas for
// the object tests; TBoxObj is an object with a box and a rectangle outline.

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <vector>

#include "support/bytes.h"
#include "velloran/document/data_mod.h"
#include "velloran/foundations/stream.h"
#include "velloran/objects/cap_list.h"
#include "velloran/objects/object.h"
#include "velloran/objects/paste_ids.h"
#include "velloran/platform/detail/emf_reader.h"
#include "velloran/platform/detail/emf_records.h"
#include "velloran/platform/headless_window_host.h"
#include "velloran/platform/metafile_canvas.h"
#include "velloran/storage/file_header.h"
#include "velloran/storage/mapper.h"
#include "velloran/tools/creator.h"
#include "velloran/view/draw_box.h"

namespace vl::test {

class TBoxObj : public TvlObject {
public:
    using TvlObject::TvlObject;
    int32_t GetWidth() const override { return Generator().Width(); }
    int32_t GetHeight() const override { return Generator().Height(); }
    void Shape() override { Canvas().Rectangle({0, 0, GetWidth(), GetHeight()}); }
    TContype Link; // a link of the object's own, as lines and labels have
};

class TTestDataMod : public TvlDataMod {
public:
    using TvlDataMod::TvlDataMod;
    std::vector<std::unique_ptr<TvlObject>> Objects;

    TLimRec GetLimits() override { return {}; }
    void InitLimits() override {}
    void AllObjects(TScaleStep Step) override {
        for (auto& o : Objects) Step(*o);
    }
    void CheckLimits(TvlObject*, bool) override {}
    TvlObject* FirstObjectWith(TFirstObjectFunc Condition) override {
        for (auto& o : Objects)
            if (Condition(o.get())) return o.get();
        return nullptr;
    }
    // The rest of the document interface is not exercised by the object tests.
    int32_t GetCount() const override { return static_cast<int32_t>(Objects.size()); }
    void CheckLinks(TInvolve) override {}
    TvlObject* ObjectAt(int32_t, int32_t) const override { return nullptr; }
    TObjIndex IndexOf(const TvlObject*) const override { return {-1, 0}; }
    using TvlDataMod::AllObjects;
    void AllObjects(TAllObjectsProc) override {}
    void AllObjectsBack(TAllObjectsProc) override {}
    TvlObject* LastObjectWith(TFirstObjectFunc) override { return nullptr; }
    TObjIndex FirstIndexWith(TFirstObjectFunc) override { return {-1, 0}; }
    TObjIndex LastIndexWith(TFirstObjectFunc) override { return {-1, 0}; }
    void RecalcLimits() override {}
    int32_t BringToFront(TObject*, bool) override { return -1; }
    int32_t SendToBack(TObject*, bool) override { return -1; }
    void Add(std::unique_ptr<TvlObject> Item, int32_t) override { Objects.push_back(std::move(Item)); }
    std::unique_ptr<TvlObject> Remove(TvlObject*) override { return nullptr; }
    void DeleteObjects() override {}
    void FreeDeletedObjects() override {}
    bool Empty() const override { return Objects.empty(); }
    void SaveToStream(TStream&) override {}
    bool LoadFromStream(TStream&) override { return false; }
};

// The form with a document of type TDoc.
template <typename TDoc> class FormTest : public ::testing::Test {
protected:
    void SetUp() override {
        // Creators before the document: the form frees in reverse order, and
        // objects must go before their creators.
        Box = NewComponent<TCustomDrawBox>(Form);
        Tool = NewComponent<TvlCreator>(Form);
        Tool2 = NewComponent<TvlCreator>(Form);
        Doc = NewComponent<TDoc>(Form);
        Box->SetDataModule(Doc);
        Doc->SetDrawForm(Box);
        for (TvlCreator* t : {Tool, Tool2}) {
            t->SetDrawForm(Box);
            t->Generator().SetWidth(10);
            t->Generator().SetHeight(10);
        }
        Tool->Generator().SetWidth(40);
        Tool->Generator().SetHeight(20);
        Cv = std::make_unique<TMetafileCanvas>(Mf);
        Box->ScaleSetting().SetCanvas(Cv.get());
        Mapping.emplace(&Box->ScaleSetting());
    }
    void TearDown() override { Mapping.reset(); }

    // The state a test changes is put back when it ends; a test installs
    // its own header, translation or paste on top with further guards.
    TFileHeaderScope Header;
    TMapperScope NoMapper{nullptr};
    TSizingHandleScope NoHandle{TSizingHandle::szNone};
    std::optional<TActScaleSetScope> Mapping;

    // A counted, visible object at p, added to the document.
    TBoxObj* Add(TvlCreator* c, TPoint p) {
        auto o = std::make_unique<TBoxObj>(c);
        o->Count();
        o->SetPos(p);
        o->SetVisible(true);
        TBoxObj* r = o.get();
        Doc->Add(std::move(o), 0);
        return r;
    }
    // A slave of m at offset (rx, ry).
    TBoxObj* AddSlave(TvlCreator* c, TvlObject* m, int16_t rx = 0, int16_t ry = 0) {
        TBoxObj* s = Add(c, {});
        s->Pos.ConObj = m;
        s->State.Include(TIndividualFlag::isSlave);
        s->Pos.RelX = rx;
        s->Pos.RelY = ry;
        return s;
    }
    template <typename Slot> static std::vector<TvlObject*> Items(const TObjectSequence<Slot>& l) {
        std::vector<TvlObject*> v;
        for (int32_t i = 0; i < l.Count(); ++i) v.push_back(l.GetItems(i));
        return v;
    }
    std::vector<TvlObject*> Marked() const { return Items(Doc->MarkCase()); }
    // An object's record as the document writes it: the class number first.
    static Bytes Saved(TvlObject& o) {
        TMemoryStream s;
        o.SaveToStream(s);
        return s.Bytes();
    }
    // Reads a record as the document does, the class number first; the
    // document keeps the object.
    template <typename T = TBoxObj> T* Read(TvlCreator* c, const Bytes& bytes, TPstMode m = TPstMode::pstLoad) {
        TMemoryStream s(bytes);
        auto o = std::make_unique<T>(c);
        if (m == TPstMode::pstPaste) o->Count();
        EXPECT_EQ(s.ReadInt16(), c->GetID());
        o->Persist(&s, m);
        EXPECT_EQ(s.Remaining(), 0);
        T* r = o.get();
        Doc->Objects.push_back(std::move(o));
        return r;
    }
    // Every shortened record (class number first) fails to read as a T.
    template <typename T, typename E = EReadError> static void ExpectTruncationsFail(TvlCreator* c, const Bytes& record) {
        for (size_t n = 2; n < record.size(); ++n) {
            TMemoryStream s(Bytes(record.begin() + 2, record.begin() + static_cast<std::ptrdiff_t>(n)));
            T o(c);
            EXPECT_THROW(o.LoadFromStream(s), E) << n;
        }
    }
    // Records drawn so far (the canvas is closed).
    std::vector<TEmfRecord> Records() {
        Cv->Close();
        return EmfRecords(Mf);
    }
    static std::vector<uint32_t> Types(const std::vector<TEmfRecord>& rs, std::initializer_list<uint32_t> keep) {
        std::vector<uint32_t> t;
        for (const auto& r : rs)
            for (uint32_t k : keep)
                if (r.Type() == k) t.push_back(k);
        return t;
    }
    static const TEmfRecord* Last(const std::vector<TEmfRecord>& rs, uint32_t type) {
        const TEmfRecord* f = nullptr;
        for (const auto& r : rs)
            if (r.Type() == type) f = &r;
        return f;
    }

    TComponent Form;
    TCustomDrawBox* Box = nullptr;
    TvlCreator* Tool = nullptr;
    TvlCreator* Tool2 = nullptr;
    TDoc* Doc = nullptr;
    TMetafile Mf;
    std::unique_ptr<TMetafileCanvas> Cv;
};

using ObjectTest = FormTest<TTestDataMod>;

} // namespace vl::test
