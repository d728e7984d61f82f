// Writes the seed corpus of every harness with the library's own writers:
// make_seeds <folder> fills <folder>/<harness>/. Each seed starts with the
// option bytes its harness reads first.

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "fuzz_world.h"
#include "velloran/foundations/point_list.h"
#include "velloran/foundations/stream.h"
#include "velloran/foundations/stream_strings.h"
#include "velloran/objects/layer.h"
#include "velloran/objects/line_obj.h"
#include "velloran/platform/graphics.h"
#include "velloran/platform/metafile.h"
#include "velloran/platform/metafile_canvas.h"
#include "velloran/platform/region.h"
#include "velloran/storage/file_header.h"
#include "velloran/storage/versions.h"

using namespace vl;
using namespace vl::fuzz;
namespace fs = std::filesystem;

namespace {

using Bytes = std::vector<uint8_t>;

fs::path Root;

void Write(const char* harness, const std::string& name, const Bytes& options, const Bytes& body) {
    const fs::path dir = Root / harness;
    fs::create_directories(dir);
    std::ofstream out(dir / name, std::ios::binary);
    out.write(reinterpret_cast<const char*>(options.data()), static_cast<std::streamsize>(options.size()));
    out.write(reinterpret_cast<const char*>(body.data()), static_cast<std::streamsize>(body.size()));
}

Bytes Le32(int32_t v) {
    const auto u = static_cast<uint32_t>(v);
    return {uint8_t(u), uint8_t(u >> 8), uint8_t(u >> 16), uint8_t(u >> 24)};
}

Bytes Cat(std::initializer_list<Bytes> parts) {
    Bytes r;
    for (const Bytes& p : parts) r.insert(r.end(), p.begin(), p.end());
    return r;
}

TBitmap SmallBitmap() {
    TBitmap b(3, 2, clWhite);
    b.SetPixel(0, 0, clRed);
    b.SetPixel(2, 1, 0x123456);
    return b;
}

Bytes Saved(const TGraphic& g) {
    TMemoryStream s;
    g.SaveToStream(s);
    return s.Bytes();
}

// A drawing that touches most record kinds the canvas writes.
TMetafile Drawing() {
    TMetafile mf;
    TMetafileCanvas c(mf);
    c.Pen().Color = clBlue;
    c.Pen().Width = 3;
    c.Brush().Color = clYellow;
    c.Rectangle({0, 0, 100, 50});
    c.Ellipse({10, 10, 60, 40});
    const TPoint tri[] = {{0, 0}, {50, 80}, {90, 5}};
    c.Polygon(tri);
    c.Polyline(tri);
    c.Arc({0, 0, 40, 40}, {40, 20}, {0, 20});
    c.RoundRect({5, 5, 70, 45}, 8, 8);
    c.TextOut(4, 4, u"Ab\u00E9");
    c.IntersectClipRect({2, 2, 80, 40});
    const TRegion rgn = TRegion::CreateEllipse({0, 0, 30, 20});
    c.SelectClipRgn(&rgn);
    c.StretchDraw({10, 10, 40, 30}, SmallBitmap());
    c.Close();
    return mf;
}

void RecordLists() {
    TRecordList records(6);
    const uint8_t rec[6] = {1, 2, 3, 4, 5, 6};
    for (int i = 0; i < 3; ++i) records.Add(rec);
    TMemoryStream a;
    records.Persist(a, TPstMode::pstSave);
    Write("record_list", "records", {0, 0}, a.Bytes());
    Write("record_list", "records_paste", {0x80, 0}, a.Bytes());
    TPointList points;
    points.Add({1, 2});
    points.Add({-300, 70000});
    TMemoryStream b;
    points.Persist(b, TPstMode::pstSave);
    Write("record_list", "points", {1, 0}, b.Bytes());
    TMemoryStream c;
    records.SaveToStream(c);
    Write("record_list", "fixed_size", {2, 5}, c.Bytes());
}

void StreamStrings() {
    TMemoryStream s;
    SaveString(s, u"Layer \u00E9\u20AC");
    SaveString(s, u"");
    Write("stream_strings", "utf16", {0, 0, 0, 0, 0, 0}, s.Bytes());
    const Bytes ansi = Cat({Le32(3), {'A', 0x80, 0xE9}});
    Write("stream_strings", "ansi", {0x55, 0, 0, 0, 0, 0}, Cat({ansi, ansi}));
    Write("stream_strings", "fixed", {0x0A, 3, 0, 0, 0, 8}, {'A', 'b', 0, 0, 'x', 'y', 'z', 0});
}

// Records as the object harness reads them: a selector byte, then the record
// without its class number.
Bytes ObjectRecords(const std::vector<std::pair<uint8_t, TvlObject*>>& objects, TPstMode mode) {
    Bytes out;
    for (auto [selector, o] : objects) {
        const Bytes rec = SaveObjects({o}, mode);
        out.push_back(selector);
        out.insert(out.end(), rec.begin() + 2, rec.end());
    }
    return out;
}

// Two points, a free line and a line hanging on both points, as the line
// harness reads them (selector 0 for a point, 1 for a line).
void Lines() {
    TWorld& w = World();
    auto a = w.Creators[1]->CreateObject();
    auto b = w.Creators[1]->CreateObject();
    a->Count();
    a->SetPos({10, 20});
    b->Count();
    b->SetPos({300, -40});
    auto freeLine = w.Lines->CreateObject();
    auto cable = w.Lines->CreateObject();
    auto& f = static_cast<TLineObj&>(*freeLine);
    auto& c = static_cast<TLineObj&>(*cable);
    f.Count();
    f.SetPos({-5, 7});
    f.SetPos2({50, 90});
    c.Count();
    c.SetMaster(a.get());
    c.SetMaster2(b.get());
    const std::vector<std::pair<uint8_t, TvlObject*>> all{{0, a.get()}, {0, b.get()}, {1, &f}, {1, &c}};
    Write("line", "current", {5}, ObjectRecords(all, TPstMode::pstSave));
    Write("line", "current_paste", {0x15}, ObjectRecords(all, TPstMode::pstCopy));
}

void ObjectsAndLayers() {
    TWorld& w = World();
    auto fields = w.Creators[0]->CreateObject();
    auto& f = static_cast<TFieldsObj&>(*fields);
    f.Count();
    f.SetPos({120, -40});
    f.SetAlphaPlain(300);
    f.Text = u"text";
    f.PText = std::make_unique<char16_t[]>(3);
    f.PText[0] = u'p';
    f.PText[1] = u'\u00E9';
    f.Font.Name = u"Sans";
    f.Font.Height = 12;
    f.Pen.Width = 2;
    f.HasPicture = 1;
    f.Picture.SetGraphic(std::make_unique<TBitmap>(SmallBitmap()));
    auto point = w.Creators[1]->CreateObject();
    point->Count();
    point->SetPos({5, 6});
    f.Link.ConObj = point.get();
    auto slave = w.Creators[2]->CreateObject();
    slave->Count();
    slave->Pos.ConObj = point.get();
    slave->Pos.RelX = 3;
    slave->State.Include(TIndividualFlag::isSlave);
    auto fixed = w.Creators[3]->CreateObject();
    fixed->Count();

    const std::vector<std::pair<uint8_t, TvlObject*>> all{{1, point.get()}, {0, &f}, {2, slave.get()}, {3, fixed.get()}};
    const Bytes records = ObjectRecords(all, TPstMode::pstSave);
    Write("object", "current", {5}, records);
    Write("object", "ansi_host", {0x0D}, records);
    // The clipboard's records, as a copy writes them.
    Write("object", "current_paste", {0x15}, ObjectRecords(all, TPstMode::pstCopy));

    // A text broken into lines and a label with its text inside.
    auto text = w.Creators[4]->CreateObject();
    text->Count();
    text->SetPos({300, 40});
    text->SetText(u"alpha beta\r\ngamma \u00E9t\u00E9");
    auto label = w.Creators[5]->CreateObject();
    label->Count();
    label->SetText(u"Room 12 north");
    auto box = w.Creators[6]->CreateObject();
    box->Count();
    box->SetPos({-20, 10});
    static_cast<TLineObj&>(*box).SetPos2({60, 90});
    box->SetText(u"Store: keep the door clear");
    const std::vector<std::pair<uint8_t, TvlObject*>> texts{{4, text.get()}, {5, label.get()}, {6, box.get()}};
    Write("object", "texts", {5}, ObjectRecords(texts, TPstMode::pstSave));
    Write("object", "texts_paste", {0x15}, ObjectRecords(texts, TPstMode::pstCopy));

    TvlLayer layer(u"Layer 1");
    for (auto* o : {point.release(), fields.release(), slave.release(), fixed.release()})
        layer.Add(std::unique_ptr<TvlObject>(o));
    TMemoryStream s;
    SetFileHeader();
    layer.SaveToStream(s);
    Write("layer", "current", {5}, s.Bytes());
    Write("layer", "mapped", {0x15}, s.Bytes());
    // Before 0x2004 no name; before 0x2090 class numbers and identities of 32 bits.
    const Bytes oldBody{7, 0, 0, 0, 1, 0, 0x64, 0, 0, 0, 0xFE, 0xFF, 0xFF, 0xFF, 0, 0, 0, 0, 0, 0, 0, 0};
    Write("layer", "old", {1}, Cat({{4, 0, 0, 0}, oldBody, {0x01, 0x80, 0, 0}}));
}

// Whole drawing files and undo backups, as saving and a move write them.
void DrawingsAndBackups() {
    TWorld& w = World();
    w.Doc->Clear();
    TvlObject* master = nullptr;
    for (int i = 0; i < 3; ++i) {
        std::unique_ptr<TvlObject> o = w.Creators[1]->CreateObject();
        o->Count();
        o->SetPos({i * 40, 7});
        if (!master) master = o.get();
        w.Doc->Add(std::move(o), 0);
    }
    w.Creators[3]->CreateSlaveAt(master, 2, 3);
    TFileHeaderScope header;
    TMemoryStream file;
    WriteFileHeader(file, FileHeader);
    w.Doc->SaveCreatorMap(file);
    w.Doc->SaveToStream(file);
    Write("drawing", "current", {1}, file.Bytes());
    // 3.0.0.0: the 8-byte header, no creator map, 6 counters.
    const Bytes old{0x00, 0xD0, 0, 0, 0, 0x10, 0, 0x08, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
                    0, 0, 0, 0, 3, 0, 1, 0, 1, 0, 5, 0, 0, 0, 6, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0x01, 0x80};
    Write("drawing", "old", {0}, old);

    TMemoryStream move;
    for (int32_t i = 0; i < w.Doc->Count(); ++i) w.Doc->ObjectAt(i, 0)->Persist(&move, TPstMode::pstSave);
    for (int32_t v : {0, 0, 100, 50}) move.WriteInt32(v);
    Write("undo", "move", {0}, move.Bytes());
    TMemoryStream body;
    w.Doc->SaveToStream(body);
    Write("undo", "snapshot", {1}, body.Bytes());
    w.Doc->Clear();
}

void Metafiles() {
    const Bytes emf = Drawing().Data();
    Write("metafile", "whole", Cat({{1}, Le32(200), Le32(100)}), emf);
    Write("metafile", "in_stream", Cat({{6}, Le32(50), Le32(70)}), Cat({emf, {1, 2, 3, 4}}));
    Write("playback", "null_canvas", Cat({{1}, Le32(0), Le32(0), Le32(200), Le32(100)}), emf);
    Write("playback", "recording", Cat({{0}, Le32(-20), Le32(300), Le32(40), Le32(-10)}), emf);
}

void Pictures() {
    Write("picture", "bitmap", {0}, Saved(SmallBitmap()));
    TIcon icon;
    icon.Image() = SmallBitmap();
    icon.SetMask({true, false, false, false, true, false});
    Write("picture", "icon", {1}, Saved(icon));
    // Start, a frame header of 16 x 8 pixels, a scan with a stuffed byte, end.
    const Bytes jpeg{0xFF, 0xD8, 0xFF, 0xC0, 0, 11, 8, 0, 8, 0, 16, 1, 1, 0x11, 0,
                     0xFF, 0xDA, 0, 8, 1, 1, 0, 0, 63, 0, 0x12, 0xFF, 0, 0x34, 0xFF, 0xD9};
    Write("picture", "jpeg", {2}, Cat({jpeg, {0xAA}}));
}

void TextFiles() {
    const std::string text = "\xEF\xBB\xBFline one\r\nline two\rthird \xC3\xA9\xFF\n\nlast";
    Write("text_file", "mixed", {}, Bytes(text.begin(), text.end()));
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_seeds <folder>\n");
        return 2;
    }
    Root = argv[1];
    RecordLists();
    StreamStrings();
    ObjectsAndLayers();
    DrawingsAndBackups();
    Lines();
    Metafiles();
    Pictures();
    TextFiles();
    return 0;
}
