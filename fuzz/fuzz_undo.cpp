// Undo backups: a move backup (object records, then the area to repaint)
// puts back what it can and never touches objects it does not name; a full
// snapshot restores like a drawing body or keeps the drawing.

#include "fuzz_input.h"
#include "fuzz_world.h"
#include "velloran/document/undo_manager.h"
#include "velloran/foundations/stream.h"
#include "velloran/storage/file_header.h"

using namespace vl;
using namespace vl::fuzz;

namespace {

std::vector<uint8_t> Body(TvlDataMod& doc) {
    TMemoryStream s;
    doc.SaveToStream(s);
    return s.Bytes();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    TWorld& w = HeadlessWorld();
    TFuzzInput in(data, size);
    const uint8_t options = in.Byte();
    TFileHeaderScope header;
    w.Doc->Clear();
    for (int i = 0; i < 4; ++i) {
        std::unique_ptr<TvlObject> o = w.Creators[1 + (i & 1) * 2]->CreateObject();
        o->Count();
        o->SetPos({i * 30, 5});
        w.Doc->Add(std::move(o), 0);
    }
    const int32_t count = w.Doc->Count();
    TUndoStream s(options & 1 ? TBackupMode::bkCreate : TBackupMode::bkMove);
    const std::vector<uint8_t> bytes = in.Rest();
    s.WriteBuffer(bytes.data(), static_cast<int64_t>(bytes.size()));
    s.SetPosition(0);
    if (s.BackupMode() == TBackupMode::bkMove) {
        w.Doc->UnMove(s);
        Check(w.Doc->Count() == count, "undoing a move changed the objects");
        return 0;
    }
    const std::vector<uint8_t> before = Body(*w.Doc);
    if (!w.Doc->LoadFromStream(s)) Check(Body(*w.Doc) == before, "a failed restore changed the drawing");
    return 0;
}
