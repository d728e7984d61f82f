// Moves, turns and deletions of the mark-and-move tool and of the object
// operations, undone and redone: the drawing's bytes return exactly.

#include <cstdint>
#include <functional>
#include <vector>

#include "tool_fixture.h"
#include "velloran/foundations/stream.h"
#include "velloran/objects/line_obj.h"
#include "velloran/objects/point_obj.h"
#include "velloran/tools/custom_lines.h"
#include "velloran/tools/mark_move.h"
#include "velloran/view/object_operations.h"

namespace vl::test {
namespace {

using enum TUndoOptions;

class MarkMoveUndoTest : public PointsTest {
protected:
    MarkMoveUndoTest() {
        Svc.SetTicks(1000);
        Doc->SetUndoFunction(TUndo{unMove, unDelete});
        Doc->SetUndoSteps(10);
        Doc->Loaded();
        Labels->Generator().SetCounter(1);
        Tool->Activate(nullptr);
    }
    ~MarkMoveUndoTest() override {
        delete Doc; // the labels' creator goes first
        Doc = nullptr;
    }
    std::vector<uint8_t> Bytes() {
        TMemoryStream s;
        Doc->SaveToStream(s);
        return s.Bytes();
    }
    void Drag(TPoint p, TPoint to) {
        Host->SendMouseMove(p.X, p.Y);
        Host->SendMouseDown(TMouseButton::mbLeft, p.X, p.Y);
        Host->SendMouseUp(TMouseButton::mbLeft, p.X, p.Y); // marks
        Host->SendMouseDown(TMouseButton::mbLeft, p.X, p.Y);
        Host->SendMouseMove(to.X, to.Y);
        Host->SendMouseUp(TMouseButton::mbLeft, to.X, to.Y);
    }
    // Undo gives back the bytes before, redo those after. Redo reads a
    // whole snapshot: the objects are new ones afterwards.
    void ExpectUndoRedo(const std::vector<uint8_t>& before, const std::function<void()>& AfterUndo = {}) {
        const std::vector<uint8_t> after = Bytes();
        ASSERT_NE(after, before);
        Doc->Undo();
        EXPECT_EQ(Bytes(), before);
        if (AfterUndo) AfterUndo();
        Doc->Redo();
        EXPECT_EQ(Bytes(), after);
    }

    TMarkMove* Tool = AddTool<TMarkMove>({TToolOption::toDefaultTool});
    TvlPoints* Labels = AddTool<TvlPoints>();
    TvlObject* A = Points->SetNewObj({100, 100});
    TvlObject* Label = Labels->CreateSlaveAt(A, 0, 30);
};

TEST_F(MarkMoveUndoTest, AMoveWithItsDependantComesBackAndGoesAgain) {
    const std::vector<uint8_t> before = Bytes();
    const TPoint label = Label->GetPos();
    Drag({105, 105}, {145, 125});
    EXPECT_EQ(A->GetPos(), (TPoint{140, 120}));
    EXPECT_EQ(Doc->UndoManager()->Count(), 1);
    ExpectUndoRedo(before, [&] {
        EXPECT_EQ(A->GetPos(), (TPoint{100, 100}));
        EXPECT_EQ(Label->GetPos(), label);
    });
}

TEST_F(MarkMoveUndoTest, ATurnByTheHandleComesBack) {
    Points->Generator().SetOptions({TGeneratorOption::goRotation});
    const std::vector<uint8_t> before = Bytes();
    Drag({105, 105}, {105, 105}); // marks, shows the handles
    // The handle sits on the far corner; dragging it down a quarter turns A.
    Host->SendMouseMove(120, 120);
    Host->SendMouseDown(TMouseButton::mbLeft, 120, 120);
    Host->SendMouseMove(100, 140);
    Host->SendMouseUp(TMouseButton::mbLeft, 100, 140);
    EXPECT_EQ(A->GetPos(), (TPoint{100, 100}));
    EXPECT_NEAR(static_cast<TPointObj*>(A)->GetAlpha_DEG(), 90, 1);
    ExpectUndoRedo(before);
}

// A line's end handle moves that end alone.
TEST_F(MarkMoveUndoTest, SizingALineByItsEndHandleComesBack) {
    auto* Lines = AddTool<TvlLines>();
    Lines->SetNewObj({50, 200});
    auto* line = static_cast<TLineObj*>(Lines->SetNewObj({150, 200}));
    Tool->Activate(nullptr);
    const std::vector<uint8_t> before = Bytes();
    Drag({100, 200}, {100, 200}); // marks, shows the handles
    Drag({150, 200}, {150, 250});
    EXPECT_EQ(std::pair(line->GetPos(), line->GetPos2()), std::pair(TPoint{50, 200}, TPoint{150, 250}));
    ExpectUndoRedo(before, [&] { EXPECT_EQ(line->GetPos2(), (TPoint{150, 200})); });
}

TEST_F(MarkMoveUndoTest, MovingFromCodeFilesABackupEvenForNoDistance) {
    MoveObjectTo(A, A->GetPos());
    EXPECT_EQ(Doc->UndoManager()->Count(), 1);
    const std::vector<uint8_t> before = Bytes();
    MoveObject(A, {30, 0});
    EXPECT_EQ(Doc->UndoManager()->Count(), 2);
    ExpectUndoRedo(before);
}

TEST_F(MarkMoveUndoTest, DeletingTheMarkedObjectTakesItsDependantAndUndoBringsBoth) {
    const std::vector<uint8_t> before = Bytes();
    Drag({105, 105}, {105, 105});
    Doc->DeleteObjects();
    EXPECT_EQ(Doc->GetCount(), 0);
    EXPECT_EQ(Box->MouseFnd(), nullptr);
    Doc->Undo();
    EXPECT_EQ(Doc->GetCount(), 2);
    EXPECT_EQ(Bytes(), before);
}

} // namespace
} // namespace vl::test
