#include <gtest/gtest.h>

#include "velloran/foundations/errors.h"
#include "velloran/platform/clipboard.h"
#include "velloran/platform/headless_services.h"
#include "velloran/platform/menu.h"
#include "velloran/platform/printer.h"
#include "velloran/platform/services.h"

using namespace vl;

namespace {

// Installs scripted services for one test and restores the default after.
class ServicesTest : public ::testing::Test {
protected:
    void SetUp() override { SetServices(&S); }
    void TearDown() override { SetServices(nullptr); }
    THeadlessServices S;
};

using B = TMsgDlgBtn;

} // namespace

TEST_F(ServicesTest, InstalledServicesAnswerAndNullptrRestoresTheDefault) {
    EXPECT_EQ(&Services(), &S);
    SetServices(nullptr);
    TServices& fallback = Services();
    EXPECT_NE(&fallback, &S);
    EXPECT_EQ(&Services(), &fallback);
    EXPECT_EQ(MessageDlg(u"unattended", TMsgDlgType::mtError, {B::mbOK}), TModalResult::mrOK);
    EXPECT_TRUE(S.Messages().empty());

    // Scopes nest and put back what was installed before them.
    THeadlessServices outer, inner;
    {
        TServicesScope a(outer);
        {
            TServicesScope b(inner);
            EXPECT_EQ(&Services(), &inner);
        }
        EXPECT_EQ(&Services(), &outer);
    }
    EXPECT_EQ(&Services(), &fallback);
}

TEST_F(ServicesTest, DialogsTakeQueuedAnswersOrTheirDefault) {
    S.QueueAnswer(TModalResult::mrNo);
    EXPECT_EQ(MessageDlg(u"Save?", TMsgDlgType::mtConfirmation, {B::mbYes, B::mbNo, B::mbCancel}), TModalResult::mrNo);
    // Without a queued answer the box closes with its first of OK, Yes, No, Cancel.
    EXPECT_EQ(MessageDlg(u"Sure?", TMsgDlgType::mtConfirmation, {B::mbCancel, B::mbYes}), TModalResult::mrYes);
    EXPECT_EQ(MessageDlg(u"Stop", TMsgDlgType::mtWarning, {B::mbCancel}), TModalResult::mrCancel);
    ShowMessage(u"Done");
    ASSERT_EQ(S.Messages().size(), 4u);
    EXPECT_EQ(S.Messages()[3].Kind, TMsgDlgType::mtInformation);

    TFileDialogOptions o{u"Load Map File", u"Map files (*.map)|*.MAP", u"", "proposed.map", ""};
    S.QueueFileName("/tmp/a.map");
    S.QueueFileName(std::nullopt);
    EXPECT_TRUE(Services().ExecuteOpenDialog(o));
    EXPECT_EQ(o.FileName, "/tmp/a.map");
    EXPECT_FALSE(Services().ExecuteSaveDialog(o));
    EXPECT_EQ(o.FileName, "/tmp/a.map"); // a cancelled dialog changes nothing
    EXPECT_FALSE(Services().ExecuteOpenDialog(o)); // nothing queued: cancel
    EXPECT_TRUE(S.FileDialogs().size() == 3u && S.FileDialogs()[1].Save && !S.FileDialogs()[1].Chosen);
}

TEST_F(ServicesTest, ClipboardFollowsTheOpenWriteCloseProtocol) {
    TClipboard& cb = Services().Clipboard();
    const TClipboardFormat native = cb.RegisterClipboardFormat(u"7Form1_Drawbox1");
    EXPECT_EQ(cb.RegisterClipboardFormat(u"7FORM1_DRAWBOX1"), native);
    const TClipboardFormat other = cb.RegisterClipboardFormat(u"7Form1_Drawbox2");
    EXPECT_NE(other, native);
    EXPECT_GE(native, 0xC000u);

    cb.SetAsHandle(other, {9});
    cb.Open();
    cb.SetAsHandle(native, {1, 2, 3}); // first write after Open empties
    cb.SetAsHandle(native + 100, {4});
    cb.Close();
    std::vector<uint8_t> data{42};
    EXPECT_FALSE(cb.GetAsHandle(other, data));
    EXPECT_EQ(data, std::vector<uint8_t>{42});
    ASSERT_TRUE(cb.GetAsHandle(native, data));
    EXPECT_EQ(data, (std::vector<uint8_t>{1, 2, 3}));
    EXPECT_TRUE(cb.HasFormat(native + 100));

    // A write to the closed clipboard replaces everything.
    cb.SetAsHandle(other, {5});
    EXPECT_FALSE(cb.HasFormat(native));
    EXPECT_TRUE(cb.HasFormat(other));

    // Clear then Open as the copy command does: writes accumulate.
    cb.Clear();
    cb.Open();
    cb.SetAsHandle(native, {6});
    cb.SetAsHandle(other, {7});
    cb.Close();
    EXPECT_EQ(S.HeadlessClipboard().Formats(), (std::vector<TClipboardFormat>{native, other}));
    EXPECT_FALSE(cb.HasFormat(CF_ENHMETAFILE));
}

