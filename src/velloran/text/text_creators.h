#pragma once
// The creators of texts and labels. A click places a word-breaking text
// (TvlText) or a label that grows around its text (TvlTextlabs); a new
// object shows its identity until the application sets its data.

#include "velloran/tools/custom_lines.h"
#include "velloran/tools/custom_points.h"
#include "velloran/text/text_generators.h"

namespace vl {

/// The text creator: a click places a word-breaking text.
class TvlText : public TCustomPoints {
public:
    /// With a TTxtGenerator2 in Arial, height 30.
    explicit TvlText(TComponent* AOwner);
    std::string ClassName() const override { return "TvlText"; }

    TCustomTxtGenerator2& TxtGenerator() const { return static_cast<TCustomTxtGenerator2&>(Generator()); }

    /// Stored forms may name faces that only exist in fixed sizes.
    void Loaded() override;
    void SetDefaultData(TvlObject* CurObject) override;
    TCapClass DefaultClass() override;
    /// The scaled font of WYSIWYG text objects, else the object's font.
    void ObjectFont(TvlObject* CurObject) override;

protected:
    /// Subclasses hand in their own generator.
    TvlText(TComponent* AOwner, std::unique_ptr<TCustomTxtGenerator2> AGenerator);
};

/// The label creator: a click places a label that grows around its text.
class TvlTextlabs : public TvlText {
public:
    /// With a TTxtLabGenerator.
    explicit TvlTextlabs(TComponent* AOwner);
    std::string ClassName() const override { return "TvlTextlabs"; }
    TCapClass DefaultClass() override;
};

/// Spans two-point labels like the line creators span lines.
class TvlTextlabs2D : public TCustomLines {
public:
    /// With a TTxtLab2Generator in Arial, height 30.
    explicit TvlTextlabs2D(TComponent* AOwner);
    std::string ClassName() const override { return "TvlTextlabs2D"; }

    TCustomTxtGenerator2& TxtGenerator() const { return static_cast<TCustomTxtGenerator2&>(Generator()); }

    void Loaded() override;
    void SetDefaultData(TvlObject* CurObject) override;
    TCapClass DefaultClass() override;
    void ObjectFont(TvlObject* CurObject) override;
};

/// The face that stands for an outdated one; other names are kept.
String ReplaceOutdatedFace(const String& Name);

} // namespace vl
