#pragma once
// A white backing image with a canvas on it, and pixel helpers.

#include <QImage>
#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include <velloran-qt/qt_canvas.h>

class QtCanvasFixture : public ::testing::Test {
protected:
    void SetUp() override { Reset(120, 100); }

    void Reset(int w, int h, QRgb background = 0xFFFFFFFF) {
        Canvas.reset();
        Image = QImage(w, h, QImage::Format_RGB32);
        Image.fill(background);
        Canvas = std::make_unique<vl::QtCanvas>(&Image);
    }

    QRgb At(int x, int y) const { return Image.pixel(x, y) | 0xFF000000u; }

    // Device pixels of the given colour, and their bounding box.
    int Count(QRgb c) const {
        int n = 0;
        for (int y = 0; y < Image.height(); ++y)
            for (int x = 0; x < Image.width(); ++x) n += At(x, y) == (c | 0xFF000000u);
        return n;
    }
    QRect Bounds(const std::function<bool(QRgb)>& inked) const {
        QRect r;
        for (int y = 0; y < Image.height(); ++y)
            for (int x = 0; x < Image.width(); ++x)
                if (inked(At(x, y))) r |= QRect(x, y, 1, 1);
        return r;
    }

    QImage Image;
    std::unique_ptr<vl::QtCanvas> Canvas;
};
