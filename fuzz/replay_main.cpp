// Runs a harness over files without the fuzzer: every argument is a file or
// a folder of inputs. The normal build uses it to replay corpora as tests.

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "fuzz_input.h"

namespace fs = std::filesystem;

namespace {

int Replay(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    const std::vector<char> bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    std::fprintf(stderr, "replay %s\n", file.c_str());
    LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
    return 1;
}

} // namespace

int main(int argc, char** argv) {
    int count = 0;
    for (int i = 1; i < argc; ++i) {
        const fs::path arg = argv[i];
        if (!fs::is_directory(arg)) {
            if (!fs::exists(arg)) {
                std::fprintf(stderr, "no such input: %s\n", argv[i]);
                return 1;
            }
            count += Replay(arg);
            continue;
        }
        // Sorted, so a failing run names the same file every time.
        std::vector<fs::path> files;
        for (const auto& e : fs::recursive_directory_iterator(arg))
            if (e.is_regular_file()) files.push_back(e.path());
        std::sort(files.begin(), files.end());
        for (const auto& f : files) count += Replay(f);
    }
    std::printf("%d inputs replayed\n", count);
    return count > 0 ? 0 : 1;
}
