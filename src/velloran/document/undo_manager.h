#pragma once
// The undo history: backups of the drawing taken before each recorded
// operation, newest first. A move backup holds only the moved objects'
// records; every other backup is the whole document body. The manager only
// files and hands out backups; the document writes and restores them.

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "velloran/foundations/set.h"
#include "velloran/foundations/stream.h"

namespace vl {

class TObject;

/// Which operations are recorded for undo.
enum class TUndoOptions : uint8_t { unMove, unCreate, unDelete, unUndo, unPaste };
using TUndo = TSet<TUndoOptions, uint8_t>;

/// What a backup was taken for.
enum class TBackupMode : uint8_t { bkEmpty, bkMove, bkCreate, bkDelete, bkUndo, bkPaste };
using TBackupEvent = std::function<void(TObject* Sender, TBackupMode BackupMode)>;

/// One backup of the undo history: the stream of records and the operation it undoes.
class TUndoStream : public TMemoryStream {
public:
    explicit TUndoStream(TBackupMode Mode) : FBackupMode(Mode) {}
    TBackupMode BackupMode() const { return FBackupMode; }
    bool ExMoveMode() const { return FExMoveMode; }
    /// A move backup becomes an empty full snapshot for the caller to fill.
    void InitChangeMoveMode();

private:
    TBackupMode FBackupMode;
    bool FExMoveMode = false;
};

/// The undo history: backups taken before each recorded operation, newest first.
class TUndoManager {
public:
    /// The list keeps Steps + 1 backups (8-bit, as stored).
    TUndoManager(TUndo Undo, uint8_t Steps);

    TUndo UndoOptions() const { return FUndo; }
    uint8_t Steps() const { return FSteps; }
    int32_t Count() const { return static_cast<int32_t>(FBackupList.size()); }
    uint8_t UndoPosition() const { return FUndoPosition; }
    /// nullptr between backups.
    TUndoStream* CurrentBackup() const { return FCurrentBackup.get(); }
    TUndoStream* Backup(int32_t Index) const { return FBackupList[static_cast<size_t>(Index)].get(); }

    /// Drops an unfinished backup and opens a new one.
    void InitBackup(TBackupMode BackupMode);
    /// Files the open backup at the front, dropping the redo history and
    /// whatever no longer fits.
    void CloseBackup();
    /// Nothing undone yet and the newest backup is not already a redo snapshot.
    bool NeedRedoMem() const;
    /// avail: undo steps left after this one; nullptr when none is left.
    TUndoStream* GetNextUndoMem(int32_t& avail);
    /// avail: redo steps left; nullptr when nothing is undone.
    TUndoStream* GetNextRedoMem(int32_t& avail);
    /// The move backup just above the one restored last, emptied as a full
    /// snapshot (a move backup cannot bring the drawing forward); else nullptr.
    TUndoStream* ChangeLastUndoMem();

private:
    TUndo FUndo;
    uint8_t FSteps;
    std::unique_ptr<TUndoStream> FCurrentBackup;
    std::vector<std::unique_ptr<TUndoStream>> FBackupList;
    uint8_t FUndoPosition = 0;
};

} // namespace vl
