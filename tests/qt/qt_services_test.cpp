// Qt services: clipboard flavours, menus mirrored onto actions, PDF
// printing, dialogs and the screen cursor.
#include <QAbstractButton>
#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QMenu>
#include <QMessageBox>
#include <QMimeData>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <cstdlib>

#include <velloran-qt/qt_dialogs.h>
#include <velloran-qt/qt_menu.h>
#include <velloran-qt/qt_services.h>
#include <velloran/platform/canvas.h>
#include <velloran/platform/graphics.h>
#include <velloran/platform/metafile.h>

using namespace vl;

namespace {

std::string TempPath(const char* name) {
    const char* dir = std::getenv("VELLORAN_TEST_TMP");
    const QString base = dir ? QString::fromLocal8Bit(dir) : QDir::tempPath();
    return (base + QLatin1Char('/') + QLatin1String(name)).toStdString();
}

TEST(QtClipboardTest, PrivateFormatsAndImagesRoundTrip) {
    QtClipboard cb;
    const TClipboardFormat fmt = cb.RegisterClipboardFormat(u"7Form_Box 1");
    EXPECT_GE(fmt, 0xC000u);
    EXPECT_EQ(cb.RegisterClipboardFormat(u"7form_box 1"), fmt);
    const TClipboardFormat other = cb.RegisterClipboardFormat(u"7Form_Box/2");
    EXPECT_NE(other, fmt);

    TBitmap bmp(3, 2, clWhite);
    bmp.SetPixel(1, 0, clRed);
    cb.Open();
    cb.SetAsHandle(fmt, {1, 2, 0, 255});
    cb.SetBitmap(bmp);
    cb.Close();

    const QMimeData* mime = QApplication::clipboard()->mimeData();
    ASSERT_NE(mime, nullptr);
    EXPECT_TRUE(mime->hasFormat(QStringLiteral("application/x-velloran-7form_box%201")));
    std::vector<uint8_t> data;
    ASSERT_TRUE(cb.GetAsHandle(fmt, data));
    EXPECT_EQ(data, (std::vector<uint8_t>{1, 2, 0, 255}));
    EXPECT_FALSE(cb.GetAsHandle(other, data));
    // Other programs see the bitmap as an image.
    const QImage image = QApplication::clipboard()->image();
    ASSERT_EQ(image.size(), QSize(3, 2));
    EXPECT_EQ(image.pixel(1, 0) | 0xFF000000u, 0xFFFF0000u);
    TBitmap back;
    ASSERT_TRUE(cb.GetBitmap(back));
    EXPECT_EQ(back.Pixel(1, 0), clRed);

    // A write while closed replaces everything.
    cb.SetAsHandle(other, {9});
    EXPECT_TRUE(cb.HasFormat(other));
    EXPECT_FALSE(cb.HasFormat(fmt));
    EXPECT_FALSE(cb.HasFormat(CF_BITMAP));
    cb.Clear();
    EXPECT_FALSE(cb.HasFormat(other));
}

// A 40 x 30 picture holding one rectangle, written record by record.
std::vector<uint8_t> SmallEmf() {
    std::vector<uint8_t> out;
    auto put = [&](std::initializer_list<uint32_t> v) {
        for (uint32_t x : v)
            for (int i = 0; i < 4; ++i) out.push_back(static_cast<uint8_t>(x >> (8 * i)));
    };
    put({1, 88, 0, 0, 39, 29, 0, 0, 1058, 794, 0x464D4520, 0x10000, 88 + 24 + 20, 3, 1, 0, 0, 0, 1920, 1080, 508, 286});
    put({43, 24, 5, 5, 30, 20});     // rectangle
    put({14, 20, 0, 16, 20});        // end
    return out;
}

TEST(QtClipboardTest, MetafileTravelsAsEmfSvgAndPng) {
    QtClipboard cb;
    TMetafile mf;
    mf.SetData(SmallEmf());
    cb.SetMetafile(mf);

    EXPECT_TRUE(cb.HasFormat(CF_ENHMETAFILE));
    TMetafile back;
    ASSERT_TRUE(cb.GetMetafile(back));
    EXPECT_EQ(back.Data(), mf.Data());
    const QMimeData* mime = QApplication::clipboard()->mimeData();
    ASSERT_NE(mime, nullptr);
    EXPECT_TRUE(mime->data(QStringLiteral("image/svg+xml")).contains("<svg"));
    const QImage png = QApplication::clipboard()->image();
    ASSERT_EQ(png.size(), QSize(40, 30));
    EXPECT_EQ(png.pixel(1, 1) | 0xFF000000u, 0xFFFFFFFFu);
    int black = 0;
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 40; ++x) black += (png.pixel(x, y) & 0xFFFFFFu) == 0;
    EXPECT_GT(black, 40); // the rectangle's outline

