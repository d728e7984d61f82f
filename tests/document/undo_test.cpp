#include <random>

#include "document/file_fixture.h"

namespace vl::test {
namespace {

using enum TUndoOptions;

class UndoTest : public FileTest {
protected:
    void Start(TUndo Function, int32_t Steps) {
        Doc->SetUndoFunction(Function);
        Doc->SetUndoSteps(Steps);
        Doc->Loaded();
    }
    // One creator activation: one undo step, then the symbols.
    TvlObject* Create(TPoint p) {
        Tool->Activate(nullptr);
        return Sym(Tool, p);
    }
    void Move(TvlObject* o, TPoint delta) {
        Doc->Select(o);
        Box->MoveObjects(delta);
    }
    void Delete(TvlObject* o) {
        Doc->Select(o);
        Doc->DeleteObjects();
    }
    std::vector<std::string> State() {
        std::vector<std::string> s = Drawing();
        for (uint16_t c : Doc->Counters()) s.push_back("c" + std::to_string(c));
        return s;
    }
};

TEST_F(UndoTest, UndoFunctionKeepsStepsConsistentAndStepsAreClampedNotWrapped) {
    Doc->SetUndoFunction(TUndo{unMove});
    EXPECT_EQ(Doc->UndoSteps(), 1);
    Doc->SetUndoSteps(5);
    Doc->SetUndoFunction(TUndo{unMove, unDelete});
    EXPECT_EQ(Doc->UndoSteps(), 5);
    Doc->SetUndoFunction(TUndo{});
    EXPECT_EQ(Doc->UndoSteps(), 0);
    Doc->Loaded();
    EXPECT_EQ(Doc->UndoManager(), nullptr);
    EXPECT_EQ(Doc->Undo(), 0);
    EXPECT_EQ(Doc->Redo(), 0);

    Start(TUndo{unCreate}, 300);
    ASSERT_NE(Doc->UndoManager(), nullptr);
    EXPECT_EQ(Doc->UndoManager()->Steps(), 255);

    // Assigning a document takes its undo kinds, not its 300 steps.
    TvlDataModule copy(nullptr);
    copy.Assign(*Doc);
    EXPECT_EQ(copy.UndoFunction(), TUndo{unCreate});
    EXPECT_EQ(copy.UndoSteps(), 1);
}

TEST_F(UndoTest, OneStepUndoesOnlyTheLastOperation) {
    Start(TUndo{unCreate}, 1);
    Create({0, 0});
    const auto afterFirst = State();
    Create({50, 0});
    EXPECT_EQ(Doc->Undo(), 0);
    EXPECT_EQ(State(), afterFirst);
    EXPECT_EQ(Doc->Undo(), 0);
    EXPECT_EQ(State(), afterFirst);
}

TEST_F(UndoTest, CreateMoveUndoUndoRedoRedo) {
    Start(TUndo{unCreate, unMove}, 5);
    const auto empty = State();
    TvlObject* a = Create({10, 10});
    const auto created = State();
    Move(a, {30, 5});
    const auto moved = State();
    ASSERT_NE(moved, created);
    TUndoManager& m = *Doc->UndoManager();

    EXPECT_EQ(Doc->Undo(), 1);
    EXPECT_EQ(State(), created);
    const int32_t entries = m.Count();
    EXPECT_EQ(Doc->Undo(), 0);
    EXPECT_EQ(State(), empty);
    EXPECT_EQ(m.Count(), entries) << "no second redo snapshot";
    EXPECT_EQ(m.Backup(1)->BackupMode(), TBackupMode::bkCreate);
    EXPECT_TRUE(m.Backup(1)->ExMoveMode());

    EXPECT_EQ(Doc->Redo(), 1);
    EXPECT_EQ(State(), created);
    EXPECT_EQ(Doc->Redo(), 0);
    EXPECT_EQ(State(), moved);
    EXPECT_EQ(Doc->Redo(), 0);
}

TEST_F(UndoTest, MoveBackupHoldsOnlyTheMovedRecordsAndTheArea) {
    Start(TUndo{unMove}, 3);
    for (int i = 0; i < 50; ++i) Sym(Tool, {i * 20, 0});
    TvlObject* a = Doc->ObjectAt(7, 0);
    Move(a, {0, 40});
    const TUndoStream& b = *Doc->UndoManager()->Backup(0);
    EXPECT_EQ(b.BackupMode(), TBackupMode::bkMove);
    EXPECT_EQ(b.Size(), 24 + 16);
    Doc->Undo();
    EXPECT_EQ(a->Pos.y, 0);
}

TEST_F(UndoTest, DeletionIsUndoneWithItsDependants) {
    Start(TUndo{unDelete}, 2);
    TvlObject* a = Sym(Tool, {0, 0});
    Tool2->CreateSlaveAt(a, 2, 2);
    Sym(Tool, {40, 0});
    const auto before = State();
    Delete(a);
    ASSERT_EQ(Doc->Count(), 1);
    EXPECT_EQ(Doc->Undo(), 0);
    EXPECT_EQ(State(), before);
}

// Undo and redo against a model that only remembers the states seen: past
// states (at most the step count) and the states undone.
TEST_F(UndoTest, RandomSequencesAgreeWithAModel) {
    constexpr int32_t Steps = 6;
    Start(TUndo{unCreate, unMove, unDelete}, Steps);
    int backups = 0;
    Doc->OnBackup = [&](TObject*, TBackupMode m) { backups += m != TBackupMode::bkUndo; };
    std::vector<std::vector<std::string>> past, future;
    std::mt19937 rng(14);
    auto pick = [&](int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng); };

    for (int step = 0; step < 3000; ++step) {
        const auto before = State();
        const int n = Doc->Count();
        const int op = pick(10);
        if (op < 3) {
            Create({pick(500), pick(500)});
        } else if (op == 3 && n > 0) {
            Tool->Activate(nullptr);
            Tool2->CreateSlaveAt(Doc->ObjectAt(pick(n), 0), pick(9), pick(9));
        } else if (op < 6 && n > 0) {
            Move(Doc->ObjectAt(pick(n), 0), {pick(41) - 20, pick(41) - 20});
        } else if (op == 6 && n > 0) {
            Delete(Doc->ObjectAt(pick(n), 0));
        } else if (op < 9) {
            const int32_t avail = Doc->Undo();
            if (past.empty()) {
                ASSERT_EQ(avail, 0) << step;
            } else {
                future.push_back(before);
                ASSERT_EQ(State(), past.back()) << step;
                past.pop_back();
                ASSERT_EQ(avail, int32_t(past.size())) << step;
            }
            continue;
        } else {
            const int32_t avail = Doc->Redo();
            if (!future.empty()) {
                past.push_back(before);
                ASSERT_EQ(State(), future.back()) << step;
                future.pop_back();
            }
            ASSERT_EQ(avail, int32_t(future.size())) << step;
            continue;
        }
        if (backups > 0) {
            past.push_back(before);
            if (past.size() > size_t{Steps}) past.erase(past.begin());
            future.clear();
        }
        backups = 0;
    }
}

} // namespace
} // namespace vl::test
