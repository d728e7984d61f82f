// Hover tracking of a point creator: the object under the mouse, when the
// application hears of it, and that the search allocates nothing.

#include <string>

#include "support/alloc_counter.h"
#include "tool_fixture.h"

namespace vl::test {
namespace {

class HoverTest : public PointsTest {
protected:
    HoverTest() {
        Points->OnObjectFound = [this](TvlObject* o, bool& Accept) {
            Log += "found" + Name(o) + " ";
            Accept = o != Refused;
        };
        Points->OnObjectRelease = [this](TvlObject* o) { Log += "release" + Name(o) + " "; };
        Points->Activate(nullptr);
    }
    std::string Name(TvlObject* o) const { return o == A ? "A" : o == B ? "B" : "C"; }

    TvlObject* A = Points->SetNewObj({0, 0});
    TvlObject* B = Points->SetNewObj({100, 0});
    TvlObject* C = Points->SetNewObj({10, 10}); // overlaps A
    TvlObject* Refused = nullptr;
};

TEST_F(HoverTest, EventsFireOnEnteringAndLeavingNotWhileStaying) {
    const std::pair<TPoint, TvlObject*> moves[] = {
        {{5, 5}, A}, {{15, 12}, A}, {{105, 5}, B}, {{300, 200}, nullptr}};
    for (const auto& [at, found] : moves) {
        Host->SendMouseMove(at.X, at.Y);
        EXPECT_EQ(Box->MouseFnd(), found);
    }
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
