#pragma once
// The system clipboard: named private formats holding memory blocks, and
// pictures (bitmap, metafile) that other programs can read.
//
// Writing follows the usual protocol: Open, then the first write empties the
// clipboard, later writes add formats until the matching Close. A write while
// the clipboard is closed replaces the whole content with that one format.

#include <cstdint>
#include <vector>

#include "velloran/foundations/types.h"

namespace vl {

class TBitmap;
class TMetafile;

using TClipboardFormat = uint32_t;

/// Formats of the pictures; registered formats are numbered from 0xC000.
inline constexpr TClipboardFormat CF_BITMAP = 2;
inline constexpr TClipboardFormat CF_ENHMETAFILE = 14;

/// The system clipboard: private formats holding memory blocks, and pictures.
class TClipboard {
public:
    virtual ~TClipboard() = default;

    /// The same name always gives the same format (case-insensitive); never 0.
    virtual TClipboardFormat RegisterClipboardFormat(const String& Name) = 0;

    /// Opens are counted; the clipboard closes at the last Close.
    virtual void Open() = 0;
    virtual void Close() = 0;
    /// Empties the clipboard.
    virtual void Clear() = 0;
    virtual bool HasFormat(TClipboardFormat Format) const = 0;

    /// A memory block in a format.
    virtual void SetAsHandle(TClipboardFormat Format, std::vector<uint8_t> Data) = 0;
    /// False (and Data untouched) when the clipboard holds nothing in Format.
    virtual bool GetAsHandle(TClipboardFormat Format, std::vector<uint8_t>& Data) const = 0;

    /// Pictures (CF_BITMAP, CF_ENHMETAFILE). Get* return false when the
    /// clipboard holds no such picture.
    virtual void SetBitmap(const TBitmap& Bitmap) = 0;
    virtual bool GetBitmap(TBitmap& Bitmap) const = 0;
    virtual void SetMetafile(const TMetafile& Metafile) = 0;
    virtual bool GetMetafile(TMetafile& Metafile) const = 0;
};

} // namespace vl