TEST_F(ServicesTest, PrinterJobStates) {
    THeadlessPrinter& p = S.HeadlessPrinter();
    TPrinter& printer = Services().Printer();
    EXPECT_EQ(printer.PageWidth(), 4960);
    printer.SetOrientation(TPrinterOrientation::poLandscape);
    EXPECT_EQ(printer.PageWidth(), 7016);
    EXPECT_EQ(printer.Canvas().GetDeviceCaps(TDeviceCap::HORZRES), 7016);
    EXPECT_EQ(printer.Canvas().GetDeviceCaps(TDeviceCap::LOGPIXELSX), 600);

    // Cleanup code may end a job that never started.
    printer.EndDoc();
    printer.Abort();
    EXPECT_FALSE(printer.Aborted());
    EXPECT_THROW(printer.NewPage(), EInvalidOperation);

    printer.BeginDoc();
    EXPECT_THROW(printer.BeginDoc(), EInvalidOperation);
    EXPECT_THROW(printer.SetOrientation(TPrinterOrientation::poPortrait), EInvalidOperation);
    printer.NewPage();
    EXPECT_EQ(printer.PageNumber(), 2);
    printer.Abort();
    EXPECT_TRUE(printer.Aborted());
    EXPECT_FALSE(printer.Printing());
    printer.EndDoc();
    EXPECT_EQ(p.BeginDocCount, 1);
    EXPECT_EQ(p.AbortCount, 1);
    EXPECT_EQ(p.EndDocCount, 0);
    EXPECT_EQ(p.JobOrientation, TPrinterOrientation::poLandscape);

    printer.BeginDoc(); // a new job forgets the abort
    EXPECT_FALSE(printer.Aborted());
    printer.EndDoc();
    EXPECT_EQ(p.EndDocCount, 1);
}

TEST_F(ServicesTest, ClockAndCursors) {
    S.SetTicks(0xFFFFFFF0u);
    S.AdvanceTicks(0x20);
    EXPECT_EQ(Services().GetTickCount(), 0x10u); // wraps like the system counter
    S.SetTickStep(25);
    EXPECT_EQ(Services().GetTickCount(), 0x10u);
    EXPECT_EQ(Services().GetTickCount(), 0x10u + 25);

    EXPECT_FALSE(Services().HasCursor(crRotate));
    EXPECT_TRUE(Services().HasCursor(crHourGlass));
    Services().RegisterCursor(crRotate, LibraryCursorImage(crRotate));
    EXPECT_TRUE(Services().HasCursor(crRotate));
    Services().SetScreenCursor(crHourGlass);
    Services().SetScreenCursor(crDefault);
    EXPECT_EQ(S.ScreenCursors(), (std::vector<TCursor>{crHourGlass, crDefault}));

    for (TCursor c : {crRotate, crSmallCross}) {
        const TCursorImage img = LibraryCursorImage(c);
        ASSERT_EQ(img.Pixels.size(), static_cast<size_t>(img.Width * img.Height));
        EXPECT_GT(img.Width, 0);
        EXPECT_LT(img.HotSpot.X, img.Width);
        EXPECT_LT(img.HotSpot.Y, img.Height);
    }
    EXPECT_TRUE(LibraryCursorImage(crArrow).Pixels.empty());
}

