#pragma once
// Files of a test program, in the folder the build names (VELLORAN_TEST_TMP).

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>
#include <vector>

namespace vl::test {

inline std::string TempPath(const std::string& Name) {
    const char* env = std::getenv("VELLORAN_TEST_TMP");
    const std::filesystem::path dir =
        env && *env ? std::filesystem::path(env) : std::filesystem::temp_directory_path() / "velloran-test";
    std::filesystem::create_directories(dir);
    return (dir / Name).string();
}

// Contents as bytes; T is std::string or std::vector<uint8_t>.
template <typename T = std::vector<uint8_t>> T ReadFile(const std::string& Path) {
    std::ifstream in(Path, std::ios::binary);
    return T(std::istreambuf_iterator<char>(in), {});
}

inline void WriteFile(const std::string& Path, std::string_view Contents) {
    std::ofstream(Path, std::ios::binary).write(Contents.data(), static_cast<std::streamsize>(Contents.size()));
}
inline void WriteFile(const std::string& Path, const std::vector<uint8_t>& Contents) {
    WriteFile(Path, std::string_view(reinterpret_cast<const char*>(Contents.data()), Contents.size()));
}

} // namespace vl::test
