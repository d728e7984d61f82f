#include "velloran-qt/qt_progress.h"

#include <QLabel>
#include <QProgressBar>

namespace vl {

QtProgressBar::QtProgressBar(QWidget* parent) : FBar(new QProgressBar(parent)) { Changed(); }

// The widget goes with the bar, unless its parent already took it away.
QtProgressBar::~QtProgressBar() { delete FBar.data(); }

void QtProgressBar::Changed() {
    if (!FBar) return;
    FBar->setRange(Min(), Max());
    FBar->setValue(Position());
}

QtLabel::QtLabel(QWidget* parent) : FLabel(new QLabel(parent)) {}

QtLabel::~QtLabel() { delete FLabel.data(); }

void QtLabel::CaptionChanged() {
    if (FLabel) FLabel->setText(QString::fromStdU16String(Caption()));
}

void QtLabel::Repaint() {
    if (FLabel) FLabel->repaint();
}

} // namespace vl
