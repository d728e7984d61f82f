// A program that uses the installed library as an application would.
#include <velloran/velloran.h>

#include <cstdio>
#include <cstring>

int main() {
    vl::TMemoryStream s;
    s.WriteInt32(7);
    s.SetPosition(0);
    vl::TMapping m;
    m.Mode = vl::TMapMode::mmAnisotropic;
    m.WindowExt = {10, 10};
    m.ViewportExt = {20, -20};
    const vl::TPoint d = m.LPtoDP({3, 4});
    if (s.ReadInt32() != 7 || d.X != 6 || d.Y != -8 || vl::Round(2.5) != 2) {
        std::puts("consumer: wrong results");
        return 1;
    }
    // The header, the library and the package (or pkg-config) agree.
    if (std::strcmp(VELLORAN_VERSION_STRING, VELLORAN_EXPECTED_VERSION) != 0 ||
        std::strcmp(vl::LibraryVersion(), VELLORAN_EXPECTED_VERSION) != 0) {
        std::printf("consumer: version %s, library %s, package %s\n", VELLORAN_VERSION_STRING, vl::LibraryVersion(),
                    VELLORAN_EXPECTED_VERSION);
        return 1;
    }
    std::puts("consumer: ok");
    return 0;
}
