// The Qt window host: input arrives as the control's messages, and every
// drawing, in or outside a paint, ends up in what the widget shows.
#include <QApplication>
#include <QLineEdit>
#include <QMouseEvent>
#include <QScrollBar>
#include <QTest>
#include <QVBoxLayout>
#include <QWheelEvent>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include <velloran-qt/qt_window_host.h>
#include <velloran/platform/canvas.h>
#include <velloran/platform/keys.h>

using namespace vl;
using S = TShiftStateItem;

namespace {

constexpr QRgb Red = 0xFFFF0000u;
constexpr QRgb White = 0xFFFFFFFFu;

// Shift, alt, ctrl, left, right, middle, double as letters.
std::string Letters(TShiftState s) {
    std::string r;
    for (int i = 0; i < 7; ++i)
        if (s.Contains(static_cast<S>(i))) r += "SACLRMD"[i];
    return r;
}

// Paints its update rectangle red and records every message as text.
class TTestControl : public TWindowControl {
public:
    void Paint(TCanvas& canvas, const TRect& r) override {
        Paints.push_back(r);
        if (PaintNothing) return;
        canvas.SetBrush({clRed, TBrushStyle::bsSolid});
        canvas.FillRect(r);
    }
    void Note(const std::string& what, TShiftState s, int32_t x, int32_t y) {
        Events.push_back(what + " " + Letters(s) + " " + std::to_string(x) + "," + std::to_string(y));
    }
    void MouseDown(TMouseButton b, TShiftState s, int32_t x, int32_t y) override { Note(Button("down", b), s, x, y); }
    void MouseUp(TMouseButton b, TShiftState s, int32_t x, int32_t y) override { Note(Button("up", b), s, x, y); }
    void MouseMove(TShiftState s, int32_t x, int32_t y) override { Note("move", s, x, y); }
    void DblClick() override { Events.push_back("dblclick"); }
    bool MouseWheel(TShiftState s, int32_t delta, int32_t x, int32_t y) override {
        Note("wheel" + std::to_string(delta), s, x, y);
        return true;
    }
    void KeyDown(uint16_t& key, TShiftState s) override { Key("down", key, s); }
    void KeyUp(uint16_t& key, TShiftState s) override { Key("up", key, s); }
    void KeyPress(char16_t& key) override { Chars += key; }
    void Resize() override { ++Resizes; }
    void Scroll(TScrollBarKind kind, TScrollCode code, int32_t pos) override {
        Scrolls.push_back({kind, code, pos});
        if (code == TScrollCode::scLineDown) {
            TScrollInfo si = Host()->GetScrollInfo(kind);
            si.Pos += 8;
            Host()->SetScrollInfo(kind, si);
        }
    }
    static std::string Button(const char* what, TMouseButton b) { return what + std::string(1, "LRM"[int(b)]); }
    void Key(const char* what, uint16_t key, TShiftState s) {
        if (key != VK_CONTROL && key != VK_SHIFT) Keys.push_back(what + (" " + std::to_string(key)) + " " + Letters(s));
    }

    struct TScroll { TScrollBarKind Kind; TScrollCode Code; int32_t Pos; };
    std::vector<TRect> Paints;
    std::vector<std::string> Events, Keys;
    std::u16string Chars;
    std::vector<TScroll> Scrolls;
    int Resizes = 0;
    bool PaintNothing = false;
};

class QtWindowHostTest : public ::testing::Test {
protected:
    void SetUp() override {
        Window.resize(260, 240);
        auto* layout = new QVBoxLayout(&Window);
        layout->setContentsMargins(0, 0, 0, 0);
        Edit = new QLineEdit(&Window);
        Host = new QtWindowHost(&Control, &Window);
        layout->addWidget(Edit);
        layout->addWidget(Host, 1);
        Window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&Window));
        QApplication::setActiveWindow(&Window);
        QApplication::processEvents();
        Control.Paints.clear();
        Control.Events.clear();
    }
    void TearDown() override { Host->SetControl(nullptr); }

    QRgb Shown(int x, int y) { return Host->viewport()->grab().toImage().pixel(x, y) | 0xFF000000u; }
    QRgb Backing(int x, int y) const { return Host->BackingImage().pixel(x, y) | 0xFF000000u; }
    void Fill(const TRect& r, TColor c) {
        TCanvas& cv = Host->Canvas();
        cv.SetBrush({c, TBrushStyle::bsSolid});
        cv.FillRect(r);
    }

    TTestControl Control;
    QWidget Window;
    QLineEdit* Edit = nullptr;
    QtWindowHost* Host = nullptr;
};

