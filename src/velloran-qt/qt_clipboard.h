#pragma once
// The system clipboard through QClipboard. Registered formats travel as
// private MIME types "application/x-velloran-<name>"; a bitmap as an image;
// a metafile as its enhanced metafile bytes ("image/emf") together with an
// SVG and a PNG rendering for programs that read neither.

#include <QString>

#include <map>
#include <memory>

#include "velloran/platform/clipboard.h"

class QMimeData;

namespace vl {

/// The system clipboard through QClipboard.
class QtClipboard : public TClipboard {
public:
    QtClipboard();
    ~QtClipboard() override;

    TClipboardFormat RegisterClipboardFormat(const String& Name) override;
    void Open() override;
    void Close() override;
    void Clear() override;
    bool HasFormat(TClipboardFormat Format) const override;
    void SetAsHandle(TClipboardFormat Format, std::vector<uint8_t> Data) override;
    bool GetAsHandle(TClipboardFormat Format, std::vector<uint8_t>& Data) const override;
    void SetBitmap(const TBitmap& Bitmap) override;
    bool GetBitmap(TBitmap& Bitmap) const override;
    void SetMetafile(const TMetafile& Metafile) override;
    bool GetMetafile(TMetafile& Metafile) const override;

    /// The MIME type that carries a format ("" for none).
    QString MimeType(TClipboardFormat Format) const;

private:
    /// The data being written: the pending block while open, else a fresh
    /// one that Commit hands to the system clipboard at once.
    QMimeData& Target();
    void Commit();
    const QMimeData* Source() const;

    std::map<QString, TClipboardFormat> FFormats; // by lower-case name
    std::map<TClipboardFormat, QString> FMimeTypes;
    TClipboardFormat FNextFormat = 0xC000;
    int FOpenCount = 0;
    std::unique_ptr<QMimeData> FPending;
};

} // namespace vl
