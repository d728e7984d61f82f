// Text files: any bytes read as lines (line ends of three kinds, a leading
// byte-order mark, malformed UTF-8). The lines written back read the same.

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "fuzz_input.h"
#include "velloran/platform/text_file.h"

using namespace vl;
using vl::fuzz::Check;

namespace {

// One file per process, so parallel fuzzing jobs do not share it.
const std::string& TempName() {
    static const std::string name =
        (std::filesystem::temp_directory_path() / ("velloran-fuzz-text-" + std::to_string(getpid()))).string();
    static const bool removeAtExit = std::atexit([] { std::remove(TempName().c_str()); }) == 0;
    (void)removeAtExit;
    return name;
}

std::vector<String> ReadAll() {
    TTextFile f;
    f.Reset(TempName());
    std::vector<String> lines;
    while (!f.Eof()) lines.push_back(f.ReadLn());
    return lines;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (std::FILE* f = std::fopen(TempName().c_str(), "wb")) {
        std::fwrite(data, 1, size, f);
        std::fclose(f);
    } else {
        return 0;
    }
    const std::vector<String> lines = ReadAll();
    {
        TTextFile f;
        f.Rewrite(TempName());
        for (const String& l : lines) f.WriteLn(l);
    }
    Check(ReadAll() == lines, "written lines read back different");
    return 0;
}