TEST_F(QtWindowHostTest, MouseButtonsArriveWithPositionShiftAndFocus) {
    Edit->setFocus();
    QApplication::processEvents();
    ASSERT_FALSE(Host->Focused());
    QWidget* vp = Host->viewport();
    QTest::mouseClick(vp, Qt::LeftButton, Qt::ShiftModifier, QPoint(30, 40));
    EXPECT_TRUE(Host->Focused());
    QTest::mouseClick(vp, Qt::RightButton, Qt::ControlModifier | Qt::AltModifier, QPoint(5, 6));
    // Through the window, so that Qt itself detects the double click.
    QTest::mouseDClick(Window.windowHandle(), Qt::LeftButton, Qt::NoModifier, vp->mapTo(&Window, QPoint(7, 8)));

    std::vector<std::string> e;
    for (const auto& ev : Control.Events)
        if (ev.rfind("move", 0) != 0) e.push_back(ev);
    // As a classic window reports it: the second press is the double click,
    // and a released button is up.
    EXPECT_EQ(e, (std::vector<std::string>{"downL SL 30,40", "upL S 30,40", "downR ACR 5,6", "upR AC 5,6",
                                           "downL L 7,8", "upL  7,8", "downL LD 7,8", "dblclick", "upL  7,8"}));
}

