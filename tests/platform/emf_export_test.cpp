#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <map>
#include <regex>

#include "support/test_files.h"
#include "velloran/platform/metafile_canvas.h"

using namespace vl;

namespace {
// Numeric attributes of the first element with this tag.
std::map<std::string, double> Attributes(const std::string& svg, const std::string& tag) {
    std::map<std::string, double> out;
    const auto at = svg.find("<" + tag + " ");
    if (at == std::string::npos) return out;
    const std::string elem = svg.substr(at, svg.find('>', at) - at);
    static const std::regex attr(R"(\s([a-z-]+)="(-?[0-9.]+)\")");
    for (std::sregex_iterator i(elem.begin(), elem.end(), attr), end; i != end; ++i)
        out[(*i)[1]] = std::stod((*i)[2]);
    return out;
}

std::vector<double> PathNumbers(const std::string& svg) {
    std::vector<double> out;
    const auto at = svg.find("<path d=\"");
    if (at == std::string::npos) return out;
    const std::string d = svg.substr(at + 9, svg.find('"', at + 9) - at - 9);
    static const std::regex num(R"(-?[0-9]+(\.[0-9]+)?)");
    for (std::sregex_iterator i(d.begin(), d.end(), num), end; i != end; ++i)
        out.push_back(std::stod(i->str()));
    return out;
}

} // namespace

TEST(EmfExport, ConverterDrawsTheRecordedShapes) {
    TMetafile mf;
    {
        TMetafileCanvas c(mf);
        c.Pen().Color = clRed;
        c.Pen().Width = 2;
        c.Brush().Color = clYellow;
        c.Rectangle({10, 20, 110, 70});
        c.Brush().Color = clAqua;
        c.Ellipse({150, 20, 250, 80});
        const TPoint line[] = {{10, 100}, {60, 150}, {110, 100}};
        c.Polyline(line);
        c.Font().Height = -16;
        c.Font().Color = clBlue;
        c.TextOut(150, 110, u"Velloran");
    }
    const std::string emf = vl::test::TempPath("export_shapes.emf"), svg = vl::test::TempPath("export_shapes.svg");
    std::filesystem::remove(svg);
    mf.SaveToFile(emf);
    const std::string cmd = "emf2svg-conv -i '" + emf + "' -o '" + svg + "' 2>&1";
    ASSERT_EQ(std::system(cmd.c_str()), 0) << "emf2svg-conv missing or failed";
    const std::string text = vl::test::ReadFile<std::string>(svg);
    // Shapes at the recorded coordinates (the converter may offset the whole
    // picture by a group transform, which leaves these numbers alone).
    auto rect = Attributes(text, "rect");
    EXPECT_EQ(rect["x"], 10);
    EXPECT_EQ(rect["y"], 20);
    EXPECT_EQ(rect["width"], 100);
    EXPECT_EQ(rect["height"], 50);
    auto ellipse = Attributes(text, "ellipse");
    EXPECT_EQ(ellipse["cx"], 200);
    EXPECT_EQ(ellipse["cy"], 50);
    EXPECT_EQ(ellipse["rx"], 50);
    EXPECT_EQ(ellipse["ry"], 30);
    EXPECT_EQ(PathNumbers(text), (std::vector<double>{10, 100, 60, 150, 110, 100}));
    auto label = Attributes(text, "text");
    EXPECT_EQ(label["x"], 150);
    // Top-aligned text: the baseline lies inside the 16-unit cell.
    EXPECT_GT(label["y"], 110);
    EXPECT_LE(label["y"], 126);
    EXPECT_NE(text.find("Velloran"), std::string::npos);
    EXPECT_NE(text.find("#FFFF00"), std::string::npos); // the rectangle's brush
}
