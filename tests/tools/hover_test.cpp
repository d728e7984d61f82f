// Hover tracking of a point creator: which object is under the mouse, when
// the application hears of it, and that the search allocates nothing.

#include <string>

#include "alloc_counter.h"
#include "tool_fixture.h"
#include "velloran/tools/vl_points.h"

namespace vl::test {
namespace {

class HoverTest : public ToolTest {
protected:
    HoverTest() {
        Points = AddTool<TvlPoints>();
        Points->OnObjectSetClass = [](TCapClass& c) { c = CapClassOf<TSymbol>; };
        AddDoc();
        A = Points->SetNewObj({0, 0});
        B = Points->SetNewObj({100, 0});
        Points->OnObjectFound = [this](TvlObject* o, bool& Accept) {
            Log += "found" + Name(o) + " ";
            Accept = o != Refused;
        };
        Points->OnObjectRelease = [this](TvlObject* o) { Log += "release" + Name(o) + " "; };
        Points->Activate(nullptr);
    }
    // A free object: a tool that looks for objects makes only slaves.
    TvlObject* Make(TPoint p) {
        auto found = std::move(Points->OnObjectFound);
        Points->OnObjectFound = nullptr;
        TvlObject* o = Points->SetNewObj(p);
        Points->OnObjectFound = std::move(found);
        return o;
    }
    std::string Name(TvlObject* o) const { return o == A ? "A" : o == B ? "B" : "?"; }

    TvlPoints* Points = nullptr;
    TvlObject* A = nullptr;
    TvlObject* B = nullptr;
    TvlObject* Refused = nullptr;
    std::string Log;
};

TEST_F(HoverTest, EventsFireOnEnteringAndLeavingNotWhileStaying) {
    Host->SendMouseMove(5, 5);
    Host->SendMouseMove(15, 12);
    EXPECT_EQ(Box->MouseFnd(), A);
    // Leaving A for B: B is found before A is released.
    Host->SendMouseMove(105, 5);
    EXPECT_EQ(Box->MouseFnd(), B);
    Host->SendMouseMove(300, 200);
    EXPECT_EQ(Box->MouseFnd(), nullptr);
    EXPECT_EQ(Log, "foundA foundB releaseA releaseB ");
}

TEST_F(HoverTest, ARefusedCandidateLetsTheSearchGoOn) {
    TvlObject* c = Make({10, 10}); // overlaps A
    Refused = A;
    Host->SendMouseMove(15, 15);
    EXPECT_EQ(Box->MouseFnd(), c);
    EXPECT_EQ(Log, "foundA found? ");
}

TEST_F(HoverTest, WithoutOnObjectFoundTheMoveDoesNothing) {
    Points->OnObjectFound = nullptr;
    Host->SendMouseMove(5, 5);
    EXPECT_EQ(Box->MouseFnd(), nullptr);
    EXPECT_EQ(Doc->Visited, 0);
}

TEST_F(HoverTest, TheSearchAllocatesNothingPerObject) {
    for (int i = 0; i < 2000; ++i) Make({1000 + 30 * (i % 100), 1000 + 30 * (i / 100)});
    Host->SendMouseMove(5, 5);
    Host->SendMouseMove(300, 200);
    Doc->Visited = 0;
    const long before = GAllocations;
    Points->MouseMove({}, {5000, 5000});
    Points->MouseMove({}, {2001, 1001});
    EXPECT_EQ(GAllocations - before, 0);
    EXPECT_GT(Doc->Visited, 2000);
    EXPECT_NE(Box->MouseFnd(), nullptr);
}

} // namespace
} // namespace vl::test
