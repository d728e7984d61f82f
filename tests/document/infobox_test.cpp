#include <gtest/gtest.h>

#include "velloran/document/infobox.h"
#include "velloran/platform/progress.h"

namespace vl {
namespace {

// A label that counts how often it was repainted.
class TCountingLabel : public TLabel {
public:
    int Repaints = 0;
    void Repaint() override { ++Repaints; }
};

struct InfoboxTest : ::testing::Test {
    TCountingLabel Label;
    TProgressBar Bar;
    void SetUp() override { Bar.SetStep(1); }
    void TearDown() override {
        InfoClose();
        Userbreak = false;
    }
};

TEST_F(InfoboxTest, IgnoredWhileClosed) {
    InfoMessage(infoLoading, 5000);
    InfoCount(57);
    EXPECT_EQ(Bar.Max(), 100);
    EXPECT_EQ(Bar.Position(), 0);
    EXPECT_TRUE(Label.Caption().empty());
    EXPECT_EQ(Infobox, nullptr);
}

TEST_F(InfoboxTest, ReportsLoadingSavingAndPrinting) {
    InfoOpen(&Label, &Bar);
    ASSERT_NE(Infobox, nullptr);
    TInfobox* first = Infobox;
    TCountingLabel other;
    InfoOpen(&other, nullptr);
    EXPECT_EQ(Infobox, first) << "a second open changes nothing";

    InfoMessage(infoLoading, 5000);
    EXPECT_EQ(Label.Caption(), u"Loading...");
    EXPECT_EQ(Bar.Max(), 5000);
    EXPECT_EQ(Label.Repaints, 1) << "shown while the operation runs";

    InfoCount(57);
    EXPECT_EQ(Bar.Position(), 57);
    InfoCount(0);
    InfoCount(-3);
    EXPECT_EQ(Bar.Position(), 59) << "values below 1 step the bar";

    InfoMessage(infoSaving);
    EXPECT_EQ(Label.Caption(), u"Saving...");
    InfoMessage(infoSaveLayer, String(u"Walls"));
    EXPECT_EQ(Label.Caption(), u"Saving Walls");
    InfoMessage(infoSaveCount, 40);
    EXPECT_EQ(Bar.Max(), 40);
    InfoMessage(infoPrinting, 12);
    EXPECT_EQ(Label.Caption(), u"Printing...");
    EXPECT_EQ(Bar.Max(), 12);
    InfoMessage(infoText, String(u"Connecting"));
    EXPECT_EQ(Label.Caption(), u"Connecting");

    // Unknown codes and parameters of the wrong kind change nothing.
    InfoMessage(infoPrinting + 1, 7);
    InfoMessage(infoText, 7);
    InfoMessage(infoSaveCount, String(u"x"));
    EXPECT_EQ(Label.Caption(), u"Connecting");
    EXPECT_EQ(Bar.Max(), 12);
    EXPECT_TRUE(other.Caption().empty());
}

TEST_F(InfoboxTest, CloseResetsAndClearsUserbreak) {
    InfoOpen(&Label, &Bar);
    InfoMessage(infoLoading, 300);
    InfoCount(120);
    Userbreak = true;
    InfoClose();
    EXPECT_EQ(Infobox, nullptr);
    EXPECT_FALSE(Userbreak);
    EXPECT_EQ(Bar.Position(), 0);
    EXPECT_TRUE(Label.Caption().empty());

    // Without an open reporter a stale break is cleared all the same.
    Userbreak = true;
    InfoClose();
    EXPECT_FALSE(Userbreak);

    // A reporter can be opened again, also without a label or a bar.
    InfoOpen(nullptr, &Bar);
    InfoMessage(infoLoading, 80);
    InfoCount(3);
    EXPECT_EQ(Bar.Position(), 3);
    InfoClose();
    InfoOpen(&Label, nullptr);
    InfoMessage(infoSaving);
    InfoCount(5);
    EXPECT_EQ(Label.Caption(), u"Saving...");
}

} // namespace
} // namespace vl
