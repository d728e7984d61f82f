#pragma once
// TTextWbrkObj: a text of several lines, broken at hard line breaks and at
// a break width (characters, or logical units once the user dragged an
// edge). The line ends live in a TBreakList; the extent holds the block's
// width and the height of one line.

#include <cstdint>
#include <memory>
#include <vector>

#include "velloran/text/break_list.h"
#include "velloran/text/text_obj.h"

namespace vl {

/// A text of several lines, broken at hard line breaks and at a break width.
class TTextWbrkObj : public TTextObj {
public:
    using TTextObj::TTextObj;

    // ---- Overridden slots -------------------------------------------------
    void SetText(const String& Text) override;
    int32_t GetHeight() const override;
    void SetWidth(int32_t Value) override;
    bool SizingHandles(TPoint P, TSizeMode Mode) override;
    void Persist(TStream* Stream, TPstMode Mode) override;
    void MovePos(TPoint DeltaPos) override;
    void EndMove() override;
    void Draw() override;
    void ShapeText(TColor Color) override;
    String RefText() const override;

    // ---- Lines ----------------------------------------------------------------
    int32_t GetLineCount() const;
    int32_t GetLineHeight() const { return FTextExtent.cy; }
    /// The generator's break width; 0 or less: no breaking.
    int32_t GetWordBreak() const { return TxtGenerator().WordBreak(); }
    /// 1-based position of the first character of line Index; -1 when none.
    int32_t LineStart(int32_t Index) const;
    /// Line Index without trailing blanks; empty for lines that do not exist.
    String GetLines(int32_t Index) const;
    /// On an object without text these set the text to Value: there is no
    /// line to pad with.
    void SetLines(int32_t Index, const String& Value);
    void AddLine(const String& S);
    void InsertLine(int32_t Index, const String& Line);
    void ChangeLine(int32_t Index, const String& Value);
    void AssignLines(const std::vector<String>& Strings);
    void CopyLines(std::vector<String>& Strings) const;
    /// The extent of S, so that the next SetText breaks at its width.
    void SetLineWidth(const String& S);
    void CalcWordbreaks(int32_t Limit) { CalcBreaks(Limit, false); }
    void CalcWordbreaksW(int32_t Limit) { CalcBreaks(Limit, true); }
    const TBreakList* Breaks() const { return FBreaks.get(); }

    bool WBrkSizingHandles(TPoint P, TSizeMode Mode);
    bool WBrkSizingEdge(TPoint P, TSizeMode Mode, int32_t x, bool LeftEdge);
    void WBrkMovePos(TPoint DeltaPos);

protected:
    void CalcBreaks(int32_t Limit, bool ByWidth);
    void AddLinebreak(int32_t Pos, TSize Extent);
    void DrawRotatedWbrk(TColor Color);
    /// Invalidate needs a mapping; texts edited before one exists skip it.
    void InvalidateIfMapped();
    /// Head of the text before 1-based position P, ended by a line break.
    String HeadBefore(int32_t P) const;

    std::unique_ptr<TBreakList> FBreaks;
};

} // namespace vl
