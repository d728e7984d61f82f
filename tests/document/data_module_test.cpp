#include "document/data_mod_fixture.h"

namespace vl::test {
namespace {

TEST_F(DocTest, SearchesStartAtTheStartIndexAndSpendIt) {
    std::vector<TvlObject*> o;
    for (int i = 0; i < 4; ++i) o.push_back(Add(Tool, {i * 20, 0}));
    auto only = [](std::vector<TvlObject*> hits) {
        return [hits](TvlObject* x) { return std::find(hits.begin(), hits.end(), x) != hits.end(); };
    };
    Doc->SetStartIndex({2, 0});
    EXPECT_EQ(Doc->FirstObjectWith(only({o[1]})), o[1]);
    EXPECT_EQ(Doc->StartIndex(), (TObjIndex{0, 0}));
    Doc->SetStartIndex({2, 0});
    EXPECT_EQ(Doc->FirstIndexWith(only({o[1], o[3]})), (TObjIndex{3, 0}));
    // The next search starts at the bottom again, whatever the list kept.
    EXPECT_EQ(Doc->FirstIndexWith(only({o[1], o[3]})), (TObjIndex{1, 0}));
}

TEST_F(DocTest, FindAtTakesTheLowestVisibleHit) {
    EXPECT_EQ(Doc->FindAt(0, 5, 5), nullptr);
    TBoxObj* a = Add(Tool, {0, 0});
    TBoxObj* b = Add(Tool, {0, 0});
    const TLimRec l = a->GetLimits();
    const int32_t x = (l.Xmin + l.Xmax) / 2, y = (l.Ymin + l.Ymax) / 2;
    EXPECT_EQ(Doc->FindAt(3, x, y), a);
    a->SetVisible(false);
    EXPECT_EQ(Doc->FindAt(0, x, y), b);
    EXPECT_EQ(Doc->FindAt(0, l.Xmax + 100, y), nullptr);
}

TEST_F(DocTest, DeletionTakesDependantsAndSparesSlavesOfUnmarkedMasters) {
    Tool2->Generator().SetZOrder(5);
    TBoxObj* a = Add(Tool, {0, 0});
    TBoxObj* s = AddSlave(Tool2, a);
    TBoxObj* b = Add(Tool, {50, 0});
    TBoxObj* t = AddSlave(Tool, b);
    std::vector<std::vector<TvlObject*>> atEvent;
    Doc->OnDeleteObjects = [&](TObject*) { atEvent.push_back(Marked()); };
    Doc->Select(a);
    Doc->Select(t);
    Box->SetMouseFnd(s);
    Doc->DeleteObjects();
    ASSERT_EQ(atEvent.size(), 1u);
    EXPECT_EQ(atEvent[0], (std::vector<TvlObject*>{s, a})); // z-ordered: s lies further back
    EXPECT_EQ(Content(), (std::vector<TvlObject*>{b, t}));
    EXPECT_TRUE(Marked().empty() && !t->GetSelected() && !Box->MouseFnd());

    // Only a slave whose master stays: nothing goes, no event.
    Doc->Select(t);
    Doc->DeleteObjects();
    EXPECT_EQ(atEvent.size(), 1u);
    EXPECT_EQ(Doc->Count(), 2);
}

TEST_F(DocTest, DeletionAsksADependantAfterItsMasterWhateverItsZOrder) {
    // a <- b <- c, where c's creator stacks it in front: marking b draws c
    // in, and c must not go while b stays for want of a.
    Tool2->Generator().SetZOrder(5);
    TBoxObj* a = Add(Tool, {0, 0});
    TBoxObj* b = AddSlave(Tool, a);
    TBoxObj* c = AddSlave(Tool2, b);
    int events = 0;
    Doc->OnDeleteObjects = [&](TObject*) { ++events; };
    Doc->Select(b);
    Doc->DeleteObjects();
    EXPECT_EQ(events, 0);
    EXPECT_EQ(Content(), (std::vector<TvlObject*>{c, a, b}));
    EXPECT_TRUE(Marked().empty() && !b->GetSelected() && !c->GetSelected());

    // With a marked as well the whole chain goes.
    Doc->Select(a);
    Doc->Select(b);
    Doc->DeleteObjects();
    EXPECT_EQ(events, 1);
    EXPECT_TRUE(Doc->Empty());
}

TEST_F(DocTest, DeletionTakesAChainWhoseLastSlaveStandsBeforeItsMaster) {
    // c lies in front of b, so one walk meets c before b has joined; c must
    // still go with b, or it would keep its freed master.
    Tool2->Generator().SetZOrder(5);
    TBoxObj* a = Add(Tool, {0, 0});
    TBoxObj* b = AddSlave(Tool, a);
    AddSlave(Tool2, b);
    Doc->Select(a);
    Doc->DeleteObjects();
    EXPECT_TRUE(Doc->Empty());
}

TEST_F(DocTest, DeletionOfInterleavedMarksKeepsTheRightObjects) {
    constexpr int N = 1000;
    std::vector<TvlObject*> m, s, kept;
    for (int i = 0; i < N; ++i) {
        m.push_back(Add(Tool, {i, 0}));
        s.push_back(AddSlave(Tool, m.back()));
        if (i % 2) kept.insert(kept.end(), {m[i], s[i]});
    }
    // Even masters go with their slaves; the odd slaves stay with their masters.
    for (int i = 0; i < N; ++i) Doc->Select(i % 2 ? s[i] : m[i]);
    size_t marked = 0;
    Doc->OnDeleteObjects = [&](TObject*) { marked = Marked().size(); };
    Doc->DeleteObjects();
    EXPECT_EQ(marked, size_t{N});
    EXPECT_EQ(Content(), kept);
    for (TvlObject* o : kept) EXPECT_FALSE(o->GetSelected());
}

TEST_F(DocTest, EraseAndClearFreeAndForgetReferences) {
    TBoxObj* a = Add(Tool, {0, 0});
    TBoxObj* b = Add(Tool2, {40, 40});
    EXPECT_EQ(Doc->Remove(nullptr), nullptr);
    Doc->Mark(a);
    Doc->Mark(b);
    Box->SetMouseFnd(b);
    Doc->Erase(b);
    EXPECT_EQ(Content(), (std::vector<TvlObject*>{a}));
    EXPECT_EQ(Marked(), (std::vector<TvlObject*>{a}));
    EXPECT_EQ(Box->MouseFnd(), nullptr);

    Box->SetMouseFnd(a);
    Host->ClearRecords();
    Doc->Clear();
    EXPECT_TRUE(Doc->Empty() && Marked().empty());
    EXPECT_EQ(Doc->Counters(), TCounters{0});
    EXPECT_EQ(Box->MouseFnd(), nullptr);
    EXPECT_EQ(Doc->GetminX(), EmptyLimMin);
    EXPECT_FALSE(Host->Invalidations().empty());
}

TEST_F(DocTest, FreedCreatorTakesItsObjectsAndTheirSlavesAlong) {
    TBoxObj* a = Add(Tool, {0, 0});
    TBoxObj* b = Add(Tool2, {50, 0});
    AddSlave(Tool2, a);
    Doc->Mark(a);
    Box->SetMouseFnd(a);
    Form.RemoveComponent(Tool);  // frees it
    EXPECT_EQ(Content(), std::vector<TvlObject*>{b});
    EXPECT_TRUE(Marked().empty() && !Box->MouseFnd());
    EXPECT_EQ(Tool2->Generator().Instance(), 1);
    delete Tool2;  // not through the owner
    EXPECT_TRUE(Doc->Empty());
}

TEST(DocTeardown, DocumentListedBeforeItsCreatorsIsFreedSafely) {
    // The form frees its components last-first: the creators go first here.
    TComponent form;
    auto* box = NewComponent<TCustomDrawBox>(form);
    auto* doc = NewComponent<TvlDataModule>(form);
    auto* tool = NewComponent<TvlCreator>(form);
    box->SetDataModule(doc);
    doc->SetDrawForm(box);
    tool->SetDrawForm(box);
    auto o = std::make_unique<TBoxObj>(tool);
    doc->Add(std::move(o), 0);
    EXPECT_EQ(tool->Generator().Instance(), 1);
}

} // namespace
} // namespace vl::test