TEST_F(QtWindowHostTest, MovesWheelConfinementAndCursors) {
    QWidget* vp = Host->viewport();
    const auto move = [&](QPointF p, Qt::MouseButtons b, Qt::KeyboardModifiers m) {
        QMouseEvent ev(QEvent::MouseMove, p, vp->mapToGlobal(p), Qt::NoButton, b, m);
        QApplication::sendEvent(vp, &ev);
    };
    move({12, 13}, Qt::NoButton, Qt::ShiftModifier);
    const TRect box{10, 10, 50, 40};
    Host->ClipCursor(&box);
    move({90, 2}, Qt::LeftButton, Qt::NoModifier);
    Host->ClipCursor(nullptr);
    QWheelEvent wheel(QPointF(20, 21), vp->mapToGlobal(QPointF(20, 21)), QPoint(), QPoint(0, -120), Qt::NoButton,
                      Qt::ControlModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(vp, &wheel);
    // Right and bottom of the confinement are exclusive.
    EXPECT_EQ(Control.Events, (std::vector<std::string>{"move S 12,13", "move L 49,10", "wheel-120 C 20,21"}));
    EXPECT_TRUE(wheel.isAccepted());

    Host->SetCursor(crRotate);
    EXPECT_EQ(vp->cursor().shape(), Qt::BitmapCursor);
    EXPECT_FALSE(vp->cursor().pixmap().isNull());
}

TEST_F(QtWindowHostTest, KeysReachTheControlIncludingNavigation) {
    Host->SetFocus();
    QTest::keyClick(Host, Qt::Key_Left, Qt::ControlModifier);
    QTest::keyClick(Host, Qt::Key_Tab);
    QTest::keyClick(Host, 'A', Qt::ShiftModifier);
    EXPECT_TRUE(Host->Focused()); // tab did not move the focus away
    EXPECT_EQ(Control.Keys, (std::vector<std::string>{"down 37 C", "up 37 C", "down 9 ", "up 9 ", "down 65 S", "up 65 S"}));
    EXPECT_EQ(Control.Chars, u"\tA");
}

TEST_F(QtWindowHostTest, InvalidAreaIsPaintedIntoTheBackingImage) {
    Fill(Host->ClientRect(), clWhite);
    QApplication::processEvents();
    Control.Paints.clear();

    Host->Invalidate({30, 20, 10, 10}, false); // unnormalised on purpose
    Host->Update();
    Host->Update(); // nothing invalid: nothing painted
    ASSERT_EQ(Control.Paints.size(), 1u);
    EXPECT_EQ(Control.Paints[0], (TRect{10, 10, 30, 20}));
    EXPECT_EQ(Backing(29, 19), Red);
    EXPECT_EQ(Backing(30, 19), White);
    EXPECT_EQ(Shown(15, 15), Red);

    // Erasing fills with the background, whatever a tool left on the canvas.
    Control.PaintNothing = true;
    Fill({0, 0, 60, 60}, clBlue);
    Host->Canvas().SetPen({clBlack, 1, TPenStyle::psSolid, TPenMode::pmNotXor});
    Host->Invalidate({0, 0, 20, 20}, true);
    Host->Invalidate({40, 40, 50, 50}, false);
    Host->Update();
    EXPECT_EQ(Backing(5, 5), White);
    EXPECT_EQ(Backing(45, 45), 0xFF0000FFu);

    // A resize repaints everything into a backing image of the new size.
    Control.PaintNothing = false;
    Window.resize(300, 300);
    QApplication::processEvents();
    const TRect client = Host->ClientRect();
    EXPECT_EQ(Host->BackingImage().size(), QSize(client.Width(), client.Height()));
    EXPECT_EQ(Control.Paints.back(), client);
    EXPECT_EQ(Shown(client.Right - 1, client.Bottom - 1), Red);
}

TEST_F(QtWindowHostTest, DrawingOutsidePaintShowsAndNotXorRestores) {
    Fill(Host->ClientRect(), clWhite);
    Fill({40, 40, 60, 60}, clBlue);
    QApplication::processEvents();
    EXPECT_EQ(Shown(50, 50), 0xFF0000FFu);

    TCanvas& cv = Host->Canvas();
    const QImage before = Host->viewport()->grab().toImage();
    cv.SetPen({clBlack, 1, TPenStyle::psSolid, TPenMode::pmNotXor});
    cv.SetBrush({clWhite, TBrushStyle::bsClear});
    cv.Rectangle({20, 20, 80, 80});
    QApplication::processEvents();
    EXPECT_NE(Host->viewport()->grab().toImage(), before);
    cv.Rectangle({20, 20, 80, 80});
    QApplication::processEvents();
    EXPECT_EQ(Host->viewport()->grab().toImage(), before);
    EXPECT_TRUE(Control.Paints.empty());
}

TEST_F(QtWindowHostTest, ScrollWindowMovesPixelsAndInvalidatesTheStrip) {
    const TRect client = Host->ClientRect();
    Fill(client, clWhite);
    Fill({50, 50, 54, 54}, clBlue);
    QApplication::processEvents();
    Control.Paints.clear();

    Host->ScrollWindow(10, -5);
    EXPECT_EQ(Backing(60, 45), 0xFF0000FFu);
    EXPECT_EQ(Backing(50, 50), White);
    Host->Update();
    // The strips uncovered on the left and at the bottom.
    EXPECT_EQ(Backing(5, 20), Red);
    EXPECT_EQ(Backing(20, client.Bottom - 3), Red);
    EXPECT_EQ(Backing(20, 20), White);

    // Inside a rectangle only: a strip beside it keeps its pixels.
    Control.Paints.clear();
    const TRect area{30, 0, client.Right, client.Bottom};
    Host->ScrollWindow(-20, 0, &area);
    EXPECT_EQ(Backing(5, 20), Red);
    Host->Update();
    ASSERT_EQ(Control.Paints.size(), 1u);
    EXPECT_EQ(Control.Paints[0], (TRect{client.Right - 20, 0, client.Right, client.Bottom}));
}

TEST_F(QtWindowHostTest, ScrollBarsFollowInfoAndReportMoves) {
    const int widthBefore = Host->ClientRect().Width();
    Host->SetScrollInfo(TScrollBarKind::sbVertical, {0, 499, 100, 0, true});
    // The client area shrinks at once, as the scroll range arithmetic expects.
    QScrollBar* bar = Host->verticalScrollBar();
    EXPECT_TRUE(bar->isVisible());
    EXPECT_EQ(bar->maximum(), 400);
    EXPECT_EQ(bar->pageStep(), 100);
    EXPECT_EQ(Host->ClientRect().Width(), widthBefore - Host->ScrollBarSize(TScrollBarKind::sbVertical));
    EXPECT_GT(Control.Resizes, 0);

    bar->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    // The control moved by its own step, not by the bar's.
    EXPECT_EQ(Host->GetScrollPos(TScrollBarKind::sbVertical), 8);
    bar->triggerAction(QAbstractSlider::SliderPageStepSub);
    bar->setSliderDown(true);
    bar->setSliderPosition(40);
    bar->setSliderDown(false);
    EXPECT_EQ(bar->value(), 8); // the control ignored the rest

    const auto& s = Control.Scrolls;
    ASSERT_EQ(s.size(), 4u);
    EXPECT_EQ(s[0].Kind, TScrollBarKind::sbVertical);
    EXPECT_EQ(s[1].Code, TScrollCode::scPageUp);
    EXPECT_EQ((std::pair{s[2].Code, s[2].Pos}), (std::pair{TScrollCode::scTrack, 40}));
    EXPECT_EQ((std::pair{s[3].Code, s[3].Pos}), (std::pair{TScrollCode::scPosition, 40}));

    Host->SetScrollInfo(TScrollBarKind::sbVertical, {0, 0, 100, 0, false});
    EXPECT_FALSE(bar->isVisible());
    EXPECT_EQ(Host->ClientRect().Width(), widthBefore);
}

} // namespace
