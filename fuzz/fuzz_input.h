#pragma once
// Shared by the harnesses: option bytes taken from the front of an input,
// the rest handed to a reader, and the failure every broken promise ends in.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace vl::fuzz {

class TFuzzInput {
public:
    TFuzzInput(const uint8_t* data, size_t size) : FData(data), FSize(size) {}
    // Missing bytes read as zero, so every input is a valid choice of options.
    uint8_t Byte() { return FPos < FSize ? FData[FPos++] : 0; }
    int32_t Int() {
        uint32_t v = 0;
        for (int i = 0; i < 4; ++i) v |= uint32_t{Byte()} << (8 * i);
        return static_cast<int32_t>(v);
    }
    std::vector<uint8_t> Rest() { return {FData + FPos, FData + FSize}; }

private:
    const uint8_t* FData;
    size_t FSize;
    size_t FPos = 0;
};

// abort() is what the fuzzer reports as a finding, with the input saved.
[[noreturn]] inline void Fail(const char* what) {
    std::fprintf(stderr, "fuzz check failed: %s\n", what);
    std::abort();
}

inline void Check(bool ok, const char* what) {
    if (!ok) Fail(what);
}

} // namespace vl::fuzz

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);
