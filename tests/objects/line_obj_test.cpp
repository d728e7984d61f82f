#include <numbers>

#include "point_obj_fixture.h"
#include "support/file_headers.h"
#include "velloran/generators/custom_generator.h"
#include "velloran/objects/line_obj.h"
#include "velloran/platform/detail/emf_reader.h"

using namespace vl;
using namespace vl::test;
using enum TIndividualFlag;
using enum TShapetype;
using enum TSizingHandle;

namespace {

using B = std::vector<uint8_t>;

class LineTest : public ObjectTest {
protected:
    void SetUp() override {
        ObjectTest::SetUp();
        Shape(stLine);
        L = MakeLine({0, 0}, {0, 0});
    }
    void Shape(TShapetype s) { Tool->Generator().SetShape(s); }
    TLineObj* MakeLine(TPoint a, TPoint b) {
        auto o = std::make_unique<TLineObj>(Tool);
        o->SetPos(a);
        o->SetPos2(b);
        o->SetVisible(true);
        TLineObj* l = o.get();
        Doc->Objects.push_back(std::move(o));
        return l;
    }
    // Both ends hang on masters at (100, 100) and (300, 200).
    void Attach() {
        M1 = Add(Tool2, {100, 100});
        M2 = Add(Tool2, {300, 200});
        L->SetMaster(M1);
        L->SetMaster2(M2);
    }
    void Size(TSizingHandle h, TPoint d) {
        L->State.Include(isSizing);
        SizingHandle = h;
        L->MovePos(d);
    }
    TLineObj* L = nullptr;
    TBoxObj* M1 = nullptr;
    TBoxObj* M2 = nullptr;
};

TEST_F(LineTest, BoxOfNearlyParallelLinesIsABandAroundTheFirstEnd) {
    struct Case { TPoint a, b; TLimRec box; };
    const Case cases[] = {
        {{0, 0}, {5, 100}, {-8, 0, 8, 100}},
        {{0, 0}, {-5, -100}, {-8, -100, 8, 0}},
        {{10, 10}, {-50, 12}, {-50, 2, 10, 18}},
        {{10, 10}, {18, 18}, {2, 2, 18, 18}}, // exactly Lin_prec: still a band
        {{10, 10}, {19, 30}, {10, 10, 19, 30}},
    };
    for (const Case& c : cases) {
        L->SetPos(c.a);
        L->SetPos2(c.b);
        EXPECT_EQ(L->GetLimits(), c.box) << c.b.X << ',' << c.b.Y;
    }
    EXPECT_EQ(L->GetWidth(), 9);
    EXPECT_EQ(L->GetHeight(), 20);
}

TEST_F(LineTest, LineAlphaCoversTheFullTurn) {
    const double pi = std::numbers::pi;
    struct Case { TPoint b; double a; };
    for (const Case& c : {Case{{0, 50}, pi / 2}, Case{{0, -50}, pi / 2}, Case{{-10, 0}, pi}, Case{{10, 0}, 0},
                          Case{{10, -10}, 7 * pi / 4}, Case{{-10, -10}, 5 * pi / 4}}) {
        L->SetPos2(c.b);
        EXPECT_NEAR(L->GetLineAlpha(), c.a, 1e-9) << c.b.X << ',' << c.b.Y;
        EXPECT_NEAR(L->GetAlpha(), c.a, 1e-9);
    }
    // A box shape turns by its stored angle, not by its corners.
    Shape(stRectangle);
    EXPECT_EQ(L->GetAlpha(), 0);
}

TEST_F(LineTest, SquareShapesKeepTheirSecondEndSquare) {
    L->SetPos({100, 100});
    Shape(stSquare);
    L->SetPos2({110, 97});
    EXPECT_EQ(L->GetPos2(), (TPoint{110, 90}));
    L->SetPos2({103, 120});
    EXPECT_EQ(L->GetPos2(), (TPoint{120, 120}));
    L->SetPos2({100, 80}); // dx = 0 goes left
    EXPECT_EQ(L->GetPos2(), (TPoint{80, 80}));
    Shape(stRectangle);
    L->SetPos2({110, 97});
    EXPECT_EQ(L->GetPos2(), (TPoint{110, 97}));
}

TEST_F(LineTest, SizingFreeAndSquareShapes) {
    Shape(stRectangle);
    L->SetPos({0, 0});
    L->SetPos2({100, 50});
    Size(szX1Y2, {5, 7});
    EXPECT_EQ(L->GetPos(), (TPoint{5, 0}));
    EXPECT_EQ(L->GetPos2(), (TPoint{100, 57}));
    Size(szHLine1, {9, -3});
    EXPECT_EQ(L->GetPos(), (TPoint{5, -3}));

    Shape(stSquare);
    L->SetPos({0, 0});
    L->SetPos2({50, 50});
    Size(szX1Y1, {3, -10}); // y moves, then the width follows the height
    EXPECT_EQ(L->GetPos(), (TPoint{-10, -10}));
    EXPECT_EQ(L->GetPos2(), (TPoint{50, 50}));
    Size(szX2Y2, {20, 4}); // x moves, then the height follows the width
    EXPECT_EQ(L->GetPos2(), (TPoint{70, 70}));
    Size(szVLine2, {-10, 99}); // the larger y follows the new width
    EXPECT_EQ(L->GetPos(), (TPoint{-10, -10}));
    EXPECT_EQ(L->GetPos2(), (TPoint{60, 60}));

    // Without a handle the move is plain, and the options can hold an axis.
    SizingHandle = szNone;
    Tool->Generator().SetOptions({TGeneratorOption::goNoVertMove});
    L->MovePos({5, 5});
    EXPECT_EQ(L->GetPos(), (TPoint{-5, -10}));
    EXPECT_EQ(L->GetPos2(), (TPoint{65, 60}));
}

TEST_F(LineTest, HandlesAndTheirCursors) {
    L->SetPos({0, 0});
    L->SetPos2({100, 50});
    const int32_t t = ActScaleSet->GetTempFrame();
    struct Case { TShapetype s; TPoint p; TSizingHandle h; TCursor c; };
    const Case cases[] = {
        {stLine, {100 + t, 50 - t}, szX2Y2, crSizeNWSE},
        {stLine, {0, 50}, szNone, crArrow}, // a box corner is no line handle
        {stRectangle, {0, 50}, szX1Y2, crSizeNWSE},
        {stRectangle, {100, 25}, szVLine2, crSizeWE},
        {stRectangle, {60, 50 + t}, szHLine2, crSizeNS},
        {stEllipse, {50, 0}, szHLine1, crSizeNS},
        {stEllipse, {0, 0}, szNone, crArrow},
    };
    for (const Case& c : cases) {
        Shape(c.s);
        SizingHandle = szRotate;
        EXPECT_EQ(L->SizingHandles(c.p, TSizeMode::smCheck), c.h != szNone);
        EXPECT_EQ(SizingHandle, c.h);
        EXPECT_EQ(Box->Cursor(), c.c);
    }
    // A line rising on screen takes the other diagonal.
    Shape(stLine);
    L->SetPos2({100, -50});
    EXPECT_TRUE(L->SizingHandles({0, 50}, TSizeMode::smCheck));
    EXPECT_EQ(Box->Cursor(), crSizeNESW);
    // Drawing the handles leaves a running drag alone.
    L->SizingHandles({-999, -999}, TSizeMode::smShape);
    EXPECT_EQ(SizingHandle, szX1Y1);
}

TEST_F(LineTest, AttachedEndsFollowTheirMastersAndIgnoreMoves) {
    Attach();
    EXPECT_EQ(L->GetPos(), (TPoint{100, 100}));
    EXPECT_EQ(L->GetPos2(), (TPoint{300, 200}));
    EXPECT_EQ(L->GetMaster(), M1);
    EXPECT_EQ(L->GetMaster2(), M2);
    L->MovePos({10, 10});
    L->SetPos({0, 0});
    L->SetPos2({0, 0});
    L->Rotate({0, 0}, 1);
    EXPECT_EQ(L->GetPos(), (TPoint{100, 100}));
    EXPECT_EQ(L->GetPos2(), (TPoint{300, 200}));
    M2->MovePos({-50, 20});
    EXPECT_EQ(L->GetPos2(), (TPoint{250, 220}));

    // Released, an end stays where it was.
    L->SetMaster2(nullptr);
    EXPECT_EQ(L->GetMaster2(), L);
    M2->MovePos({7, 7});
    EXPECT_EQ(L->GetPos2(), (TPoint{250, 220}));
    // Turning moves only the free end.
    L->Rotate({100, 100}, std::numbers::pi / 2);
    EXPECT_EQ(L->GetPos(), (TPoint{100, 100}));
    EXPECT_EQ(L->GetPos2(), (TPoint{-20, 250}));
}

TEST_F(LineTest, AClickOnAnAttachedEndFindsTheMasterNotTheLine) {
    Attach();
    EXPECT_FALSE(L->Found(Click(102, 101)));
    EXPECT_FALSE(L->Found(Click(301, 199)));
    EXPECT_TRUE(L->Found(Click(200, 150)));
    EXPECT_TRUE(L->Found(Click(200, 154))); // within Lin_prec / 2
    EXPECT_FALSE(L->Found(Click(200, 160)));
    // A frame over the middle finds it too.
    EXPECT_TRUE(L->Found(TLimRec{190, 120, 210, 180}));
}

TEST_F(LineTest, ShapeLineDrawsBetweenTheEndsInLocalUnits) {
    L->SetPos({50, 80});
    L->SetPos2({20, 100});
    L->Show();
    Shape(stRectangle);
    L->Show();
    std::vector<TPoint> pts;
    std::vector<TRect> rects;
    for (const TEmfRecord& r : Records()) {
        if (r.Type() == emr::MOVETOEX || r.Type() == emr::LINETO) pts.push_back(EmfPoints(r).at(0));
        if (r.Type() == emr::RECTANGLE) rects.push_back(EmfRect(r));
    }
    // The minimal corner is (20, 80); the canvas maps local to absolute.
    EXPECT_EQ(pts, (std::vector<TPoint>{{30, 0}, {0, 20}}));
    EXPECT_EQ(rects, (std::vector<TRect>{{0, 0, 30, 20}}));
}

TEST_F(LineTest, SelectionFollowsTheMastersOnMoveCopyAndDelete) {
    Attach();
    // Moving a master takes the line along.
    Doc->Select(M2);
    L->Involved(TInvolve::invMove);
    EXPECT_TRUE(L->GetSelected());
    // A line is copied only together with both masters.
    L->Involved(TInvolve::invCopy);
    EXPECT_FALSE(L->GetSelected());
    // A master with a remaining line is not deleted.
    L->Involved(TInvolve::invDelete);
    EXPECT_FALSE(M2->GetSelected());
    // Selecting the whole line selects its masters.
    L->SelectComplete(TSelectMode::smSelect);
    EXPECT_TRUE(L->GetSelected() && M1->GetSelected() && M2->GetSelected());
    L->Involved(TInvolve::invCopy);
    EXPECT_TRUE(L->GetSelected());
}

// ---- Persistence ------------------------------------------------------------------

const B FreeLine{1, 0, 7, 0, 1, 0,                                    // class, id, visible
                 10, 0, 0, 0, 0xEC, 0xFF, 0xFF, 0xFF, 0, 0, 0, 0, 0, 0, 0, 0, // (10, -20)
                 0, 0,                                                 // angle
                 0x2C, 1, 0, 0, 40, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}; // (300, 40)
const B AttachedLine{1, 0, 8, 0, 0x61, 0,                  // visible, both ends attached
                     2, 0, 3, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, // creator 2, object 3
                     0, 0,                                  // angle
                     2, 0, 4, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}; // creator 2, object 4

using LinePersist = LineTest;

TEST_F(LinePersist, FreeLineRecord) {
    L->ObjID = 7;
    L->SetPos({10, -20});
    L->SetPos2({300, 40});
    EXPECT_EQ(Saved(*L), FreeLine);
    TLineObj* r = Read<TLineObj>(Tool, FreeLine);
    EXPECT_FALSE(r->State.Contains(isConnect));
    EXPECT_EQ(r->GetPos2(), (TPoint{300, 40}));
    EXPECT_EQ(Saved(*r), FreeLine);
}

TEST_F(LinePersist, AttachedLineRecordConnectsBothEnds) {
    Attach();
    L->ObjID = 8;
    M1->ObjID = 3;
    M2->ObjID = 4;
    EXPECT_EQ(Saved(*L), AttachedLine);
    TLineObj* r = Read<TLineObj>(Tool, AttachedLine);
    EXPECT_TRUE(r->State.Contains(isConnect));
    r->Connect(Doc);
    EXPECT_EQ(r->GetMaster(), M1);
    EXPECT_EQ(r->GetMaster2(), M2);
    EXPECT_EQ(r->GetPos2(), (TPoint{300, 200}));
    EXPECT_FALSE(r->State.Contains(isConnect) || r->State.Contains(isDeleted));
}

TEST_F(LinePersist, AMissingSecondMasterFreesTheEndAndDropsTheLine) {
    B bytes = AttachedLine;
    bytes[4] = 0x41;  // only the second end attached
    bytes[26] = 9;    // to object 9, which does not exist
    TLineObj* r = Read<TLineObj>(Tool, bytes);
    r->Connect(Doc);
    EXPECT_FALSE(r->IsP2Slave());
    EXPECT_EQ(r->GetMaster2(), r);
    EXPECT_TRUE(r->State.Contains(isDeleted));
}

TEST_F(LinePersist, StreamsBefore0x2000CarryFourSkippedBytesAfterEachPosition) {
    TFileHeaderScope v(FormatVersion(0x1FFF));
    // 32-bit identity, no angle, and 4 bytes after each position record.
    B old{1, 0, 7, 0, 0, 0, 1, 0};
    old.insert(old.end(), FreeLine.begin() + 6, FreeLine.begin() + 22);
    old.insert(old.end(), {0xAA, 0xAA, 0xAA, 0xAA});
    old.insert(old.end(), FreeLine.begin() + 24, FreeLine.end());
    old.insert(old.end(), {0xBB, 0xBB, 0xBB, 0xBB});
    TLineObj* r = Read<TLineObj>(Tool, old);
    EXPECT_EQ(r->ObjID, 7);
    EXPECT_EQ(r->GetPos(), (TPoint{10, -20}));
    EXPECT_EQ(r->GetPos2(), (TPoint{300, 40}));
}

TEST_F(LinePersist, TruncatedRecordsRaiseTheReadError) { ExpectTruncationsFail<TLineObj>(Tool, FreeLine); }

} // namespace
