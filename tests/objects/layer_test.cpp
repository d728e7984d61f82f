#include <random>

#include "alloc_counter.h"
#include "list_fixture.h"
#include "velloran/document/infobox.h"
#include "velloran/objects/layer.h"
#include "velloran/platform/menu.h"

using namespace vl;
using namespace vl::test;
using enum TIndividualFlag;

namespace {

using B = std::vector<uint8_t>;
using Objs = std::vector<TvlObject*>;

// A box object whose limits are set directly.
class TLimObj : public TBoxObj {
public:
    using TBoxObj::TBoxObj;
    TLimRec L{0, 0, 10, 10};
    TLimRec GetLimits() const override { return L; }
};

// Remembers every report instead of showing it.
class TRecordingInfobox : public TInfobox {
public:
    TRecordingInfobox() : TInfobox(nullptr, nullptr) { Infobox = this; }
    void BoxMessage(int32_t Code, const TInfoParams& Params) override { Messages.push_back({Code, Params}); }
    void Count(int32_t Value) override {
        Counts.push_back(Value);
        if (OnCount) OnCount(Value);
    }
    std::vector<std::pair<int32_t, TInfoParams>> Messages;
    std::vector<int32_t> Counts;
    std::function<void(int32_t)> OnCount;
};

class Layer : public ListTest {
protected:
    void SetUp() override {
        ListTest::SetUp();
        Tool->OnObjectSetClass = [](TCapClass& k) { k = CapClassOf<TBoxObj>; };
        Tool->Generator().SetZOrder(0);
    }
    template <typename T = TBoxObj> T* Put(TvlLayer& l, TvlCreator* c, TPoint p) {
        auto o = std::make_unique<T>(c);
        o->SetPos(p);
        o->State.Include(isVisible);
        T* raw = o.get();
        l.Add(std::move(o));
        return raw;
    }
    B Saved(TvlLayer& l) {
        TMemoryStream s;
        l.SaveToStream(s);
        return s.Bytes();
    }
    void Load(TvlLayer& l, const B& bytes) {
        TMemoryStream s(bytes);
        l.LoadFromStream(s, &Form);
        EXPECT_EQ(s.Remaining(), 0);
    }
    TvlLayer L{u"", 8};
};

// Tool's record of a visible object at (100, -2).
const B Rec100{1, 0, 0, 0, 1, 0, 0x64, 0, 0, 0, 0xFE, 0xFF, 0xFF, 0xFF, 0, 0, 0, 0, 0, 0, 0, 0};
// The same body (without class number) as streams before 0x2090 hold it: a 32-bit identity.
const B OldBody{7, 0, 0, 0, 1, 0, 0x64, 0, 0, 0, 0xFE, 0xFF, 0xFF, 0xFF, 0, 0, 0, 0, 0, 0, 0, 0};

B Cat(std::initializer_list<B> parts) {
    B r;
    for (const B& p : parts) r.insert(r.end(), p.begin(), p.end());
    return r;
}

TEST_F(Layer, RecordsWithAndWithoutName) {
    EXPECT_EQ(Saved(L), (B{0, 0, 0, 0, 0x01, 0x80}));

    TvlLayer named(u"Ab");
    Put(named, Tool, {100, -2});
    const B golden = Cat({{2, 0, 0, 0, 'A', 0, 'b', 0, 0, 0}, Rec100, {0x01, 0x80}});
    EXPECT_EQ(Saved(named), golden);
    named.SetName(u"");
    EXPECT_EQ(Saved(named), Cat({{0, 0, 0, 0}, Rec100, {0x01, 0x80}}));

    // Read back, written again: the same bytes.
    Load(L, golden);
    EXPECT_EQ(L.GetName(), u"Ab");
    ASSERT_EQ(L.Count(), 1);
    EXPECT_EQ(L.GetItems(0)->GetPos(), (TPoint{100, -2}));
    EXPECT_EQ(L.GetItems(0)->Tool(), Tool);
    EXPECT_EQ(Saved(L), golden);
}

TEST_F(Layer, ReadsOlderVersions) {
    // Before 0x2004 no name; before 0x2090 class numbers of 32 bits whose low half counts.
    FileHeader.Velloran = -0x2003;
    Load(L, Cat({{1, 0, 0x34, 0x12}, OldBody, {0x01, 0x80, 0, 0}}));
    EXPECT_EQ(L.GetName(), u"");
    ASSERT_EQ(L.Count(), 1);
    EXPECT_EQ(L.GetItems(0)->ObjID, 7);

    FileHeader.Velloran = -0x2004;
    TvlLayer a;
    Load(a, Cat({{1, 0, 0, 0, 'Q', 0, 0, 0}, {1, 0, 0, 0}, OldBody, {0x01, 0x80, 0, 0}}));
    EXPECT_EQ(a.GetName(), u"Q");
    EXPECT_EQ(a.Count(), 1);

    // Hosts before 0x09000000 wrote 8-bit names.
    SetFileHeader();
    FileHeader.HostVersion = 0x08000000;
    TvlLayer b;
    Load(b, {2, 0, 0, 0, 'A', 0xE9, 0, 0x01, 0x80});
    EXPECT_EQ(b.GetName(), u"A\u00E9");
}

TEST_F(Layer, FindsCreatorsByIndexIdentityAndTranslation) {
    Tool2->OnObjectSetClass = [](TCapClass& k) { k = CapClassOf<TBoxObj>; };
    TvlCreator* other = CreatorZ(0);
    // Fixed identities: the last creator with it wins.
    for (TvlCreator* c : {Tool2, other}) c->ChangeID = [](TObject*, TNewID& id) { id = -7; };
    B rec = Rec100;
    rec[0] = 0xF9, rec[1] = 0xFF;
    TMapper map({{5, 1}});
    Load(L, Cat({{0, 0, 0, 0}, rec, {0x01, 0x80}}));
    Mapper = &map;
    rec[0] = 5, rec[1] = 0;
    Load(L, Cat({{0, 0, 0, 0}, rec, {0x01, 0x80}}));
    ASSERT_EQ(L.Count(), 2);
    EXPECT_EQ(L.GetItems(0)->Tool(), other);
    EXPECT_EQ(L.GetItems(1)->Tool(), Tool);
}

TEST_F(Layer, DamagedRecordsAbortSilently) {
    TvlLayer full(u"Name");
    Put(full, Tool, {1, 2});
    Put(full, Tool, {3, 4});
    const B golden = Saved(full);
    // Every truncation, and class numbers without a creator: the box (0),
    // beyond the components, an unknown identity, a creator without a class.
    for (size_t n = 0; n < golden.size(); ++n) {
        TvlLayer l;
        TMemoryStream s(B(golden.begin(), golden.begin() + static_cast<std::ptrdiff_t>(n)));
        EXPECT_THROW(l.LoadFromStream(s, &Form), EAbort) << n;
    }
    for (B nr : {B{0, 0}, B{99, 0}, B{0xFB, 0xFF}, B{2, 0}}) {
        TvlLayer l;
        B bad = Rec100;
        bad[0] = nr[0], bad[1] = nr[1];
        TMemoryStream s(Cat({{0, 0, 0, 0}, Rec100, bad, {0x01, 0x80}}));
        EXPECT_THROW(l.LoadFromStream(s, &Form), EAbort);
        EXPECT_EQ(l.Count(), 1);
    }

    // Garbage, and names far longer than the stream, allocate nothing of that size.
    GLargestAllocation = 0;
    std::mt19937 rng(11);
    for (int round = 0; round < 2000; ++round) {
        B junk = golden;
        for (int k = 0; k < 4; ++k) junk[rng() % junk.size()] = static_cast<uint8_t>(rng());
        if (round % 3 == 0) junk[3] = 0x7F;
        FileHeader.HostVersion = round % 2 ? ThisHostVersion : 0x08000000;
        TvlLayer l;
        TMemoryStream s(junk);
        try {
            l.LoadFromStream(s, &Form);
        } catch (const EAbort&) {
        }
    }
    EXPECT_LT(GLargestAllocation, 64u * 1024);
}

TEST_F(Layer, LimitsOnlyGrow) {
    ActScaleSet->State = {};
    Put(L, Tool, {0, 0});
    EXPECT_EQ(L.GetLimits(), (TLimRec{-3, -3, 43, 23}));
    EXPECT_TRUE(ActScaleSet->State.Contains(TScaleFlag::scNewLimits));
    ActScaleSet->State = {};
    TBoxObj* inner = Put(L, Tool, {0, 0});
    EXPECT_FALSE(ActScaleSet->State.Contains(TScaleFlag::scNewLimits));
    inner->SetPos({100, 50});
    L.DeleteObjects();
    EXPECT_EQ(L.GetLimits(), (TLimRec{-3, -3, 143, 73}));
    EXPECT_TRUE(ActScaleSet->State.Contains(TScaleFlag::scNewLimits));

    // Unresolved slaves and the free directions are left out.
    auto wait = std::make_unique<TBoxObj>(Tool);
    wait->SetPos({-500, -500});
    wait->State.Include(isConnect);
    L.Add(std::move(wait));
    auto wide = std::make_unique<TBoxObj>(Tool);
    TBoxObj* w = wide.get();
    wide->SetPos({-1000, 1000});
    wide->State.Include(isNoHorzLimit);
    L.Add(std::move(wide));
    EXPECT_EQ(L.GetLimits(), (TLimRec{-3, -3, 143, 1023}));

    // The extreme values stand for unbounded.
    auto* edge = Put<TLimObj>(L, Tool, {});
    edge->L = {-2147483643, -2147483644, 2147483644, 2147483643};
    L.CheckLimits(*edge);
    EXPECT_EQ(L.GetLimits(), (TLimRec{-2147483646, -3, 143, 2147483646}));

    // Only a recalculation shrinks them.
    edge->L = {0, 0, 10, 10};
    w->State.Include(isNoVertLimit);
    inner->SetPos({0, 0});
    L.RecalcLimits();
    EXPECT_FALSE(L.State.Contains(TListFlag::lsNewLimits));
    EXPECT_EQ(L.GetLimits(), (TLimRec{-3, -3, 43, 23}));
}

TEST_F(Layer, OutsideLimitsOnTheBorder) {
    auto* a = Put<TLimObj>(L, Tool, {});
    a->L = {0, 0, 10, 10};
    EXPECT_FALSE(L.IsOutsideLimits(*a, true));
    EXPECT_TRUE(L.IsOutsideLimits(*a, false));
    auto* b = Put<TLimObj>(L, Tool, {});
    b->L = {1, 1, 9, 9};
    EXPECT_FALSE(L.IsOutsideLimits(*b, false));
    b->L = {1, 1, 9, 11};
    EXPECT_TRUE(L.IsOutsideLimits(*b, true));
}

TEST_F(Layer, FullTraversalRebuildsTheLimits) {
    TBoxObj* a = Put(L, Tool, {0, 0});
    TBoxObj* b = Put(L, Tool, {100, 0});
    TBoxObj* c = Put(L, Tool, {200, 0});
    a->SetPos({10, 10});
    L.InitLimits();
    EXPECT_EQ(L.GetLimits(), (TLimRec{EmptyLimMin, EmptyLimMin, EmptyLimMax, EmptyLimMax}));
    // The walk may free an object and clear its entry; the list is packed after.
    Objs seen;
    L.AllObjects(
        [&](TvlObject* o, void*) {
            seen.push_back(o);
            if (o == c) {
                L.SetItems(L.IndexOf(c), nullptr);
                delete c;
            }
        },
        &noParam);
    EXPECT_EQ(seen, (Objs{a, b, c}));
    EXPECT_EQ(Items(L), (Objs{a, b}));
    EXPECT_EQ(L.GetLimits(), (TLimRec{7, -3, 143, 33}));
    EXPECT_FALSE(L.State.Contains(TListFlag::lsNewLimits));
    // Without lsNewLimits the walk leaves the limits alone.
    b->SetPos({500, 0});
    L.AllObjectsBack([](TvlObject*, void*) {}, &noParam);
    EXPECT_EQ(L.GetmaxY(), 33);
    EXPECT_EQ(L.GetMaxX(), 143);
    L.InitLimits();
    seen.clear();
    L.AllObjectsBack([&](TvlObject* o, void*) { seen.push_back(o); }, &noParam);
    EXPECT_EQ(seen, (Objs{b, a}));
    EXPECT_EQ(L.GetLimits(), (TLimRec{7, -3, 543, 33}));
}

TEST_F(Layer, Stacking) {
    TvlObject* b = Put(L, CreatorZ(5), {});
    TvlObject* d = Put(L, CreatorZ(3), {});
    TvlObject* a = Put(L, Tool, {});
    TvlObject* c = Put(L, Tool, {});
    ASSERT_EQ(Items(L), (Objs{b, d, a, c}));

    EXPECT_EQ(L.BringToFront(b, false), 3);
    EXPECT_EQ(Items(L), (Objs{d, a, c, b}));
    EXPECT_TRUE(L.State.Contains(TListFlag::lsZOrder));
    EXPECT_EQ(L.BringToFront(b, true), 0);
    EXPECT_EQ(L.SendToBack(c, false), 0);
    EXPECT_EQ(Items(L), (Objs{c, b, d, a}));
    // By ZOrder: just in front of the last object with a larger one.
    EXPECT_EQ(L.SendToBack(c, true), 2);
    EXPECT_EQ(L.SendToBack(d, true), 1);
    EXPECT_EQ(L.SendToBack(b, true), 0);
    EXPECT_EQ(Items(L), (Objs{b, d, c, a}));

    // Moved objects are repainted.
    Doc->InitRestoreRect();
    L.BringToFront(a, true);
    EXPECT_EQ(Doc->RestoreRect(), a->GetMaxLimits());

    TBoxObj stranger(Tool);
    EXPECT_EQ(L.BringToFront(&stranger, true), -1);
    EXPECT_EQ(L.SendToBack(&stranger, false), -1);
    EXPECT_EQ(L.SendToBack(nullptr, false), -1);
    EXPECT_EQ(L.Count(), 4);
}

TEST_F(Layer, DeletingAndFreeingObjects) {
    Objs o;
    for (int i = 0; i < 5; ++i) o.push_back(Put(L, Tool, {i * 10, 0}));
    const TLimRec before = L.GetLimits();
    for (int i : {0, 2, 3}) o[i]->State.Include(isDeleted);
    L.DeleteObjects();
    EXPECT_EQ(Items(L), (Objs{o[1], o[4]}));
    EXPECT_EQ(Tool->Generator().Instance(), 2);
    o[1]->State.Include(isDeleted);
    o[4]->State.Include(isDeleted);
    L.DeleteObjects();
    EXPECT_EQ(L.Count(), 0);
    EXPECT_EQ(L.GetLimits(), before);

    Put(L, Tool, {});
    Put(L, Tool, {});
    L.FreeAll();
    EXPECT_EQ(Tool->Generator().Instance(), 0);
    EXPECT_EQ(Items(L), (Objs{nullptr, nullptr}));
}

TEST_F(Layer, VisibilityAndSwitch) {
    THeadlessWindowHost host(Box);
    L.SetVisible(false);
    EXPECT_TRUE(host.Invalidations().empty()); // nothing to repaint yet
    Put(L, Tool, {0, 0});
    Put(L, Tool, {100, 50});
    std::unique_ptr<TvlObject> out(L.GetItems(0));
    L.SetItems(0, nullptr);
    Doc->RestoreRect() = {-1000, -1000, 1000, 1000};

    TMenuItem item;
    L.Switch(&item);
    EXPECT_TRUE(L.GetVisible());
    EXPECT_TRUE(item.Checked());
    EXPECT_EQ(L.Count(), 1);
    // The layer's limits replace the pending area.
    ASSERT_EQ(host.Invalidations().size(), 1u);
    EXPECT_EQ(host.Invalidations()[0].Rect, (TRect{-3, -3, 143, 73}));
    L.Switch(&item);
    EXPECT_FALSE(L.GetVisible());
    EXPECT_FALSE(item.Checked());
    L.Switch(nullptr);
    EXPECT_TRUE(L.GetVisible());
}

TEST_F(Layer, ProgressReportsAndUserbreak) {
    TvlLayer named(u"Ab");
    Put(named, Tool, {100, -2});
    Put(named, Tool2, {});
    Put(named, Tool, {100, -2});
    Tool2->Generator().SetRTOptions({TRuntimeOption::roDontSave});
    {
        TRecordingInfobox info;
        const B bytes = Saved(named);
        EXPECT_EQ(bytes, Cat({{2, 0, 0, 0, 'A', 0, 'b', 0, 0, 0}, Rec100, Rec100, {0x01, 0x80}}));
        ASSERT_EQ(info.Messages.size(), 2u);
        EXPECT_EQ(info.Messages[0].first, infoSaveLayer);
        EXPECT_EQ(std::get<String>(info.Messages[0].second), u"Ab");
        EXPECT_EQ(info.Messages[1].first, infoSaveCount);
        EXPECT_EQ(std::get<int32_t>(info.Messages[1].second), 3);
        EXPECT_EQ(info.Counts, (std::vector<int32_t>{1, 2, 3}));

        // Loading reports the stream position after each object.
        info.Counts.clear();
        Tool2->OnObjectSetClass = [](TCapClass& k) { k = CapClassOf<TBoxObj>; };
        Load(L, bytes);
        EXPECT_EQ(info.Counts, (std::vector<int32_t>{32, 54}));
    }
    {
        TRecordingInfobox info;
        info.OnCount = [](int32_t) { Userbreak = true; };
        EXPECT_EQ(Saved(named), Cat({{2, 0, 0, 0, 'A', 0, 'b', 0, 0, 0}, Rec100, {0x01, 0x80}}));
    }
    EXPECT_FALSE(Userbreak);
}

} // namespace
