#include "velloran/document/undo_manager.h"

#include <algorithm>

namespace vl {

void TUndoStream::InitChangeMoveMode() {
    if (FBackupMode != TBackupMode::bkMove) return;
    Clear();
    FBackupMode = TBackupMode::bkCreate;
    FExMoveMode = true;
}

TUndoManager::TUndoManager(TUndo Undo, uint8_t Steps) : FUndo(Undo), FSteps(static_cast<uint8_t>(Steps + 1)) {}

void TUndoManager::InitBackup(TBackupMode BackupMode) { FCurrentBackup = std::make_unique<TUndoStream>(BackupMode); }

void TUndoManager::CloseBackup() {
    if (!FCurrentBackup) return;
    if (FUndoPosition > 0) {
        const size_t n = std::min<size_t>(size_t{FUndoPosition} + 1, FBackupList.size());
        FBackupList.erase(FBackupList.begin(), FBackupList.begin() + static_cast<std::ptrdiff_t>(n));
    } else if (!FBackupList.empty() && FBackupList.front()->BackupMode() == TBackupMode::bkUndo) {
        FBackupList.erase(FBackupList.begin());
    }
    FBackupList.insert(FBackupList.begin(), std::move(FCurrentBackup));
    FUndoPosition = 0;
    while (FBackupList.size() > FSteps) FBackupList.pop_back();
}

bool TUndoManager::NeedRedoMem() const {
    return !FBackupList.empty() && FUndoPosition == 0 && FBackupList.front()->BackupMode() != TBackupMode::bkUndo;
}

TUndoStream* TUndoManager::GetNextUndoMem(int32_t& avail) {
    if (FUndoPosition < Count() - 1) {
        ++FUndoPosition;
        avail = Count() - FUndoPosition - 1;
        return FBackupList[FUndoPosition].get();
    }
    avail = 0;
    return nullptr;
}

TUndoStream* TUndoManager::GetNextRedoMem(int32_t& avail) {
    TUndoStream* s = nullptr;
    if (FUndoPosition > 0) s = FBackupList[--FUndoPosition].get();
    avail = FUndoPosition;
    return s;
}

TUndoStream* TUndoManager::ChangeLastUndoMem() {
    if (FUndoPosition == 0) return nullptr;
    TUndoStream* above = FBackupList[FUndoPosition - 1u].get();
    if (above->BackupMode() != TBackupMode::bkMove) return nullptr;
    above->InitChangeMoveMode();
    return above;
}

} // namespace vl
