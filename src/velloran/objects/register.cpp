// TvlObject: the persistence routines subclasses build their records from.
// Every count read from a stream is checked against what remains before
// anything is allocated.

#include "velloran/foundations/errors.h"
#include "velloran/foundations/stream.h"
#include "velloran/foundations/transfer.h"
#include "velloran/objects/object.h"
#include "velloran/platform/metafile.h"
#include "velloran/platform/picture.h"
#include "velloran/storage/file_header.h"

namespace vl {

namespace {

bool AnsiHost() { return hostFileVersionBefore(UnicodeHostVersion); }

constexpr uint16_t PicBitmap = 1;
constexpr uint16_t PicIcon = 2;
constexpr uint16_t PicMetafile = 3;

uint16_t PictureKind(const TGraphic& g) {
    if (dynamic_cast<const TMetafile*>(&g)) return PicMetafile;
    if (dynamic_cast<const TIcon*>(&g)) return PicIcon;
    return PicBitmap;
}

// A graphic's own stream image; reading replaces G by a fresh graphic.
template <typename G> void TransferGraphic(TTransfer& t, const TGraphic* g, std::unique_ptr<TGraphic>& read) {
    if (t.Writing()) {
        g->SaveToStream(t.Stream());
        return;
    }
    read = std::make_unique<G>();
    read->LoadFromStream(t.Stream());
}

} // namespace

void TvlObject::RegisterData(TStream* Stream, void* Data, int32_t Size, TPstMode Mode) {
    if (!IsWriting(Mode) && !IsReading(Mode)) return;
    TTransfer(StreamFor(Stream, Mode), Mode).Bytes(Data, Size);
}

void TvlObject::RegisterPChar(TStream* Stream, std::unique_ptr<char16_t[]>& Text, TPstMode Mode) {
    if (!IsWriting(Mode) && !IsReading(Mode)) return;
    TTransfer(StreamFor(Stream, Mode), Mode).ZText(Text, AnsiHost());
}

void TvlObject::RegisterString(TStream* Stream, String& Text, TPstMode Mode) {
    if (!IsWriting(Mode) && !IsReading(Mode)) return;
    // Clipboard streams always hold UTF-16.
    TTransfer(StreamFor(Stream, Mode), Mode).Text(Text, Mode == TPstMode::pstLoad && AnsiHost());
}

void TvlObject::RegisterObject(TStream* Stream, TvlObject& Embedded, TPstMode Mode) {
    // The embedded record begins with its class number, which its own
    // Persist writes and nobody needs on reading.
    if (IsReading(Mode)) StreamFor(Stream, Mode).ReadInt16();
    Embedded.Persist(Stream, Mode);
}

// Reading fills a copy and commits it only when the whole record was read.

// 16 bytes: colour, height, pitch, style bits, character set, 5 reserved;
// then the name.
void TvlObject::RegisterFont(TStream* Stream, TFont& Font, TPstMode Mode) {
    if (!IsWriting(Mode) && !IsReading(Mode)) return;
    TTransfer t(StreamFor(Stream, Mode), Mode);
    TFont f = Font;
    t.Value(f.Color);
    t.Value(f.Height);
    t.Enum8(f.Pitch, TFontPitch::fpFixed);
    f.Style &= 0x0F;
    t.Value(f.Style);
    f.Style &= 0x0F;
    t.Value(f.Charset);
    t.Reserved(5);
    t.Text(f.Name, AnsiHost());
    if (t.Reading()) Font = std::move(f);
}

// 12 bytes: colour, mode, style, 2 reserved, width.
void TvlObject::RegisterPen(TStream* Stream, TPen& Pen, TPstMode Mode) {
    if (!IsWriting(Mode) && !IsReading(Mode)) return;
    TTransfer t(StreamFor(Stream, Mode), Mode);
    TPen p = Pen;
    t.Value(p.Color);
    t.Enum8(p.Mode, TPenMode::pmNotXor);
    t.Enum8(p.Style, TPenStyle::psAlternate);
    t.Reserved(2);
    t.Value(p.Width);
    if (t.Reading()) Pen = p;
}

// 8 bytes: colour, style, 3 reserved.
void TvlObject::RegisterBrush(TStream* Stream, TBrush& Brush, TPstMode Mode) {
    if (!IsWriting(Mode) && !IsReading(Mode)) return;
    TTransfer t(StreamFor(Stream, Mode), Mode);
    TBrush b = Brush;
    t.Value(b.Color);
    t.Enum8(b.Style, TBrushStyle::bsDiagCross);
    t.Reserved(3);
    if (t.Reading()) Brush = b;
}

// A 16-bit kind, then the graphic's own stream image; a metafile's image is
// preceded by its length.
void TvlObject::RegisterPicture(TStream* Stream, TPicture& Picture, TPstMode Mode) {
    if (!IsWriting(Mode) && !IsReading(Mode)) return;
    TTransfer t(StreamFor(Stream, Mode), Mode);
    const TGraphic* g = nullptr;
    if (t.Writing()) {
        g = Picture.Graphic();
        if (!g) RaiseInvalidGraphic("Picture holds no graphic");
        // Kind 1 is read back as a bitmap, so a compressed image is stored decoded.
        if (const auto* jpeg = dynamic_cast<const TJPEGImage*>(g)) g = &jpeg->Bitmap();
    }
    uint16_t kind = g ? PictureKind(*g) : 0;
    t.Value(kind);
    std::unique_ptr<TGraphic> read;
    switch (kind) {
    case PicBitmap:
        TransferGraphic<TBitmap>(t, g, read);
        break;
    case PicIcon:
        TransferGraphic<TIcon>(t, g, read);
        break;
    case PicMetafile: {
        std::vector<uint8_t> bytes;
        if (t.Writing()) {
            TMemoryStream image;
            g->SaveToStream(image);
            bytes.assign(image.Memory(), image.Memory() + image.Size());
        }
        t.Block(bytes);
        if (t.Reading()) {
            TMemoryStream image(std::move(bytes));
            read = std::make_unique<TMetafile>();
            read->LoadFromStream(image);
        }
        break;
    }
    default:
        RaiseReadError();
    }
    if (t.Reading()) Picture.SetGraphic(std::move(read));
}

} // namespace vl