TEST(Progress, BoundsPositionAndSteps) {
    THeadlessProgressBar bar;
    bar.SetMax(5);
    bar.SetStep(2);
    bar.Positions.clear();
    bar.StepIt();
    bar.StepIt();
    bar.StepIt(); // 6 is past Max: starts again
    EXPECT_EQ(bar.Positions, (std::vector<int32_t>{2, 4, 0}));
    bar.SetPosition(57);
    EXPECT_EQ(bar.Position(), 5);
    bar.SetMin(8); // Max follows, the position stays inside
    EXPECT_EQ(bar.Max(), 8);
    EXPECT_EQ(bar.Position(), 8);
    bar.SetMax(-3);
    EXPECT_EQ(bar.Min(), -3);
    EXPECT_EQ(bar.Position(), -3);

    THeadlessLabel label;
    label.SetCaption(u"Loading...");
    label.SetCaption(u"Loading...");
    label.SetCaption(u"");
    EXPECT_EQ(label.Captions, (std::vector<String>{u"Loading...", u""}));
}

TEST(Menu, RadioGroupsKeepOneCheckedPerGroup) {
    TMenuItem root;
    TMenuItem* items[3];
    for (int i = 0; i < 3; ++i) {
        items[i] = root.Add(std::make_unique<TMenuItem>());
        items[i]->SetRadioItem(true);
        items[i]->SetGroupIndex(9);
    }
    TMenuItem* plain = root.Add(std::make_unique<TMenuItem>());
    plain->SetGroupIndex(9);
    plain->SetChecked(true);
    items[0]->SetChecked(true);
    items[2]->SetChecked(true);
    EXPECT_FALSE(items[0]->Checked());
    EXPECT_TRUE(items[2]->Checked());
    EXPECT_TRUE(plain->Checked()); // not a radio item
    items[1]->SetGroupIndex(3);
    items[1]->SetChecked(true);
    EXPECT_TRUE(items[2]->Checked());
}

TEST(Menu, TreeEditsAreReportedToTheRootAndClickPassesTheItem) {
    TMenuItem root;
    std::vector<std::pair<String, TMenuChange>> seen;
    root.OnChange = [&](TMenuItem& item, TMenuChange change) {
        // A removed item is reported while it is still in place.
        if (change == TMenuChange::mcRemoving) {
            EXPECT_GE(item.MenuIndex(), 0);
        }
        seen.emplace_back(item.Caption(), change);
    };
    TMenuItem* layers = root.Add(std::make_unique<TMenuItem>());
    layers->SetCaption(u"Layers");
    auto made = std::make_unique<TMenuItem>();
    made->SetCaption(u"&Layer_1");
    TMenuItem* l1 = layers->Add(std::move(made));
    auto second = std::make_unique<TMenuItem>();
    second->SetCaption(u"Layer_2");
    TMenuItem* l2 = layers->Insert(0, std::move(second));
    EXPECT_EQ(l1->MenuIndex(), 1);
    l2->SetMenuIndex(5); // clamped to the end
    EXPECT_EQ(layers->Items(1), l2);

    TObject* sender = nullptr;
    l1->OnClick = [&](TObject* s) { sender = s; };
    l1->Click();
    EXPECT_EQ(sender, l1);
    EXPECT_EQ(StripHotkey(l1->Caption()), u"Layer_1");
    l1->SetEnabled(false);
    sender = nullptr;
    l1->Click();
    EXPECT_EQ(sender, nullptr);

    layers->Delete(0);
    EXPECT_EQ(layers->Count(), 1);
    EXPECT_THROW(layers->Items(1), EListError);
    EXPECT_THROW(layers->Insert(3, std::make_unique<TMenuItem>()), EListError);

    const std::vector<std::pair<String, TMenuChange>> expected = {
        {u"", TMenuChange::mcInserted},         {u"Layers", TMenuChange::mcChanged},
        {u"&Layer_1", TMenuChange::mcInserted}, {u"Layer_2", TMenuChange::mcInserted},
        {u"Layer_2", TMenuChange::mcMoved},     {u"&Layer_1", TMenuChange::mcChanged},
        {u"&Layer_1", TMenuChange::mcRemoving}};
    EXPECT_EQ(seen, expected);

    // An item cannot become its own descendant.
    std::unique_ptr<TMenuItem> detached = root.Remove(layers);
    EXPECT_THROW(detached->Items(0)->Add(std::move(detached)), EInvalidOperation);
}
