#pragma once
// The printer on QPrinter. With an output file name set, jobs are written
// as PDF files, which also serves machines without a printer.

#include <memory>
#include <string>

#include "velloran/platform/printer.h"

class QPrinter;

namespace vl {

class QtPrinterCanvas;

/// The printer on QPrinter; with an output file name set, jobs become PDF files.
class QtPrinter : public TPrinter {
public:
    /// resolution: printer pixels per inch of the PDF output.
    explicit QtPrinter(int resolution = 600);
    ~QtPrinter() override;

    /// A PDF file for the jobs that start afterwards; empty prints on the
    /// system printer.
    void SetOutputFileName(const std::string& fileName);
    const std::string& OutputFileName() const { return FOutputFileName; }
    QPrinter& Device() { return *FPrinter; }

    TCanvas& Canvas() override;
    int32_t PageWidth() const override;
    int32_t PageHeight() const override;

protected:
    void DoBeginDoc() override;
    void DoEndDoc() override;
    void DoAbort() override;
    void DoNewPage() override;
    void DoSetOrientation(TPrinterOrientation Value) override;

private:
    std::unique_ptr<QPrinter> FPrinter;
    std::unique_ptr<QtPrinterCanvas> FCanvas;
    std::string FOutputFileName;
};

} // namespace vl
