#include <random>

#include "support/alloc_counter.h"
#include "support/file_headers.h"
#include "list_fixture.h"
#include "velloran/objects/layer.h"
#include "velloran/platform/menu.h"
#include "velloran/platform/picture.h"
#include "velloran/storage/infobox.h"
#include "velloran/storage/mapper.h"

using namespace vl;
using namespace vl::test;
using enum TIndividualFlag;

namespace {

using B = std::vector<uint8_t>;

// A box object whose limits are set directly.
class TLimObj : public TBoxObj {
public:
    using TBoxObj::TBoxObj;
    TLimRec L{0, 0, 10, 10};
    TLimRec GetLimits() const override { return L; }
};

// Keeps the reports instead of showing them.
class TRecordingInfobox : public TInfobox {
public:
    TRecordingInfobox() : TInfobox(nullptr, nullptr) {}
    void BoxMessage(int32_t Code, const TInfoParams& Params) override { Messages.push_back({Code, Params}); }
    void Count(int32_t Value) override {
        Counts.push_back(Value);
        if (BreakAt == Value) Break.emplace(true);
    }
    std::vector<std::pair<int32_t, TInfoParams>> Messages;
    std::vector<int32_t> Counts;
    int32_t BreakAt = -1;
    // Installed as the open reporter for its lifetime; a break at BreakAt
    // is what the application would request.
    TInfoboxScope Installed{this};
    std::optional<TUserbreakScope> Break;
};

class Layer : public ListTest {
protected:
    void SetUp() override {
        ListTest::SetUp();
        Tool->OnObjectSetClass = [](TCapClass& k) { k = CapClassOf<TBoxObj>; };
    }
    // Flags are set before the layer sees the object.
    template <typename T = TBoxObj> T* Put(TvlLayer& l, TvlCreator* c, TPoint p, TIndividualState s = {}) {
        auto o = std::make_unique<T>(c);
        o->SetPos(p);
        o->State = s + TIndividualState{isVisible};
        return static_cast<T*>(l.GetItems(l.Add(std::move(o))));
    }
    static B Saved(TvlLayer& l) {
        TMemoryStream s;
        l.SaveToStream(s);
        return s.Bytes();
    }
    void Load(TvlLayer& l, const B& bytes) {
        TMemoryStream s(bytes);
        l.LoadFromStream(s, &Form);
        EXPECT_EQ(s.Remaining(), 0);
    }
    TvlLayer L;
};

// Tool's record of a visible object at (100, -2), and the same after the
// class number as streams before 0x2090 hold it: a 32-bit identity.
const B Rec100{1, 0, 0, 0, 1, 0, 0x64, 0, 0, 0, 0xFE, 0xFF, 0xFF, 0xFF, 0, 0, 0, 0, 0, 0, 0, 0};
const B OldBody{7, 0, 0, 0, 1, 0, 0x64, 0, 0, 0, 0xFE, 0xFF, 0xFF, 0xFF, 0, 0, 0, 0, 0, 0, 0, 0};
const B NameAb{2, 0, 0, 0, 'A', 0, 'b', 0, 0, 0};
const B End{0x01, 0x80};

TEST_F(Layer, RecordsWithAndWithoutName) {
    EXPECT_EQ(Saved(L), (B{0, 0, 0, 0, 0x01, 0x80}));
    TvlLayer named(u"Ab");
    Put(named, Tool, {100, -2});
    const B golden = Cat({NameAb, Rec100, End});
    EXPECT_EQ(Saved(named), golden);
    named.SetName(u"");
    EXPECT_EQ(Saved(named), Cat({{0, 0, 0, 0}, Rec100, End}));

    Load(L, golden);
    EXPECT_EQ(L.GetName(), u"Ab");
    EXPECT_EQ(Saved(L), golden);
}

TEST_F(Layer, ReadsOlderVersions) {
    // Before 0x2004 no name; before 0x2090 class numbers of 32 bits whose low half counts.
    {
        TFileHeaderScope v(FormatVersion(0x2003));
        Load(L, Cat({{1, 0, 0x34, 0x12}, OldBody, {0x01, 0x80, 0, 0}}));
    }
    {
        TFileHeaderScope v(FormatVersion(0x2004));
        Load(L, Cat({{1, 0, 0, 0, 'Q', 0, 0, 0}, {1, 0, 0, 0}, OldBody, {0x01, 0x80, 0, 0}}));
    }
    EXPECT_EQ(L.GetName(), u"Q");
    ASSERT_EQ(L.Count(), 2);
    EXPECT_EQ(L.GetItems(1)->ObjID, 7);
    // Hosts before 0x09000000 wrote 8-bit names.
    TFileHeaderScope host(HostVersion(0x08000000));
    Load(L, {2, 0, 0, 0, 'A', 0xE9, 0, 0x01, 0x80});
    EXPECT_EQ(L.GetName(), u"A\u00E9");
}

TEST_F(Layer, FindsCreatorsByIdentityAndTranslation) {
    // The last creator with a fixed identity wins.
    TvlCreator* first = CreatorZ(0);
    TvlCreator* last = CreatorZ(0);
    for (TvlCreator* c : {first, last}) c->ChangeID = [](TObject*, TNewID& id) { id = -7; };
    TMapper map({{5, -7}});
    TMapperScope mapping(&map);
    B rec = Rec100;
    rec[0] = 5;
    Load(L, Cat({{0, 0, 0, 0}, rec, End}));
    EXPECT_EQ(L.GetItems(0)->Tool(), last);
}

TEST_F(Layer, DamagedRecordsAbortSilently) {
    TvlLayer full(u"Name");
    Put(full, Tool, {1, 2});
    Put(full, Tool, {3, 4});
    const B golden = Saved(full);
    for (size_t n = 0; n < golden.size(); ++n) {
        TvlLayer l;
        TMemoryStream s(B(golden.begin(), golden.begin() + static_cast<std::ptrdiff_t>(n)));
        EXPECT_THROW(l.LoadFromStream(s, &Form), EAbort) << n;
    }
    // No creator: the draw box, beyond the components, an unknown identity,
    // a creator without an object class.
    for (uint8_t nr : {0, 99, 0xFB, 2}) {
        B bad = Rec100;
        bad[0] = nr, bad[1] = nr == 0xFB ? 0xFF : 0;
        TMemoryStream s(Cat({{0, 0, 0, 0}, bad, End}));
        EXPECT_THROW(L.LoadFromStream(s, &Form), EAbort);
    }
    // Garbage, and names far longer than the stream, allocate nothing of that size.
    GLargestAllocation = 0;
    std::mt19937 rng(11);
    for (int round = 0; round < 2000; ++round) {
        B junk = golden;
        for (int k = 0; k < 4; ++k) junk[rng() % junk.size()] = static_cast<uint8_t>(rng());
        if (round % 3 == 0) junk[3] = 0x7F;
        TFileHeaderScope host(HostVersion(round % 2 ? ThisHostVersion : 0x08000000));
        TvlLayer l;
        TMemoryStream s(junk);
        try {
            l.LoadFromStream(s, &Form);
        } catch (const EAbort&) {
        }
    }
    EXPECT_LT(GLargestAllocation, 64u * 1024);
}

// Reads a picture after its base record.
class TPicObj : public TBoxObj {
public:
    using TBoxObj::TBoxObj;
    TPicture Pic;
    void Persist(TStream* s, TPstMode m) override {
        TvlObject::Persist(s, m);
        RegisterPicture(s, Pic, m);
    }
};

TEST_F(Layer, DamagedPictureAbortsSilentlyToo) {
    Tool->OnObjectSetClass = [](TCapClass& k) { k = CapClassOf<TPicObj>; };
    // A metafile picture of 8 bytes that are no metafile.
    const B picture{3, 0, 8, 0, 0, 0, 'n', 'o', 't', ' ', 'E', 'M', 'F', '!'};
    TMemoryStream s(Cat({{0, 0, 0, 0}, Rec100, picture, End}));
    EXPECT_THROW(L.LoadFromStream(s, &Form), EAbort);
}

TEST_F(Layer, LimitsGrowUntilRecalculated) {
    ActScaleSet->State = {};
    Put(L, Tool, {0, 0});
    EXPECT_TRUE(ActScaleSet->State.Contains(TScaleFlag::scNewLimits));
    TBoxObj* moved = Put(L, Tool, {0, 0});
    moved->SetPos({100, 50});
    Put(L, Tool, {-500, -500}, {isConnect});
    TBoxObj* wide = Put(L, Tool, {-1000, 1000}, {isNoHorzLimit});
    L.DeleteObjects();
    EXPECT_EQ(L.GetLimits(), (TLimRec{-3, -3, 143, 1023}));
    // The extreme values stand for unbounded.
    auto* edge = Put<TLimObj>(L, Tool, {});
    edge->L = {-2147483643, -2147483644, 2147483644, 2147483643};
    L.CheckLimits(*edge);
    EXPECT_EQ(L.GetLimits(), (TLimRec{-2147483646, -3, 143, 2147483646}));

    edge->L = {0, 0, 43, 23};
    wide->State.Include(isNoVertLimit);
    moved->SetPos({0, 0});
    L.RecalcLimits();
    EXPECT_EQ(L.GetLimits(), (TLimRec{-3, -3, 46, 26}));
    // Touching the limits is outside only when the border is excluded.
    EXPECT_FALSE(L.IsOutsideLimits(*edge, true));
    EXPECT_TRUE(L.IsOutsideLimits(*edge, false));
}

TEST_F(Layer, FullTraversalAfterInitLimitsRebuildsThem) {
    TBoxObj* a = Put(L, Tool, {10, 10});
    TBoxObj* b = Put(L, Tool, {100, 0});
    TBoxObj* c = Put(L, Tool, {900, 900});
    L.InitLimits();
    // The walk may free an object and clear its entry; the list is packed after.
    L.AllObjects(
        [&](TvlObject* o) {
            if (o == c) L.TakeAt(2).reset();
        });
    EXPECT_EQ(Items(L), (Objs{a, b}));
    EXPECT_EQ(L.GetLimits(), (TLimRec{7, -3, 143, 33}));
}

TEST_F(Layer, Stacking) {
    TvlObject* b = Put(L, CreatorZ(5), {});
    TvlObject* d = Put(L, CreatorZ(3), {});
    TvlObject* a = Put(L, Tool, {});
    TvlObject* c = Put(L, Tool, {});
    EXPECT_EQ(L.BringToFront(b, false), 3);
    EXPECT_EQ(L.BringToFront(b, true), 0);
    EXPECT_EQ(L.SendToBack(c, false), 0);
    EXPECT_EQ(Items(L), (Objs{c, b, d, a}));
    // By ZOrder: just in front of the last object with a larger one.
    EXPECT_EQ(L.SendToBack(c, true), 2);
    EXPECT_EQ(L.SendToBack(b, true), 0);
    EXPECT_EQ(Items(L), (Objs{b, d, c, a}));
    TBoxObj stranger(Tool);
    EXPECT_TRUE(L.BringToFront(&stranger, true) == -1 && L.SendToBack(&stranger, false) == -1);
    EXPECT_EQ(L.Count(), 4);
}

TEST_F(Layer, DeletingFreeingAndVisibility) {
    THeadlessWindowHost host(Box);
    Put(L, Tool, {0, 0}, {isDeleted});
    TvlObject* kept = Put(L, Tool, {100, 50});
    Put(L, Tool, {0, 0}, {isDeleted});
    L.DeleteObjects();
    EXPECT_TRUE(Items(L) == Objs{kept} && Tool->Generator().Instance() == 1);

    // The layer's limits replace the pending area; a menu item shows the state.
    Doc->RestoreRect() = {-1000, -1000, 1000, 1000};
    TMenuItem item;
    L.Switch(&item);
    EXPECT_FALSE(L.GetVisible() || item.Checked());
    ASSERT_EQ(host.Invalidations().size(), 1u);
    EXPECT_EQ(host.Invalidations()[0].Rect, (TRect{-3, -3, 143, 73}));

    kept->State.Include(isDeleted);
    L.DeleteObjects();
    EXPECT_EQ(L.GetLimits(), (TLimRec{-3, -3, 143, 73}));
    Put(L, Tool, {});
    L.FreeAll();
    EXPECT_TRUE(Tool->Generator().Instance() == 0 && Items(L) == Objs{nullptr});
}

TEST_F(Layer, ProgressReportsAndUserbreak) {
    TvlLayer named(u"Ab");
    for (TvlCreator* c : {Tool, Tool2, Tool}) Put(named, c, {100, -2});
    Tool2->Generator().SetRTOptions({TRuntimeOption::roDontSave});
    TRecordingInfobox info;
    EXPECT_EQ(Saved(named), Cat({NameAb, Rec100, Rec100, End}));
    ASSERT_EQ(info.Messages.size(), 2u);
    EXPECT_EQ(info.Messages[0], (std::pair<int32_t, TInfoParams>{infoSaveLayer, u"Ab"}));
    EXPECT_EQ(info.Messages[1], (std::pair<int32_t, TInfoParams>{infoSaveCount, 3}));
    EXPECT_EQ(info.Counts, (std::vector<int32_t>{1, 2, 3}));
    info.BreakAt = 1;
    EXPECT_EQ(Saved(named), Cat({NameAb, Rec100, End}));
    // Loading reports the stream position after each object.
    info.Counts.clear();
    Load(L, Cat({NameAb, Rec100, Rec100, End}));
    EXPECT_EQ(info.Counts, (std::vector<int32_t>{32, 54}));
}

} // namespace