    // Bytes that are no metafile read as no picture.
    QMimeData* junk = new QMimeData;
    junk->setData(QStringLiteral("image/emf"), QByteArray("not a picture"));
    QApplication::clipboard()->setMimeData(junk);
    EXPECT_FALSE(cb.GetMetafile(back));
}

class QtMenuTest : public ::testing::Test {
protected:
    TMenuItem* Add(TMenuItem& parent, const char16_t* caption) {
        auto item = std::make_unique<TMenuItem>();
        item->SetCaption(caption);
        return parent.Add(std::move(item));
    }
    QStringList Texts(QWidget& w) {
        QStringList t;
        for (QAction* a : w.actions()) t << (a->isSeparator() ? QStringLiteral("-") : a->text());
        return t;
    }
    TMenuItem Root;
    QMenu Menu;
};

TEST_F(QtMenuTest, MirrorsCaptionsChecksAndStructure) {
    TMenuItem* open = Add(Root, u"&Open");
    Add(Root, u"-");
    TMenuItem* layers = Add(Root, u"Layers");
    TMenuItem* a = Add(*layers, u"A");
    TMenuItem* b = Add(*layers, u"B");
    for (TMenuItem* r : {a, b}) {
        r->SetRadioItem(true);
        r->SetGroupIndex(1);
    }
    a->SetChecked(true);
    QtMenu binding(Root, &Menu);

    EXPECT_EQ(Texts(Menu), (QStringList{"&Open", "-", "Layers"}));
    QMenu* sub = binding.ActionOf(layers)->menu();
    ASSERT_NE(sub, nullptr);
    EXPECT_EQ(Texts(*sub), (QStringList{"A", "B"}));
    QAction* qa = binding.ActionOf(a);
    QAction* qb = binding.ActionOf(b);
    EXPECT_TRUE(qa->isChecked());
    ASSERT_NE(qa->actionGroup(), nullptr);
    EXPECT_EQ(qa->actionGroup(), qb->actionGroup());
    EXPECT_FALSE(binding.ActionOf(open)->isCheckable());

    b->SetChecked(true);
    EXPECT_FALSE(qa->isChecked());
    EXPECT_TRUE(qb->isChecked());
    open->SetCaption(u"&Open...");
    open->SetEnabled(false);
    EXPECT_EQ(binding.ActionOf(open)->text(), "&Open...");
    EXPECT_FALSE(binding.ActionOf(open)->isEnabled());

    Root.Insert(1, std::make_unique<TMenuItem>())->SetCaption(u"Save");
    EXPECT_EQ(Texts(Menu), (QStringList{"&Open...", "Save", "-", "Layers"}));
    layers->SetMenuIndex(0);
    EXPECT_EQ(Texts(Menu), (QStringList{"Layers", "&Open...", "Save", "-"}));
    layers->Delete(0);
    layers->Delete(0);
    EXPECT_EQ(binding.ActionOf(layers)->menu(), nullptr);
    Root.Delete(0);
    EXPECT_EQ(Texts(Menu), (QStringList{"&Open...", "Save", "-"}));
}

TEST_F(QtMenuTest, TriggeredActionClicksAndItemsKeepTheirChecks) {
    TMenuItem* plain = Add(Root, u"Plain");
    TMenuItem* a = Add(Root, u"A");
    TMenuItem* b = Add(Root, u"B");
    for (TMenuItem* r : {a, b}) r->SetRadioItem(true);
    a->SetChecked(true);
    int clicks = 0;
    TObject* sender = nullptr;
    plain->OnClick = [&](TObject* s) { ++clicks, sender = s; };
    // The handler checks nothing: Qt's own toggling must not stay.
    b->OnClick = [&](TObject*) { ++clicks; };
    bool chainedHeard = false;
    Root.OnChange = [&](TMenuItem&, TMenuChange) { chainedHeard = true; };
    {
        QtMenu binding(Root, &Menu);
        binding.ActionOf(plain)->trigger();
        EXPECT_EQ(clicks, 1);
        EXPECT_EQ(sender, plain);
        binding.ActionOf(b)->trigger();
        EXPECT_EQ(clicks, 2);
        EXPECT_TRUE(binding.ActionOf(a)->isChecked());
        EXPECT_FALSE(binding.ActionOf(b)->isChecked());

        // A handler that deletes its own item.
        plain->OnClick = [&](TObject*) { Root.Delete(0); };
        binding.ActionOf(plain)->trigger();
        EXPECT_EQ(Texts(Menu), (QStringList{"A", "B"}));
        EXPECT_TRUE(chainedHeard);
    }
    QApplication::processEvents(); // runs the deferred deletion
    ASSERT_TRUE(Root.OnChange);
}

