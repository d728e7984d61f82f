// TvlDataMod: what goes into an undo backup and how one is restored.

#include <algorithm>

#include "velloran/document/data_mod.h"
#include "velloran/foundations/stream.h"
#include "velloran/objects/object.h"
#include "velloran/objects/object_tool.h"

namespace vl {

namespace {
// The manager counts its list in 8 bits and keeps one entry more than steps.
constexpr int32_t MaxUndoSteps = 254;
constexpr int64_t RestoreRectSize = 16;
} // namespace

void TvlDataMod::SetUndoFunction(TUndo Value) {
    if (Value == FUndo) return;
    FUndo = Value;
    if (FUndo.Empty())
        FUndoSteps = 0;
    else if (FUndoSteps == 0)
        FUndoSteps = 1;
}

void TvlDataMod::Loaded() {
    TEnvironment::Loaded();
    // More steps than the manager can count are clamped, not wrapped.
    if (!Designing() && FUndoSteps > 0)
        FUndoManager = std::make_unique<TUndoManager>(FUndo, static_cast<uint8_t>(std::min(FUndoSteps, MaxUndoSteps)));
}

TUndoStream* TvlDataMod::BackupMem() const { return FUndoManager ? FUndoManager->CurrentBackup() : nullptr; }

void TvlDataMod::InitBackup(TBackupMode BkMode) {
    if (!FUndoManager) return;
    if (OnBackup) OnBackup(this, BkMode);
    FUndoManager->InitBackup(BkMode);
    SetFileHeader();
}

void TvlDataMod::Backup(TBackupMode BkMode) {
    if (!FUndoManager) return;
    InitBackup(BkMode);
    TUndoStream& mem = *BackupMem();
    switch (BkMode) {
    case TBackupMode::bkEmpty: break;
    case TBackupMode::bkMove:
        if (FMarkCase.Count() > 0) FMarkCase.SaveToStream(mem);
        break;
    default: SaveToStream(mem); break;
    }
    CloseBackup();
}

void TvlDataMod::CloseBackup() {
    if (!FUndoManager) return;
    if (TUndoStream* mem = BackupMem(); mem && mem->BackupMode() == TBackupMode::bkMove) {
        mem->Seek(0, TSeekOrigin::soEnd);
        mem->WriteInt32(FRestoreRect.Xmin);
        mem->WriteInt32(FRestoreRect.Ymin);
        mem->WriteInt32(FRestoreRect.Xmax);
        mem->WriteInt32(FRestoreRect.Ymax);
    }
    FUndoManager->CloseBackup();
}

// ---- Undo and redo -------------------------------------------------------------------

namespace {
void Restore(TvlDataMod& Doc, TUndoStream& s) {
    TFileHeaderScope header;
    s.SetPosition(0);
    switch (s.BackupMode()) {
    case TBackupMode::bkMove: Doc.UnMove(s); break;
    case TBackupMode::bkCreate:
    case TBackupMode::bkUndo:
    case TBackupMode::bkPaste:
        Doc.Invalidate();
        Doc.LoadFromStream(s);
        break;
    case TBackupMode::bkDelete: Doc.LoadFromStream(s); break;
    case TBackupMode::bkEmpty: break;
    }
}
} // namespace

int32_t TvlDataMod::Undo() {
    if (!FUndoManager) return 0;
    if (FUndoManager->NeedRedoMem()) Backup(TBackupMode::bkUndo);
    int32_t avail = 0;
    TUndoStream* s = FUndoManager->GetNextUndoMem(avail);
    if (!s) return 0;
    // A move backup cannot bring the drawing forward again: the state on
    // screen replaces it.
    if (TUndoStream* c = FUndoManager->ChangeLastUndoMem()) {
        TFileHeaderScope header;
        SaveToStream(*c);
    }
    Restore(*this, *s);
    return avail;
}

int32_t TvlDataMod::Redo() {
    if (!FUndoManager) return 0;
    int32_t avail = 0;
    if (TUndoStream* s = FUndoManager->GetNextRedoMem(avail)) Restore(*this, *s);
    return avail;
}

void TvlDataMod::UnMove(TStream& Stream) {
    const int64_t end = Stream.Size() - RestoreRectSize;
    if (end < 0) return;
    Stream.SetPosition(end);
    FRestoreRect.Xmin = Stream.ReadInt32();
    FRestoreRect.Ymin = Stream.ReadInt32();
    FRestoreRect.Xmax = Stream.ReadInt32();
    FRestoreRect.Ymax = Stream.ReadInt32();
    Stream.SetPosition(0);
    try {
        while (Stream.Position() < end) {
            const int16_t classNr = Stream.ReadInt16();
            const uint16_t id = Stream.ReadUInt16();
            TvlObject* obj = FindObject(TContype{nullptr, classNr, id});
            Stream.Seek(-2, TSeekOrigin::soCurrent);
            TObjectTool* c = FindObjectTool(Owner(), classNr);
            std::unique_ptr<TvlObject> saved = c ? c->CreateObject() : nullptr;
            // Without its class the rest of the backup cannot be read in step.
            if (!saved) break;
            saved->Persist(&Stream, TPstMode::pstLoad);
            if (!obj) continue;
            CheckLimits(obj, true);
            obj->Invalidate();
            obj->AssignPos(*saved);
            obj->Invalidate();
            CheckLimits(obj, false);
        }
    } catch (const EReadError&) {
        // A damaged backup restores what it could.
    }
    InvalidateRestoreRect();
}

} // namespace vl
