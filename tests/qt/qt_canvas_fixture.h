#pragma once
// A white backing image with a canvas on it, and pixel helpers.

#include <QImage>
#include <gtest/gtest.h>

#include <memory>

#include <velloran-qt/qt_canvas.h>

class QtCanvasFixture : public ::testing::Test {
protected:
    void SetUp() override { Reset(); }
    void Reset(int w = 120, int h = 100) {
        Canvas.reset();
        Image = QImage(w, h, QImage::Format_RGB32);
        Image.fill(0xFFFFFFFF);
        Canvas = std::make_unique<vl::QtCanvas>(&Image);
    }
    QRgb At(int x, int y) const { return Image.pixel(x, y) | 0xFF000000u; }
    int Count(QRgb c) const {
        int n = 0;
        for (int y = 0; y < Image.height(); ++y)
            for (int x = 0; x < Image.width(); ++x) n += At(x, y) == c;
        return n;
    }
    // Box around the pixels darker than mid grey.
    QRect Ink() const {
        QRect r;
        for (int y = 0; y < Image.height(); ++y)
            for (int x = 0; x < Image.width(); ++x)
                if (qGray(At(x, y)) < 128) r |= QRect(x, y, 1, 1);
        return r;
    }

    QImage Image;
    std::unique_ptr<vl::QtCanvas> Canvas;
};
