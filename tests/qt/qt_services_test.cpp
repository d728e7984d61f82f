// Qt services: clipboard flavours, menus mirrored onto actions, PDF
// printing, dialog filters and the screen cursor.
#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QMenu>
#include <QMimeData>
#include <gtest/gtest.h>

#include <cstdlib>

#include <velloran-qt/qt_dialogs.h>
#include <velloran-qt/qt_menu.h>
#include <velloran-qt/qt_services.h>
#include <velloran/platform/canvas.h>
#include <velloran/platform/graphics.h>
#include <velloran/platform/metafile.h>
#include <velloran/platform/metafile_canvas.h>

using namespace vl;

namespace {

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
    EXPECT_FALSE(cb.HasFormat(fmt) || cb.HasFormat(CF_BITMAP));

    // A picture travels as itself, as SVG and as an image.
    TMetafile mf;
    mf.SetWidth(40);
    mf.SetHeight(30);
    {
        TMetafileCanvas c(mf);
        c.Rectangle({5, 5, 30, 20});
    }
    cb.SetMetafile(mf);
    TMetafile mfBack;
    ASSERT_TRUE(cb.GetMetafile(mfBack));
    EXPECT_EQ(mfBack.Data(), mf.Data());
    EXPECT_TRUE(QApplication::clipboard()->mimeData()->data(QStringLiteral("image/svg+xml")).contains("<svg"));
    const QImage png = QApplication::clipboard()->image();
    ASSERT_EQ(png.size(), QSize(40, 30));
    EXPECT_EQ(png.pixel(5, 10) | 0xFF000000u, 0xFF000000u);
    EXPECT_EQ(png.pixel(1, 1) | 0xFF000000u, 0xFFFFFFFFu);

    // Bytes that are no metafile read as no picture.
    auto* junk = new QMimeData;
    junk->setData(QStringLiteral("image/emf"), QByteArray("not a picture"));
    QApplication::clipboard()->setMimeData(junk);
    EXPECT_FALSE(cb.GetMetafile(mf));
}

QStringList Texts(QWidget& w) {
    QStringList t;
    for (QAction* a : w.actions()) t << (a->isSeparator() ? QStringLiteral("-") : a->text());
    return t;
}

TEST(QtMenuTest, MirrorsTheTreeAndClicksKeepTheirOwnChecks) {
    TMenuItem root;
    const auto add = [](TMenuItem& parent, const char16_t* caption) {
        auto item = std::make_unique<TMenuItem>();
        item->SetCaption(caption);
        return parent.Add(std::move(item));
    };
    TMenuItem* open = add(root, u"&Open");
    add(root, u"-");
    TMenuItem* layers = add(root, u"Layers");
    TMenuItem* a = add(*layers, u"A");
    TMenuItem* b = add(*layers, u"B");
    for (TMenuItem* r : {a, b}) r->SetRadioItem(true), r->SetGroupIndex(1);
    a->SetChecked(true);
    int clicks = 0;
    // The handler checks nothing: Qt's own toggling must not stay.
    b->OnClick = [&](TObject*) { ++clicks; };
    bool chainedHeard = false;
    root.OnChange = [&](TMenuItem&, TMenuChange) { chainedHeard = true; };
    QMenu menu;
    {
        QtMenu binding(root, &menu);
        EXPECT_EQ(Texts(menu), (QStringList{"&Open", "-", "Layers"}));
        QAction *qa = binding.ActionOf(a), *qb = binding.ActionOf(b);
        EXPECT_EQ(Texts(*binding.ActionOf(layers)->menu()), (QStringList{"A", "B"}));
        EXPECT_FALSE(binding.ActionOf(open)->isCheckable());
        qb->trigger();
        EXPECT_EQ(clicks, 1);
        EXPECT_TRUE(qa->isChecked() && !qb->isChecked());
        b->SetChecked(true);
        EXPECT_TRUE(!qa->isChecked() && qb->isChecked());

        open->SetCaption(u"&Open...");
        root.Insert(1, std::make_unique<TMenuItem>())->SetCaption(u"Save");
        layers->SetMenuIndex(0);
        EXPECT_EQ(Texts(menu), (QStringList{"Layers", "&Open...", "Save", "-"}));
        layers->Delete(0);
        layers->Delete(0);
        EXPECT_EQ(binding.ActionOf(layers)->menu(), nullptr);

        // A handler that deletes its own item.
        TMenuItem* save = root.Items(2);
        save->OnClick = [&](TObject* s) { EXPECT_EQ(s, save); root.Delete(2); };
        binding.ActionOf(save)->trigger();
        EXPECT_EQ(Texts(menu), (QStringList{"Layers", "&Open...", "-"}));
        EXPECT_TRUE(chainedHeard);
    }
    QApplication::processEvents(); // runs the deferred deletion
    EXPECT_TRUE(root.OnChange);
}

TEST(QtPrinterTest, PrintsPdfPagesAndAbortLeavesNoFile) {
    QtPrinter printer;
    const char* dir = std::getenv("VELLORAN_TEST_TMP");
    const QString file = (dir ? QString::fromLocal8Bit(dir) : QDir::tempPath()) + "/qt_printer_test.pdf";
    QFile::remove(file);
    printer.SetOutputFileName(file.toStdString());
    printer.SetOrientation(TPrinterOrientation::poLandscape);
    printer.BeginDoc();
    EXPECT_GT(printer.PageWidth(), printer.PageHeight());
    printer.Canvas().Rectangle({100, 100, 1000, 800});
    printer.NewPage();
    printer.EndDoc();

    QFile pdf(file);
    ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
    const QByteArray bytes = pdf.readAll();
    EXPECT_TRUE(bytes.startsWith("%PDF"));
    EXPECT_EQ(bytes.count("/Type /Page\n") + bytes.count("/Type /Page\r") + bytes.count("/Type /Page "), 2);
    pdf.close();

    printer.BeginDoc();
    printer.Abort();
    EXPECT_TRUE(printer.Aborted());
    EXPECT_FALSE(QFile::exists(file));
}

TEST(QtDialogsTest, FiltersAndDefaultExtension) {
    EXPECT_EQ(QtNameFilters(u"Text (*.txt)|*.txt|Drawings|*.vld;*.bak|dangling"),
              (QStringList{"Text (*.txt)", "Drawings (*.vld *.bak)"}));
    EXPECT_EQ(WithDefaultExt("/tmp/plan", u"*.map"), "/tmp/plan.map");
    EXPECT_EQ(WithDefaultExt("/tmp/plan.txt", u"map"), "/tmp/plan.txt");
    EXPECT_EQ(WithDefaultExt("/tmp/v1.2/plan", u"map"), "/tmp/v1.2/plan.map");
}

TEST(QtServicesTest, ScreenCursorIsLeftAsFound) {
    {
        QtServices services;
        services.SetScreenCursor(crHourGlass);
        ASSERT_NE(QApplication::overrideCursor(), nullptr);
        EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
        services.SetScreenCursor(crDefault);
        EXPECT_EQ(QApplication::overrideCursor(), nullptr);
        services.SetScreenCursor(crSizeWE);
    }
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

} // namespace
