// A program that uses the installed library as an application would.
#include <velloran/velloran.h>

#include <cstdio>

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
    std::puts("consumer: ok");
    return 0;
}
