#pragma once
// Line-oriented text files. On disk lines are UTF-8 ending in '\n'; reading
// also accepts "\r\n" and a lone '\r', skips a leading byte-order mark and
// turns malformed bytes into U+FFFD.

#include <cstdio>
#include <string>
#include <vector>

#include "velloran/foundations/types.h"

namespace vl {

/// A line-oriented UTF-8 text file.
class TTextFile {
public:
    TTextFile() = default;
    ~TTextFile();
    TTextFile(const TTextFile&) = delete;
    TTextFile& operator=(const TTextFile&) = delete;

    /// Creates the file for writing, replacing an existing one
    /// (EFCreateError when that fails).
    void Rewrite(const std::string& FileName);
    /// Opens an existing file for reading from its start (EFOpenError).
    void Reset(const std::string& FileName);
    /// Opens for writing at the end, creating the file when missing.
    void Append(const std::string& FileName);
    /// Flushes and closes; nothing when no file is open.
    void Close();
    bool IsOpen() const { return FFile != nullptr; }
    const std::string& FileName() const { return FFileName; }

    /// Reading. Past the end ReadLn raises EInOutError ("Read beyond end of file").
    String ReadLn();
    /// True when no further line can be read.
    bool Eof();

    /// Writing (EInOutError when the file is not open for writing or the
    /// device refuses the bytes).
    void Write(const String& Text);
    void WriteLn(const String& Text = String());

private:
    void Open(const std::string& FileName, const char* mode, bool writing);
    int Peek();
    int Next();
    bool Fill();
    void RequireReading() const;

    std::FILE* FFile = nullptr;
    std::string FFileName;
    bool FWriting = false;
    bool FAtStart = false; // nothing written yet to a rewritten file
    std::vector<char> FBuffer;
    size_t FPos = 0;
    size_t FEnd = 0;
};

} // namespace vl
