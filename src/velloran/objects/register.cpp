// TvlObject: the persistence routines subclasses build their records from.
// Every count read from a stream is checked against what remains before
// anything is allocated.

#include "velloran/storage/file_header.h"
#include "velloran/foundations/stream_strings.h"
#include "velloran/objects/object.h"
#include "velloran/foundations/errors.h"
#include "velloran/platform/metafile.h"
#include "velloran/platform/picture.h"
#include "velloran/foundations/stream.h"

namespace vl {

namespace {

bool AnsiHost() { return hostFileVersionBefore(UnicodeHostVersion); }

// Stored enumerations must name a value of their type.
template <typename E> E ReadEnum(TStream& s, E last) {
    const uint8_t v = s.ReadUInt8();
    if (v > static_cast<uint8_t>(last)) RaiseReadError();
    return static_cast<E>(v);
}

constexpr uint16_t PicBitmap = 1;
constexpr uint16_t PicIcon = 2;
constexpr uint16_t PicMetafile = 3;

} // namespace

void TvlObject::RegisterData(TStream* Stream, void* Data, int32_t Size, TPstMode Mode) {
    if (IsWriting(Mode))
        StreamFor(Stream, Mode).WriteBuffer(Data, Size);
    else if (IsReading(Mode))
        StreamFor(Stream, Mode).ReadBuffer(Data, Size);
}

void TvlObject::RegisterPChar(TStream* Stream, std::unique_ptr<char16_t[]>& Text, TPstMode Mode) {
    if (IsWriting(Mode)) {
        TStream& s = StreamFor(Stream, Mode);
        int32_t n = 0;
        if (Text)
            while (Text[n]) ++n;
        s.WriteInt32(n);
        if (n > 0)
            for (int32_t i = 0; i <= n; ++i) s.WriteUInt16(Text[i]);
        return;
    }
    if (!IsReading(Mode)) return;
    TStream& s = StreamFor(Stream, Mode);
    const int32_t n = s.ReadInt32();
    if (n < 1) return;
    const bool ansi = AnsiHost();
    const int64_t chars = int64_t{n} + 1;
    s.CheckRemaining(ansi ? chars : chars * 2);
    auto buf = std::make_unique<char16_t[]>(static_cast<size_t>(chars));
    if (ansi) {
        StreamReadAnsiString(s, {buf.get(), static_cast<size_t>(chars)}, n);
    } else {
        for (int64_t i = 0; i < chars; ++i) buf[i] = s.ReadUInt16();
        // The buffer is used as a zero-terminated text; a damaged stream must
        // not take its terminator away.
        buf[n] = 0;
    }
    Text = std::move(buf);
}

void TvlObject::RegisterString(TStream* Stream, String& Text, TPstMode Mode) {
    if (IsWriting(Mode)) {
        SaveString(StreamFor(Stream, Mode), Text);
    } else if (IsReading(Mode)) {
        TStream& s = StreamFor(Stream, Mode);
        // Clipboard streams always hold UTF-16.
        Text = Mode == TPstMode::pstLoad && AnsiHost() ? LoadStringAnsi(s) : LoadString_w(s);
    }
}

void TvlObject::RegisterObject(TStream* Stream, TvlObject& Embedded, TPstMode Mode) {
    if (IsReading(Mode)) StreamFor(Stream, Mode).ReadInt16();
    Embedded.Persist(Stream, Mode);
}

// 16 bytes: colour, height, pitch, style bits, character set, 5 reserved;
// then the name.
void TvlObject::RegisterFont(TStream* Stream, TFont& Font, TPstMode Mode) {
    if (IsWriting(Mode)) {
        TStream& s = StreamFor(Stream, Mode);
        s.WriteInt32(Font.Color);
        s.WriteInt32(Font.Height);
        s.WriteUInt8(static_cast<uint8_t>(Font.Pitch));
        s.WriteUInt8(Font.Style & 0x0F);
        s.WriteUInt8(Font.Charset);
        s.WriteZeros(5);
        SaveString(s, Font.Name);
        return;
    }
    if (!IsReading(Mode)) return;
    TStream& s = StreamFor(Stream, Mode);
    const TColor color = s.ReadInt32();
    const int32_t height = s.ReadInt32();
    const TFontPitch pitch = ReadEnum(s, TFontPitch::fpFixed);
    const uint8_t style = s.ReadUInt8() & 0x0F;
    const uint8_t charset = s.ReadUInt8();
    uint8_t reserved[5];
    s.ReadBuffer(reserved, sizeof reserved);
    Font.Name = AnsiHost() ? LoadStringAnsi(s) : LoadString_w(s);
    Font.Charset = charset;
    Font.Color = color;
    Font.Height = height;
    Font.Pitch = pitch;
    Font.Style = style;
}

// 12 bytes: colour, mode, style, 2 reserved, width.
void TvlObject::RegisterPen(TStream* Stream, TPen& Pen, TPstMode Mode) {
    if (IsWriting(Mode)) {
        TStream& s = StreamFor(Stream, Mode);
        s.WriteInt32(Pen.Color);
        s.WriteUInt8(static_cast<uint8_t>(Pen.Mode));
        s.WriteUInt8(static_cast<uint8_t>(Pen.Style));
        s.WriteZeros(2);
        s.WriteInt32(Pen.Width);
        return;
    }
    if (!IsReading(Mode)) return;
    TStream& s = StreamFor(Stream, Mode);
    const TColor color = s.ReadInt32();
    const TPenMode mode = ReadEnum(s, TPenMode::pmNotXor);
    const TPenStyle style = ReadEnum(s, TPenStyle::psAlternate);
    s.ReadUInt16();
    const int32_t width = s.ReadInt32();
    Pen.Color = color;
    Pen.Mode = mode;
    Pen.Style = style;
    Pen.Width = width;
}

// 8 bytes: colour, style, 3 reserved.
void TvlObject::RegisterBrush(TStream* Stream, TBrush& Brush, TPstMode Mode) {
    if (IsWriting(Mode)) {
        TStream& s = StreamFor(Stream, Mode);
        s.WriteInt32(Brush.Color);
        s.WriteUInt8(static_cast<uint8_t>(Brush.Style));
        s.WriteZeros(3);
        return;
    }
    if (!IsReading(Mode)) return;
    TStream& s = StreamFor(Stream, Mode);
    const TColor color = s.ReadInt32();
    const TBrushStyle style = ReadEnum(s, TBrushStyle::bsDiagCross);
    uint8_t reserved[3];
    s.ReadBuffer(reserved, sizeof reserved);
    Brush.Color = color;
    Brush.Style = style;
}

// A 16-bit kind, then the graphic's own stream image; a metafile's image is
// preceded by its length.
void TvlObject::RegisterPicture(TStream* Stream, TPicture& Picture, TPstMode Mode) {
    if (IsWriting(Mode)) {
        TStream& s = StreamFor(Stream, Mode);
        const TGraphic* g = Picture.Graphic();
        if (!g) RaiseInvalidGraphic("Picture holds no graphic");
        if (const auto* mf = dynamic_cast<const TMetafile*>(g)) {
            TMemoryStream image;
            mf->SaveToStream(image);
            s.WriteUInt16(PicMetafile);
            s.WriteInt32(static_cast<int32_t>(image.Size()));
            s.WriteBuffer(image.Memory(), image.Size());
        } else if (dynamic_cast<const TIcon*>(g)) {
            s.WriteUInt16(PicIcon);
            g->SaveToStream(s);
        } else if (const auto* jpeg = dynamic_cast<const TJPEGImage*>(g)) {
            // Kind 1 is read back as a bitmap, so a compressed image is
            // stored decoded.
            s.WriteUInt16(PicBitmap);
            jpeg->Bitmap().SaveToStream(s);
        } else {
            s.WriteUInt16(PicBitmap);
            g->SaveToStream(s);
        }
        return;
    }
    if (!IsReading(Mode)) return;
    TStream& s = StreamFor(Stream, Mode);
    const uint16_t kind = s.ReadUInt16();
    std::unique_ptr<TGraphic> g;
    switch (kind) {
    case PicBitmap:
        g = std::make_unique<TBitmap>();
        g->LoadFromStream(s);
        break;
    case PicIcon:
        g = std::make_unique<TIcon>();
        g->LoadFromStream(s);
        break;
    case PicMetafile: {
        const int32_t length = s.ReadInt32();
        if (length < 0) RaiseReadError();
        s.CheckRemaining(length);
        std::vector<uint8_t> bytes(static_cast<size_t>(length));
        s.ReadBuffer(bytes.data(), length);
        TMemoryStream image(std::move(bytes));
        g = std::make_unique<TMetafile>();
        g->LoadFromStream(image);
        break;
    }
    default:
        RaiseReadError();
    }
    Picture.SetGraphic(std::move(g));
}

} // namespace vl
