#pragma once
// The progress bar and the status label on QProgressBar and QLabel.

#include <QLabel>
#include <QPointer>
#include <QProgressBar>

#include "velloran/platform/progress.h"

namespace vl {

/// The progress bar on a QProgressBar.
class QtProgressBar : public TProgressBar {
public:
    /// The widget is created here; parent (if any) places it on a form.
    explicit QtProgressBar(QWidget* parent = nullptr);
    ~QtProgressBar() override;
    QProgressBar* Widget() const { return FBar; }

protected:
    void Changed() override;

private:
    QPointer<QProgressBar> FBar;
};

/// The status label on a QLabel.
class QtLabel : public TLabel {
public:
    explicit QtLabel(QWidget* parent = nullptr);
    ~QtLabel() override;
    QLabel* Widget() const { return FLabel; }
    void Repaint() override;

protected:
    void CaptionChanged() override;

private:
    QPointer<QLabel> FLabel;
};

} // namespace vl
