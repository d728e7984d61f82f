#include "velloran/platform/text_file.h"

#include "velloran/foundations/errors.h"
#include "velloran/platform/string_utils.h"

namespace vl {

namespace {
constexpr size_t BufferSize = 4096;
}

TTextFile::~TTextFile() {
    // A failing flush cannot be reported from here.
    if (FFile) std::fclose(FFile);
}

void TTextFile::Open(const std::string& FileName, const char* mode, bool writing) {
    Close();
    FFile = std::fopen(FileName.c_str(), mode);
    if (!FFile) {
        if (writing) RaiseFileCreateError(FileName);
        RaiseFileOpenError(FileName);
    }
    FFileName = FileName;
    FWriting = writing;
    FBuffer.assign(writing ? 0 : BufferSize, 0);
    FPos = FEnd = 0;
}

void TTextFile::Rewrite(const std::string& FileName) {
    Open(FileName, "wb", true);
    FAtStart = true;
}
void TTextFile::Append(const std::string& FileName) { Open(FileName, "ab", true); }

void TTextFile::Reset(const std::string& FileName) {
    Open(FileName, "rb", false);
    if (Peek() == 0xEF) {
        // Skip a UTF-8 byte-order mark, but only a complete one.
        if (Fill() && FEnd - FPos >= 3 && static_cast<unsigned char>(FBuffer[FPos + 1]) == 0xBB &&
            static_cast<unsigned char>(FBuffer[FPos + 2]) == 0xBF)
            FPos += 3;
    }
}

void TTextFile::Close() {
    if (!FFile) return;
    const bool failed = std::fclose(FFile) != 0;
    FFile = nullptr;
    FBuffer.clear();
    FPos = FEnd = 0;
    if (failed && FWriting) RaiseInOutError("Cannot write file \"" + FFileName + "\"");
}

// Makes at least three bytes available when the file still has them (for
// the byte-order mark); returns false at the end of the file.
bool TTextFile::Fill() {
    if (FEnd - FPos >= 3) return true;
    if (FPos > 0) {
        for (size_t i = FPos; i < FEnd; ++i) FBuffer[i - FPos] = FBuffer[i];
        FEnd -= FPos;
        FPos = 0;
    }
    while (FEnd < FBuffer.size()) {
        const size_t got = std::fread(FBuffer.data() + FEnd, 1, FBuffer.size() - FEnd, FFile);
        if (got == 0) break;
        FEnd += got;
    }
    return FEnd > FPos;
}

int TTextFile::Peek() {
    if (FPos == FEnd && !Fill()) return EOF;
    return static_cast<unsigned char>(FBuffer[FPos]);
}

int TTextFile::Next() {
    const int c = Peek();
    if (c != EOF) ++FPos;
    return c;
}

void TTextFile::RequireReading() const {
    if (!FFile || FWriting) RaiseInOutError("File not open for input");
}

bool TTextFile::Eof() {
    RequireReading();
    return Peek() == EOF;
}

String TTextFile::ReadLn() {
    RequireReading();
    if (Peek() == EOF) RaiseInOutError("Read beyond end of file");
    std::string bytes;
    for (;;) {
        const int c = Next();
        if (c == EOF || c == '\n') break;
        if (c == '\r') {
            if (Peek() == '\n') Next();
            break;
        }
        bytes.push_back(static_cast<char>(c));
    }
    return Utf8ToString(bytes);
}

void TTextFile::Write(const String& Text) {
    if (!FFile || !FWriting) RaiseInOutError("File not open for output");
    std::string bytes = StringToUtf8(Text);
    // Reading skips a leading byte-order mark, so a text that starts with
    // one needs a mark of its own in front to read back whole.
    if (FAtStart && !Text.empty()) {
        if (Text[0] == u'\uFEFF') bytes.insert(0, "\xEF\xBB\xBF");
        FAtStart = false;
    }
    if (!bytes.empty() && std::fwrite(bytes.data(), 1, bytes.size(), FFile) != bytes.size())
        RaiseInOutError("Cannot write file \"" + FFileName + "\"");
}

void TTextFile::WriteLn(const String& Text) { Write(Text + u"\n"); }

} // namespace vl
