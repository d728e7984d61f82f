// Hover tracking of a point creator: the object under the mouse, when the
// application hears of it, and that the search allocates nothing.

#include <string>

#include "support/alloc_counter.h"
#include "tool_fixture.h"
#include "velloran/tools/vl_points.h"

namespace vl::test {
namespace {

class HoverTest : public ToolTest {
protected:
    HoverTest() {
        Points = AddTool<TvlPoints>();
        AddDoc();
        A = Points->SetNewObj({0, 0});
        B = Points->SetNewObj({100, 0});
        C = Points->SetNewObj({10, 10}); // overlaps A
        Points->OnObjectFound = [this](TvlObject* o, bool& Accept) {
            Log += "found" + Name(o) + " ";
            Accept = o != Refused;
        };
        Points->OnObjectRelease = [this](TvlObject* o) { Log += "release" + Name(o) + " "; };
        Points->Activate(nullptr);
    }
    std::string Name(TvlObject* o) const { return o == A ? "A" : o == B ? "B" : "C"; }

    TvlPoints* Points = nullptr;
    TvlObject *A = nullptr, *B = nullptr, *C = nullptr, *Refused = nullptr;
    std::string Log;
};

TEST_F(HoverTest, EventsFireOnEnteringAndLeavingNotWhileStaying) {
    Host->SendMouseMove(5, 5);
    Host->SendMouseMove(15, 12);
    EXPECT_EQ(Box->MouseFnd(), A);
    Host->SendMouseMove(105, 5);
    EXPECT_EQ(Box->MouseFnd(), B);
    Host->SendMouseMove(300, 200);
    EXPECT_EQ(Box->MouseFnd(), nullptr);
    // B is found before A is released.
    EXPECT_EQ(Log, "foundA foundB releaseA releaseB ");
}

TEST_F(HoverTest, ARefusedCandidateLetsTheSearchGoOn) {
    Refused = A;
    Host->SendMouseMove(15, 15);
    EXPECT_EQ(Box->MouseFnd(), C);
    EXPECT_EQ(Log, "foundA foundC ");
}

TEST_F(HoverTest, TheSearchAllocatesNothingPerObject) {
    Points->OnObjectFound = nullptr;
    for (int i = 0; i < 2000; ++i) Points->SetNewObj({1000 + 30 * (i % 100), 1000 + 30 * (i / 100)});
    Points->OnObjectFound = [](TvlObject*, bool&) {};
    Points->OnObjectRelease = [](TvlObject*) {};
    Host->SendMouseMove(5, 5);
    const long before = GAllocations;
    Points->MouseMove({}, {5000, 5000});
    Points->MouseMove({}, {2001, 1001});
    EXPECT_EQ(GAllocations - before, 0);
    EXPECT_NE(Box->MouseFnd(), nullptr);
}

} // namespace
} // namespace vl::test
