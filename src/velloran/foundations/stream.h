#pragma once
// Byte streams: the abstract stream, a memory stream and a file stream, with
// the little-endian read/write helpers that every stored format uses.

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <type_traits>
#include <vector>

#include "velloran/foundations/errors.h"

namespace vl {

/// Where a Seek offset counts from.
enum class TSeekOrigin { soBeginning, soCurrent, soEnd };

/// An abstract byte stream with the little-endian helpers every stored format uses.
class TStream {
public:
    virtual ~TStream() = default;

    /// Raw transfer: returns the number of bytes actually moved.
    virtual int64_t Read(void* buffer, int64_t count) = 0;
    virtual int64_t Write(const void* buffer, int64_t count) = 0;
    virtual int64_t Seek(int64_t offset, TSeekOrigin origin) = 0;
    virtual int64_t Size() const = 0;
    virtual void SetSize(int64_t size) = 0;

    int64_t Position() const { return const_cast<TStream*>(this)->Seek(0, TSeekOrigin::soCurrent); }
    void SetPosition(int64_t pos) { Seek(pos, TSeekOrigin::soBeginning); }
    int64_t Remaining() const {
        const int64_t r = Size() - Position();
        return r > 0 ? r : 0;
    }

    /// Exact transfer: a short read raises EReadError, a short write EWriteError.
    void ReadBuffer(void* buffer, int64_t count);
    void WriteBuffer(const void* buffer, int64_t count);
    /// Raises EReadError unless at least count bytes remain; call it before
    /// allocating anything whose size was read from the stream.
    void CheckRemaining(int64_t count) const;
    /// Copies count bytes from source (0: all of source, from its start).
    int64_t CopyFrom(TStream& source, int64_t count);

    /// Little-endian scalars.
    template <typename T> T ReadLE() {
        static_assert(std::is_arithmetic_v<T> || std::is_enum_v<T>);
        unsigned char b[sizeof(T)];
        ReadBuffer(b, sizeof(T));
        return FromLE<T>(b);
    }
    template <typename T> void WriteLE(T v) {
        static_assert(std::is_arithmetic_v<T> || std::is_enum_v<T>);
        unsigned char b[sizeof(T)];
        ToLE(v, b);
        WriteBuffer(b, sizeof(T));
    }

    int8_t ReadInt8() { return ReadLE<int8_t>(); }
    uint8_t ReadUInt8() { return ReadLE<uint8_t>(); }
    int16_t ReadInt16() { return ReadLE<int16_t>(); }
    uint16_t ReadUInt16() { return ReadLE<uint16_t>(); }
    int32_t ReadInt32() { return ReadLE<int32_t>(); }
    uint32_t ReadUInt32() { return ReadLE<uint32_t>(); }
    int64_t ReadInt64() { return ReadLE<int64_t>(); }
    double ReadDouble() { return ReadLE<double>(); }
    void WriteInt8(int8_t v) { WriteLE(v); }
    void WriteUInt8(uint8_t v) { WriteLE(v); }
    void WriteInt16(int16_t v) { WriteLE(v); }
    void WriteUInt16(uint16_t v) { WriteLE(v); }
    void WriteInt32(int32_t v) { WriteLE(v); }
    void WriteUInt32(uint32_t v) { WriteLE(v); }
    void WriteInt64(int64_t v) { WriteLE(v); }
    void WriteDouble(double v) { WriteLE(v); }
    /// Reserved bytes are always written as zero.
    void WriteZeros(int64_t count);

private:
    template <typename T> static T FromLE(const unsigned char* b) {
        using U = std::conditional_t<sizeof(T) == 1, uint8_t,
                  std::conditional_t<sizeof(T) == 2, uint16_t,
                  std::conditional_t<sizeof(T) == 4, uint32_t, uint64_t>>>;
        U u = 0;
        for (size_t i = 0; i < sizeof(T); ++i) u |= static_cast<U>(static_cast<U>(b[i]) << (8 * i));
        T v;
        std::memcpy(&v, &u, sizeof(T));
        return v;
    }
    template <typename T> static void ToLE(T v, unsigned char* b) {
        using U = std::conditional_t<sizeof(T) == 1, uint8_t,
                  std::conditional_t<sizeof(T) == 2, uint16_t,
                  std::conditional_t<sizeof(T) == 4, uint32_t, uint64_t>>>;
        U u;
        std::memcpy(&u, &v, sizeof(T));
        for (size_t i = 0; i < sizeof(T); ++i) b[i] = static_cast<unsigned char>(u >> (8 * i));
    }
};

/// A stream over a growable block of memory.
class TMemoryStream : public TStream {
public:
    TMemoryStream() = default;
    explicit TMemoryStream(std::vector<uint8_t> bytes) : FData(std::move(bytes)) {}

    int64_t Read(void* buffer, int64_t count) override;
    int64_t Write(const void* buffer, int64_t count) override;
    int64_t Seek(int64_t offset, TSeekOrigin origin) override;
    int64_t Size() const override { return static_cast<int64_t>(FData.size()); }
    void SetSize(int64_t size) override;

    void Clear();
    const uint8_t* Memory() const { return FData.data(); }
    const std::vector<uint8_t>& Bytes() const { return FData; }
    void LoadFromStream(TStream& source);
    void SaveToStream(TStream& dest) const;
    void LoadFromFile(const std::string& fileName);
    void SaveToFile(const std::string& fileName) const;

private:
    std::vector<uint8_t> FData;
    int64_t FPosition = 0;
};

/// How a file stream opens its file.
enum class TFileMode { fmCreate, fmOpenRead, fmOpenReadWrite };

/// A file on disk. fmCreate replaces an existing file.
class TFileStream : public TStream {
public:
    TFileStream(const std::string& fileName, TFileMode mode);
    ~TFileStream() override;
    TFileStream(const TFileStream&) = delete;
    TFileStream& operator=(const TFileStream&) = delete;

    int64_t Read(void* buffer, int64_t count) override;
    int64_t Write(const void* buffer, int64_t count) override;
    int64_t Seek(int64_t offset, TSeekOrigin origin) override;
    int64_t Size() const override;
    void SetSize(int64_t size) override;
    const std::string& FileName() const { return FFileName; }

private:
    std::string FFileName;
    std::FILE* FFile = nullptr;
};

} // namespace vl
