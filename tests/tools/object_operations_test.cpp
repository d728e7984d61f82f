// Moving single objects from code: dependants, snapping, nothing left marked.

#include "tool_fixture.h"
#include "velloran/view/object_operations.h"

namespace vl::test {
namespace {

using enum TIndividualFlag;

class ObjectOperationsTest : public PointsTest {
protected:
    ObjectOperationsTest() { Labels->Generator().SetCounter(1); }
    ~ObjectOperationsTest() override {
        delete Doc; // the label's creator goes first
        Doc = nullptr;
    }
    TvlPoints* Labels = AddTool<TvlPoints>();
    TvlObject* A = Points->SetNewObj({100, 100});
    TvlObject* B = Points->SetNewObj({200, 100});
    TvlObject* Label = Labels->CreateSlaveAt(A, 0, 30);
};

TEST_F(ObjectOperationsTest, MovingTakesTheDependantsAlongAndLeavesNothingMarked) {
    MarkObject(B);
    Host->ClearRecords();
    MoveObject(A, {15, -5});
    EXPECT_EQ(A->GetPos(), (TPoint{115, 95}));
    EXPECT_EQ(Label->GetPos(), (TPoint{115, 125}));
    EXPECT_EQ(B->GetPos(), (TPoint{200, 100}));
    EXPECT_EQ(Doc->MarkCase().Count(), 0);
    EXPECT_FALSE(Label->State.Contains(isCantMove));
    // The old and the new place are repainted.
    const TRect r = Host->InvalidRect().value_or(TRect{});
    EXPECT_TRUE(r.Left <= 100 && r.Top <= 95 && r.Right >= 135 && r.Bottom >= 145);

    MoveObjectTo(A, {50, 60});
    EXPECT_EQ(A->GetPos(), (TPoint{50, 60}));
    Box->Grid().SetCapture(true); // increments 100
    MoveObject(A, {149, 30});
    EXPECT_EQ(A->GetPos(), (TPoint{150, 60}));
    MoveObject(nullptr, {1, 1});
}

} // namespace
} // namespace vl::test
