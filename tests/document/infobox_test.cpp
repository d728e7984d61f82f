#include <gtest/gtest.h>

#include "velloran/platform/headless_services.h"
#include "velloran/storage/infobox.h"

namespace vl {
namespace {

struct InfoboxTest : ::testing::Test {
    THeadlessLabel Label;
    THeadlessProgressBar Bar;
    void SetUp() override { Bar.SetStep(1); }
    void TearDown() override { InfoClose(); }
};

TEST_F(InfoboxTest, ReportsOnlyWhileOpen) {
    InfoMessage(infoLoading, 5000);
    InfoCount(57);
    EXPECT_EQ(std::pair(Bar.Max(), Bar.Position()), std::pair(100, 0));
    EXPECT_TRUE(Label.Captions.empty());

    InfoOpen(&Label, &Bar);
    TInfobox* first = Infobox;
    InfoOpen(nullptr, nullptr);
    EXPECT_EQ(Infobox, first) << "a second open changes nothing";
    InfoMessage(infoLoading, 5000);
    InfoCount(57);
    InfoCount(0);
    EXPECT_EQ(std::pair(Bar.Max(), Bar.Position()), std::pair(5000, 58)) << "below 1 the bar steps";
    InfoMessage(infoSaving);
    InfoMessage(infoSaveLayer, String(u"Walls"));
    InfoMessage(infoSaveCount, 40);
    InfoMessage(infoPrinting, 12);
    InfoMessage(infoText, String(u"Connecting"));
    InfoMessage(infoText, 7);            // wrong kind of parameter
    InfoMessage(infoPrinting + 1, 7);    // unknown code
    EXPECT_EQ(Label.Captions, (std::vector<String>{u"Loading...", u"Saving...", u"Saving Walls",
                                                   u"Printing...", u"Connecting"}));
    EXPECT_EQ(Label.RepaintCount, 5) << "each text shows at once";
    EXPECT_EQ(Bar.Max(), 12);
}

TEST_F(InfoboxTest, CloseResetsAndClearsUserbreak) {
    for (bool open : {true, false}) { // also when nothing was open
        if (open) InfoOpen(&Label, &Bar);
        InfoMessage(infoLoading, 300);
        InfoCount(120);
        TUserbreakScope stop(true);
        InfoClose();
        EXPECT_TRUE(Infobox == nullptr && !Userbreak);
        EXPECT_EQ(Bar.Position(), 0);
        EXPECT_EQ(Label.Caption(), u"");
    }
    InfoOpen(nullptr, &Bar); // either control may be missing
    InfoMessage(infoSaving);
    InfoCount(3);
    EXPECT_EQ(Bar.Position(), 3);
    // Without a label the reset leaves the bar where it is.
    InfoMessage(infoReset);
    EXPECT_EQ(Bar.Position(), 3);
}

} // namespace
} // namespace vl
