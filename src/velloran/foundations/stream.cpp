#include "velloran/foundations/stream.h"

#include <algorithm>
#include <filesystem>

namespace vl {

// ---- TStream ---------------------------------------------------------------

void TStream::ReadBuffer(void* buffer, int64_t count) {
    if (count < 0 || (count > 0 && Read(buffer, count) != count)) RaiseReadError();
}

void TStream::WriteBuffer(const void* buffer, int64_t count) {
    if (count < 0 || (count > 0 && Write(buffer, count) != count)) RaiseWriteError();
}

void TStream::CheckRemaining(int64_t count) const {
    if (count < 0 || count > Remaining()) RaiseReadError();
}

int64_t TStream::CopyFrom(TStream& source, int64_t count) {
    if (count == 0) {
        source.SetPosition(0);
        count = source.Size();
    }
    source.CheckRemaining(count);
    unsigned char buf[8192];
    int64_t left = count;
    while (left > 0) {
        const int64_t n = std::min<int64_t>(left, sizeof buf);
        source.ReadBuffer(buf, n);
        WriteBuffer(buf, n);
        left -= n;
    }
    return count;
}

void TStream::WriteZeros(int64_t count) {
    static const unsigned char zeros[64] = {};
    while (count > 0) {
        const int64_t n = std::min<int64_t>(count, sizeof zeros);
        WriteBuffer(zeros, n);
        count -= n;
    }
}

// ---- TMemoryStream ---------------------------------------------------------

int64_t TMemoryStream::Read(void* buffer, int64_t count) {
    if (count <= 0 || FPosition >= Size()) return 0;
    const int64_t n = std::min(count, Size() - FPosition);
    std::memcpy(buffer, FData.data() + FPosition, static_cast<size_t>(n));
    FPosition += n;
    return n;
}

int64_t TMemoryStream::Write(const void* buffer, int64_t count) {
    if (count <= 0) return 0;
    const int64_t end = FPosition + count;
    if (end > Size()) FData.resize(static_cast<size_t>(end));
    std::memcpy(FData.data() + FPosition, buffer, static_cast<size_t>(count));
    FPosition = end;
    return count;
}

int64_t TMemoryStream::Seek(int64_t offset, TSeekOrigin origin) {
    int64_t base = 0;
    if (origin == TSeekOrigin::soCurrent) base = FPosition;
    if (origin == TSeekOrigin::soEnd) base = Size();
    FPosition = std::max<int64_t>(0, base + offset);
    return FPosition;
}

void TMemoryStream::SetSize(int64_t size) {
    FData.resize(static_cast<size_t>(std::max<int64_t>(0, size)));
    if (FPosition > size) FPosition = size;
}

void TMemoryStream::Clear() {
    FData.clear();
    FPosition = 0;
}

void TMemoryStream::LoadFromStream(TStream& source) {
    source.SetPosition(0);
    const int64_t n = source.Size();
    std::vector<uint8_t> bytes(static_cast<size_t>(n));
    source.ReadBuffer(bytes.data(), n);
    FData = std::move(bytes);
    FPosition = 0;
}

void TMemoryStream::SaveToStream(TStream& dest) const { dest.WriteBuffer(FData.data(), Size()); }

void TMemoryStream::LoadFromFile(const std::string& fileName) {
    TFileStream f(fileName, TFileMode::fmOpenRead);
    LoadFromStream(f);
}

void TMemoryStream::SaveToFile(const std::string& fileName) const {
    TFileStream f(fileName, TFileMode::fmCreate);
    SaveToStream(f);
}

// ---- TFileStream -----------------------------------------------------------

TFileStream::TFileStream(const std::string& fileName, TFileMode mode) : FFileName(fileName) {
    const char* how = mode == TFileMode::fmCreate ? "w+b" : mode == TFileMode::fmOpenRead ? "rb" : "r+b";
    FFile = std::fopen(fileName.c_str(), how);
    if (!FFile) {
        if (mode == TFileMode::fmCreate) RaiseFileCreateError(fileName);
        RaiseFileOpenError(fileName);
    }
}

TFileStream::~TFileStream() {
    if (FFile) std::fclose(FFile);
}

int64_t TFileStream::Read(void* buffer, int64_t count) {
    if (count <= 0) return 0;
    return static_cast<int64_t>(std::fread(buffer, 1, static_cast<size_t>(count), FFile));
}

int64_t TFileStream::Write(const void* buffer, int64_t count) {
    if (count <= 0) return 0;
    return static_cast<int64_t>(std::fwrite(buffer, 1, static_cast<size_t>(count), FFile));
}

int64_t TFileStream::Seek(int64_t offset, TSeekOrigin origin) {
    const int whence = origin == TSeekOrigin::soBeginning ? SEEK_SET
                     : origin == TSeekOrigin::soCurrent   ? SEEK_CUR
                                                          : SEEK_END;
    if (std::fseek(FFile, static_cast<long>(offset), whence) != 0) return std::ftell(FFile);
    return std::ftell(FFile);
}

int64_t TFileStream::Size() const {
    const long pos = std::ftell(FFile);
    std::fseek(FFile, 0, SEEK_END);
    const long end = std::ftell(FFile);
    std::fseek(FFile, pos, SEEK_SET);
    return end;
}

void TFileStream::SetSize(int64_t size) {
    std::fflush(FFile);
    std::error_code ec;
    std::filesystem::resize_file(FFileName, static_cast<uintmax_t>(std::max<int64_t>(0, size)), ec);
    if (ec) RaiseWriteError();
}

} // namespace vl
