// TTextWbrkObj: setting the text, word breaking, line editing and persistence.

#include "velloran/text/text_wbrk_obj.h"

#include <algorithm>

#include "velloran/foundations/transfer.h"
#include "velloran/platform/canvas.h"
#include "velloran/scale/scale_setting.h"
#include "velloran/tools/creator.h"

namespace vl {

namespace {

// Entries are 16 bits wide.
constexpr size_t MaxBreakText = 32767;

bool IsBreakChar(char16_t c) { return (c >= 1 && c <= 32) || c == u'-' || c == u'='; }

// Trailing spaces and control characters do not count.
String Trimmed(const String& s) {
    size_t n = s.size();
    while (n > 0 && s[n - 1] <= 32) --n;
    return s.substr(0, n);
}

// Every lone CR or LF becomes CR LF.
String NormaliseBreaks(const String& s) {
    String r;
    r.reserve(s.size());
    for (size_t i = 0; i < s.size(); ++i) {
        const char16_t c = s[i];
        if (c == u'\r') {
            r += u"\r\n";
            if (i + 1 < s.size() && s[i + 1] == u'\n') ++i;
        } else if (c == u'\n') {
            r += u"\r\n";
        } else {
            r += c;
        }
    }
    return r;
}

} // namespace

// ---- Lines ------------------------------------------------------------------------------

int32_t TTextWbrkObj::GetLineCount() const {
    if (!HasText()) return 0;
    return FBreaks ? FBreaks->Count() + 1 : 1;
}

int32_t TTextWbrkObj::GetHeight() const {
    return static_cast<int32_t>(std::min<int64_t>(int64_t{FTextExtent.cy} * GetLineCount(), INT32_MAX));
}

int32_t TTextWbrkObj::LineStart(int32_t Index) const {
    if (Index == 0) return 1;
    if (FBreaks && Index >= 1 && Index <= FBreaks->Count()) return FBreaks->GetItems(Index - 1) + 1;
    return -1;
}

String TTextWbrkObj::GetLines(int32_t Index) const {
    const String text = GetText();
    if (!FBreaks) return Index == 0 ? text : String();
    const int32_t n = FBreaks->Count();
    if (Index < 0 || Index > n) return {};
    const size_t len = text.size();
    const size_t from = Index == 0 ? 0 : std::min<size_t>(FBreaks->GetItems(Index - 1), len);
    const size_t to = Index < n ? std::min<size_t>(FBreaks->GetItems(Index), len) : len;
    return Trimmed(text.substr(from, to > from ? to - from : 0));
}

String TTextWbrkObj::RefText() const { return GetLines(FBreaks ? FBreaks->FRefIdx : 0); }

void TTextWbrkObj::InvalidateIfMapped() {
    if (ActScaleSet) Invalidate();
}

void TTextWbrkObj::AddLine(const String& S) {
    if (!HasText()) {
        SetText(S);
        return;
    }
    InvalidateIfMapped();
    if (!S.empty()) SetLineWidth(S);
    SetText(GetText() + u"\r\n" + S);
    InvalidateIfMapped();
}

String TTextWbrkObj::HeadBefore(int32_t P) const {
    if (P <= 1) return {};
    String head = GetText().substr(0, static_cast<size_t>(P - 1));
    if (head.size() < 2 || head[head.size() - 2] != u'\r') head += u"\r\n";
    return head;
}

void TTextWbrkObj::SetLines(int32_t Index, const String& Value) {
    // Padding stops when a line could not be added (an object without text,
    // or one that does not break lines).
    for (int32_t n = GetLineCount(); HasText() && Index > n; n = GetLineCount()) {
        AddLine(String());
        if (GetLineCount() == n) return;
    }
    if (!HasText() || Index == GetLineCount())
        AddLine(Value);
    else
        ChangeLine(Index, Value);
}

void TTextWbrkObj::InsertLine(int32_t Index, const String& Line) {
    for (int32_t n = GetLineCount(); HasText() && Index > n; n = GetLineCount()) {
        AddLine(String());
        if (GetLineCount() == n) return;
    }
    if (!HasText() || Index == GetLineCount()) {
        AddLine(Line);
        return;
    }
    const int32_t p = LineStart(Index);
    if (p < 0) return;
    const String text = GetText();
    const String tail = text.substr(std::min<size_t>(static_cast<size_t>(p - 1), text.size()));
    InvalidateIfMapped();
    SetLineWidth(Line);
    SetText(HeadBefore(p) + Line + u"\r\n" + tail);
    InvalidateIfMapped();
}

void TTextWbrkObj::ChangeLine(int32_t Index, const String& Value) {
    const int32_t p = LineStart(Index);
    if (p < 0) return;
    const String text = GetText();
    String s = HeadBefore(p) + Value;
    const int32_t q = LineStart(Index + 1);
    if (q > 0) s += u"\r\n" + text.substr(std::min<size_t>(static_cast<size_t>(q - 1), text.size()));
    InvalidateIfMapped();
    SetLineWidth(Value);
    SetText(s);
    InvalidateIfMapped();
}

void TTextWbrkObj::AssignLines(const std::vector<String>& Strings) {
    SetText(String());
    for (const String& s : Strings) AddLine(s);
}

void TTextWbrkObj::CopyLines(std::vector<String>& Strings) const {
    for (int32_t i = 0; i < GetLineCount(); ++i) Strings.push_back(GetLines(i));
}

void TTextWbrkObj::SetLineWidth(const String& S) {
    if (!ValidText(S) || !MeasureCanvas()) return;
    TRefScaleMeasure ref(GetWYSIWYG());
    SelectFont();
    FTextExtent = MeasureCanvas()->TextExtent(S);
}

void TTextWbrkObj::SetWidth(int32_t Value) {
    if (Value == FTextExtent.cx) return;
    CalcWordbreaksW(Value);
    AdjustDrawRect();
}

// ---- Setting the text and breaking it -----------------------------------------------------

void TTextWbrkObj::SetText(const String& Text) {
    if (!ValidText(Text)) {
        FText.reset();
        FBreaks.reset();
        return;
    }
    const int32_t w = HasText() ? GetWidth() : 0;
    StoreText(NormaliseBreaks(Text));
    if (GetWordBreak() > 0) {
        if (w < 1)
            CalcWordbreaks(GetWordBreak());
        else
            CalcWordbreaksW(w);
    }
    AdjustDrawRect();
    if (GetWYSIWYG() && Generator().Instance() == 1) AdjustToScale();
}

void TTextWbrkObj::AddLinebreak(int32_t Pos, TSize Extent) {
    if (!FBreaks) FBreaks = std::make_unique<TBreakList>();
    const int32_t i = FBreaks->Count();
    FBreaks->AddItem(static_cast<int16_t>(Pos));
    if (Extent.cx > GetWidth()) {
        FTextExtent.cx = Extent.cx;
        FBreaks->FRefIdx = static_cast<int16_t>(i);
    }
    FTextExtent.cy = Extent.cy;
}

void TTextWbrkObj::CalcBreaks(int32_t Limit, bool ByWidth) {
    if (FBreaks) {
        FBreaks->Clear();
        FBreaks->FRefIdx = 0;
    }
    const String text = GetText();
    // Longer texts cannot be addressed by the list; they stay one line.
    if (text.empty() || text.size() > MaxBreakText) {
        FBreaks.reset();
        return;
    }
    FTextExtent.cx = 0;
    TCanvas* c = MeasureCanvas();
    TRefScaleMeasure ref(GetWYSIWYG() && c);
    if (c) SelectFont();
    // Measure of the text from 1-based position a to b.
    auto measure = [&](int32_t a, int32_t b, TSize& extent) {
        const String piece = Trimmed(text.substr(static_cast<size_t>(a - 1), static_cast<size_t>(b - a + 1)));
        extent = c ? c->TextExtent(piece) : TSize{};
        return ByWidth ? extent.cx : static_cast<int32_t>(piece.size());
    };
    const int32_t L = static_cast<int32_t>(text.size());
    auto crlfAt = [&](int32_t e) { return e >= 2 && text[e - 2] == u'\r' && text[e - 1] == u'\n'; };

    std::vector<int32_t> ends;
    TSize x{};
    for (int32_t start = 1, i = 1; i <= L; ++i) {
        if (!IsBreakChar(text[i - 1]) && i != L) continue;
        int32_t e = i;
        if (text[i - 1] == u'\r' && i < L && text[i] == u'\n') e = ++i;
        ends.push_back(e);
        Limit = std::max(Limit, measure(start, e, x));
        start = e + 1;
    }

    TSize fit{};
    int32_t s = 1;
    for (size_t k = 0; k < ends.size();) {
        const int32_t e = ends[k];
        const int32_t m = measure(s, e, x);
        // A piece that is a single word always fits: the limit was raised to it.
        if (m <= Limit || k == 0 || ends[k - 1] < s) {
            if (crlfAt(e)) {
                AddLinebreak(e, x);
                s = e + 1;
            } else {
                fit = x;
            }
            ++k;
        } else {
            AddLinebreak(ends[k - 1], fit);
            s = ends[k - 1] + 1;
        }
    }
    if (x.cx > GetWidth()) {
        FTextExtent.cx = x.cx;
        if (FBreaks) FBreaks->FRefIdx = static_cast<int16_t>(FBreaks->Count());
    }
    if (FBreaks && FBreaks->Count() == 0) FBreaks.reset();
}

// ---- Persistence -------------------------------------------------------------------------

void TTextWbrkObj::Persist(TStream* Stream, TPstMode Mode) {
    TTextObj::Persist(Stream, Mode);
    if (!IsWriting(Mode) && !IsReading(Mode)) return;
    TTransfer t(StreamFor(Stream, Mode), Mode);
    uint64_t present = FBreaks ? 1 : 0;
    t.Value(present);
    if (t.Writing()) {
        if (FBreaks) FBreaks->Persist(*Stream, Mode);
        return;
    }
    if (present == 0)
        FBreaks.reset();
    else
        FBreaks = TBreakList::CreateFromStream(*Stream, static_cast<int32_t>(GetText().size()), Mode);
}

} // namespace vl
