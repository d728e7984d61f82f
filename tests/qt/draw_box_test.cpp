// A draw box in a real widget: clicks with a point creator make symbols
// that show on the screen, and the scroll bars move the view.
#include <QApplication>
#include <QScrollBar>
#include <QTest>
#include <QVBoxLayout>
#include <gtest/gtest.h>

#include <velloran-qt/qt_services.h>
#include <velloran-qt/qt_window_host.h>
#include <velloran/document/data_module.h>
#include <velloran/objects/object.h>
#include <velloran/platform/form.h>
#include <velloran/tools/vl_points.h>
#include <velloran/view/draw_box.h>

using namespace vl;

namespace {

constexpr QRgb Red = 0xFFFF0000u;

class QtDrawBoxTest : public ::testing::Test {
protected:
    void SetUp() override {
        Form.BeginLoading();
        Box = NewComponent<TvlDrawbox>(Form);
        Box->SetName(u"Box");
        Box->SetAutoScroll(true);
        Box->ScaleSetting().SetMinUnit(TLenUnits::Pixel);
        Points = NewComponent<TvlPoints>(Form);
        Points->SetDrawForm(Box);
        Points->SetOptions({TToolOption::toDefaultTool});
        Points->Generator().SetWidth(20);
        Points->Generator().SetHeight(20);
        Points->Generator().SetBrush({clRed, TBrushStyle::bsSolid});
        Points->Generator().SetPen({clRed, 1, TPenStyle::psSolid, TPenMode::pmCopy});
        // After the creators: the form frees backwards, objects before their creators.
        Doc = NewComponent<TvlDataModule>(Form);
        Doc->SetDrawForm(Box);
        Box->SetDataModule(Doc);

        Window.resize(320, 240);
        auto* layout = new QVBoxLayout(&Window);
        layout->setContentsMargins(0, 0, 0, 0);
        Host = new QtWindowHost(Box, &Window);
        layout->addWidget(Host);
        Window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&Window));
        Form.FinishLoading();
        QApplication::processEvents();
    }
    void TearDown() override {
        Host->SetControl(nullptr);
        ActScaleSet = nullptr;
    }
    QRgb Shown(int x, int y) { return Host->viewport()->grab().toImage().pixel(x, y) | 0xFF000000u; }

    QtServices Svc;
    TServicesScope Scope{Svc};
    TForm Form;
    TvlDrawbox* Box = nullptr;
    TvlDataModule* Doc = nullptr;
    TvlPoints* Points = nullptr;
    QWidget Window;
    QtWindowHost* Host = nullptr;
};

TEST_F(QtDrawBoxTest, ClicksMakeSymbolsThatShow) {
    ASSERT_EQ(Box->Tool(), Points);
    QWidget* vp = Host->viewport();
    EXPECT_NE(Shown(60, 50), Red);
    QTest::mouseClick(vp, Qt::LeftButton, Qt::NoModifier, QPoint(60, 50));
    QTest::mouseClick(vp, Qt::LeftButton, Qt::NoModifier, QPoint(150, 120));
    QApplication::processEvents();
    EXPECT_EQ(Doc->Count(), 2);
    EXPECT_TRUE(Host->Focused());
    EXPECT_EQ(Shown(60, 50), Red);
    EXPECT_EQ(Shown(150, 120), Red);
    EXPECT_NE(Shown(100, 90), Red);

    // Repainting everything shows the same.
    Host->InvalidateAll();
    QApplication::processEvents();
    EXPECT_EQ(Shown(60, 50), Red);
    EXPECT_NE(Shown(100, 90), Red);
}

TEST_F(QtDrawBoxTest, MovingAScrollBarMovesTheView) {
    QWidget* vp = Host->viewport();
    QTest::mouseClick(vp, Qt::LeftButton, Qt::NoModifier, QPoint(160, 50));
    Points->SetNewObj({2000, 1500}); // far beyond the window
    Host->InvalidateAll();
    QApplication::processEvents();
    QScrollBar* bar = Host->horizontalScrollBar();
    ASSERT_TRUE(bar->isVisible());
    EXPECT_GT(bar->maximum(), 1500);
    ASSERT_EQ(Shown(160, 50), Red);

    bar->setSliderDown(true);
    bar->setSliderPosition(100);
    bar->setSliderDown(false);
    QApplication::processEvents();
    EXPECT_EQ(bar->value(), 100);
    EXPECT_EQ(Box->ScaleSetting().GetVPOrgX(), -100);
    EXPECT_EQ(Shown(60, 50), Red);
    EXPECT_NE(Shown(160, 50), Red);

    // A click now lands where the view shows it.
    QTest::mouseClick(vp, Qt::LeftButton, Qt::NoModifier, QPoint(200, 150));
    EXPECT_EQ(Doc->ObjectAt(Doc->Count() - 1, 0)->GetPos().X, 300);
    QApplication::processEvents();
    EXPECT_EQ(Shown(200, 150), Red);
}

} // namespace
