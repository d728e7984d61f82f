// A draw box in a real widget: clicks with a point creator make symbols
// that show on the screen, and the scroll bar moves the view.
#include <QApplication>
#include <QScrollBar>
#include <QTest>
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

TEST(QtDrawBox, ClicksMakeSymbolsThatShowAndTheScrollBarMovesTheView) {
    QtServices svc;
    TServicesScope scope(svc);
    TActScaleSetScope mapping(nullptr);
    TForm form;
    form.BeginLoading();
    auto* box = NewComponent<TvlDrawbox>(form);
    box->SetAutoScroll(true);
    box->ScaleSetting().SetMinUnit(TLenUnits::Pixel);
    auto* points = NewComponent<TvlPoints>(form);
    points->SetDrawForm(box);
    points->SetOptions({TToolOption::toDefaultTool});
    auto& gen = points->Generator();
    gen.SetWidth(20);
    gen.SetHeight(20);
    gen.SetBrush({clRed, TBrushStyle::bsSolid});
    gen.SetPen({clRed, 1, TPenStyle::psSolid, TPenMode::pmCopy});
    // After the creators: the form frees backwards, objects before their creators.
    auto* doc = NewComponent<TvlDataModule>(form);
    doc->SetDrawForm(box);
    box->SetDataModule(doc);

    QtWindowHost host(box);
    host.resize(320, 240);
    host.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&host));
    form.FinishLoading();
    QApplication::processEvents();
    QWidget* vp = host.viewport();
    const auto red = [&](int x, int y) { return (vp->grab().toImage().pixel(x, y) | 0xFF000000u) == 0xFFFF0000u; };

    QTest::mouseClick(vp, Qt::LeftButton, Qt::NoModifier, QPoint(160, 50));
    QTest::mouseClick(vp, Qt::LeftButton, Qt::NoModifier, QPoint(60, 120));
    QApplication::processEvents();
    EXPECT_EQ(doc->Count(), 2);
    EXPECT_TRUE(red(160, 50) && red(60, 120));
    EXPECT_FALSE(red(110, 90));

    points->SetNewObj({2000, 1500}); // far beyond the window
    host.InvalidateAll();
    QApplication::processEvents();
    QScrollBar* bar = host.horizontalScrollBar();
    ASSERT_TRUE(bar->isVisible());
    EXPECT_GT(bar->maximum(), 1500);
    // The view follows the thumb during the drag, not only at its release.
    bar->setSliderDown(true);
    bar->setSliderPosition(100);
    QApplication::processEvents();
    EXPECT_TRUE(red(60, 50)) << "scrolled while the thumb is held";
    EXPECT_FALSE(red(160, 50));
    bar->setSliderPosition(60);
    QApplication::processEvents();
    EXPECT_TRUE(red(100, 50));
    bar->setSliderPosition(100);
    bar->setSliderDown(false);
    QApplication::processEvents();
    EXPECT_TRUE(red(60, 50));
    EXPECT_FALSE(red(160, 50));
    // A click lands where the view shows it.
    QTest::mouseClick(vp, Qt::LeftButton, Qt::NoModifier, QPoint(200, 150));
    EXPECT_EQ(doc->ObjectAt(doc->Count() - 1, 0)->GetPos().X, 300);

    host.SetControl(nullptr);
}

} // namespace