TEST(QtPrinterTest, PrintsPdfPagesAndAbortLeavesNoFile) {
    QtPrinter printer;
    const std::string file = TempPath("qt_printer_test.pdf");
    QFile::remove(QString::fromStdString(file));
    printer.SetOutputFileName(file);
    printer.SetOrientation(TPrinterOrientation::poLandscape);
    EXPECT_GT(printer.Canvas().GetDeviceCaps(TDeviceCap::HORZRES), printer.Canvas().GetDeviceCaps(TDeviceCap::VERTRES));
    printer.SetTitle(u"Test job");
    printer.BeginDoc();
    EXPECT_GT(printer.PageWidth(), printer.PageHeight());
    printer.Canvas().SetBrush({clBlue, TBrushStyle::bsSolid});
    printer.Canvas().Rectangle({100, 100, 1000, 800});
    printer.NewPage();
    printer.Canvas().Ellipse({100, 100, 1000, 800});
    printer.EndDoc();

    QFile pdf(QString::fromStdString(file));
    ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
    const QByteArray bytes = pdf.readAll();
    EXPECT_TRUE(bytes.startsWith("%PDF"));
    EXPECT_EQ(bytes.count("/Type /Page\n") + bytes.count("/Type /Page\r") + bytes.count("/Type /Page "), 2);
    pdf.close();

    printer.BeginDoc();
    printer.Canvas().Rectangle({0, 0, 10, 10});
    printer.Abort();
    EXPECT_TRUE(printer.Aborted());
    EXPECT_FALSE(QFile::exists(QString::fromStdString(file)));
}

TEST(QtDialogsTest, FiltersAndDefaultExtension) {
    EXPECT_EQ(QtNameFilters(u"Text (*.txt)|*.txt|Drawings|*.vld;*.bak|dangling"),
              (QStringList{"Text (*.txt)", "Drawings (*.vld *.bak)"}));
    EXPECT_EQ(QtNameFilters(u""), QStringList());
    EXPECT_EQ(WithDefaultExt("/tmp/plan", u"*.map"), "/tmp/plan.map");
    EXPECT_EQ(WithDefaultExt("/tmp/plan.txt", u"map"), "/tmp/plan.txt");
    EXPECT_EQ(WithDefaultExt("/tmp/v1.2/plan", u"map"), "/tmp/v1.2/plan.map");
    EXPECT_EQ(WithDefaultExt("/tmp/plan", u""), "/tmp/plan");
}

TEST(QtDialogsTest, MessageBoxReturnsTheChosenButton) {
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    int buttons = 0;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        icon = box->icon();
        buttons = static_cast<int>(box->buttons().size());
        box->button(QMessageBox::No)->click();
    });
    const TModalResult r = QtMessageDlg(u"Delete?", TMsgDlgType::mtConfirmation,
                                        {TMsgDlgBtn::mbYes, TMsgDlgBtn::mbNo, TMsgDlgBtn::mbCancel});
    EXPECT_EQ(r, TModalResult::mrNo);
    EXPECT_EQ(icon, QMessageBox::Question);
    EXPECT_EQ(buttons, 3);
}

TEST(QtServicesTest, ScreenCursorAndTicks) {
    {
        QtServices services;
        services.SetScreenCursor(crHourGlass);
        ASSERT_NE(QApplication::overrideCursor(), nullptr);
        EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
        services.SetScreenCursor(crCross);
        EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::CrossCursor);
        services.SetScreenCursor(crDefault);
        EXPECT_EQ(QApplication::overrideCursor(), nullptr);
        services.SetScreenCursor(crSizeWE);
        EXPECT_TRUE(services.HasCursor(crSmallCross));
        EXPECT_FALSE(services.HasCursor(40));
        services.RegisterCursor(40, LibraryCursorImage(crSmallCross));
        EXPECT_TRUE(services.HasCursor(40));
        const uint32_t t0 = services.GetTickCount();
        QTest::qSleep(20);
        EXPECT_GE(services.GetTickCount() - t0, 15u);
    }
    // The services leave no override cursor behind.
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

} // namespace
