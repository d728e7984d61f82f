#pragma once
// TvlDataMod: the document. It hands out object identities, keeps the mark
// case (the marked objects), marks, selects and deletes objects with their
// dependants and collects the area to repaint. How objects sit in layers is
// left to the descendants (one object case, or a list of named layers).
// It also keeps the undo history and saves and loads drawings (files, and
// the body of a drawing on any stream).

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "velloran/document/environment.h"
#include "velloran/document/undo_manager.h"
#include "velloran/foundations/set.h"
#include "velloran/foundations/types.h"
#include "velloran/objects/cap_list.h"
#include "velloran/objects/object_document.h"
#include "velloran/objects/object_holder.h"
#include "velloran/objects/object_types.h"
#include "velloran/objects/object_walks.h"
#include "velloran/platform/object.h"
#include "velloran/scale/scale_document.h"
#include "velloran/storage/file_header.h"

namespace vl {

class TStream;
class TvlLayer;
class TObjectIndex;

/// State flags of a document while it loads, saves or moves objects.
enum class TDataModFlag : uint8_t { dmNeedAll, dmLoading, dmSaving, dmIgnoreZ, dmMovingObjects };
using TDataModState = TSet<TDataModFlag, uint8_t>;

/// Where an object sits: its index in its layer and the layer's number
/// (1-based with named layers, 0 with the single object case).
struct TObjIndex {
    int32_t Index = 0;
    int32_t LayerNr = 0;
    bool operator==(const TObjIndex&) const = default;
};

using TCounters = std::vector<uint16_t>;

/// A class reference: makes a layer of one class.
using TLayerClass = std::unique_ptr<TvlLayer> (*)(const String& aName, int32_t aCapacity);
template <typename T> std::unique_ptr<TvlLayer> LayerClassOf(const String& aName, int32_t aCapacity) {
    return std::make_unique<T>(aName, aCapacity);
}
/// NewLayerClass comes in as TvlLayer's class.
using TLayerClassEvent = std::function<void(TLayerClass& NewLayerClass)>;
using TFileVersionEvent = std::function<void(const TvlFileHeader& FileHeader, bool& abort)>;
using TFileStreamEvent = std::function<void(TStream& Stream, bool Loading)>;

/// How a save ended: completely, or stopped through Userbreak (the file it
/// would have replaced is left as it was).
enum class TSaveResult : uint8_t { srSaved, srCancelled };

/// The document: identities, marking, deletion with dependants, undo, loading and saving.
class TvlDataMod : public TEnvironment, public TScaleDocument, public TObjectDocument, public TObjectHolder {
public:
    /// A document owned by AOwner (usually the form); undo is set up when it is loaded.
    explicit TvlDataMod(TComponent* AOwner);
    ~TvlDataMod() override;
    std::string ClassName() const override { return "TvlDataMod"; }

    /// From another document: the handlers and UndoFunction. Anything else:
    /// the framework's assignment, which rejects it.
    void Assign(const TPersistent& Source) override;

    // ---- Limits and size ------------------------------------------------------
    virtual int32_t GetMaxX() const { return 0; }
    virtual int32_t GetminX() const { return 0; }
    virtual int32_t GetmaxY() const { return 0; }
    virtual int32_t GetminY() const { return 0; }
    /// Bounding box of the objects that count; empty without objects.
    TLimRec GetLimits() override = 0;
    virtual int32_t GetCount() const = 0;
    int32_t Count() const { return GetCount(); }
    int32_t MaxX() const { return GetMaxX(); }
    int32_t MinX() const { return GetminX(); }
    int32_t MaxY() const { return GetmaxY(); }
    int32_t MinY() const { return GetminY(); }
    TLimRec Limits() { return GetLimits(); }
    int32_t Width() const { return GetMaxX() - GetminX(); }
    int32_t Height() const { return GetmaxY() - GetminY(); }
    TPoint Extent() const { return {Width(), Height()}; }

    // ---- Provided by the layered documents --------------------------------------
    /// Counters back to 0 (the array keeps its length); descendants also
    /// drop every object.
    virtual void Clear();
    /// Involved(Code) for every object, so dependants of marked objects join.
    virtual void CheckLinks(TInvolve Code) = 0;
    /// Called before and after an object moves; resets the limits when the
    /// object may have carried them.
    void CheckLimits(TvlObject* AnyObj, bool inclBorder) override = 0;
    /// nullptr outside the lists.
    virtual TvlObject* ObjectAt(int32_t Index, int32_t LayerNr) const = 0;
    /// Index -1 when absent.
    virtual TObjIndex IndexOf(const TvlObject* AObject) const = 0;
    virtual void AllObjects(TAllObjectsProc Action) = 0;
    /// Fitting the view walks the objects as scale objects.
    void AllObjects(TScaleStep Step) override;
    virtual void AllObjectsBack(TAllObjectsProc Action) = 0;
    /// Cyclic searches from StartIndex, which is (0, 0) again afterwards.
    virtual TvlObject* FirstObjectWith(TFirstObjectFunc Condition) = 0;
    /// The same search backwards.
    virtual TvlObject* LastObjectWith(TFirstObjectFunc Condition) = 0;
    /// FirstObjectWith, giving the index.
    virtual TObjIndex FirstIndexWith(TFirstObjectFunc Condition) = 0;
    /// LastObjectWith, giving the index.
    virtual TObjIndex LastIndexWith(TFirstObjectFunc Condition) = 0;
    /// The walk and the searches above, through the layers' indexes: only the
    /// objects that may meet Area are visited, in the same order. Action and
    /// Condition must act only on objects whose maximal limits meet Area.
    virtual void AllObjectsIn(const TLimRec& Area, TAllObjectsProc Action);
    /// FirstObjectWith over the objects that may meet Area.
    virtual TvlObject* FirstObjectIn(const TLimRec& Area, TFirstObjectFunc Condition);
    /// LastObjectWith over the objects that may meet Area.
    virtual TvlObject* LastObjectIn(const TLimRec& Area, TFirstObjectFunc Condition);
    void InitLimits() override = 0;
    virtual void RecalcLimits() = 0;
    /// New index; -1 when Item is not something the document can restack.
    virtual int32_t BringToFront(TObject* Item, bool ZOrder) = 0;
    virtual int32_t SendToBack(TObject* Item, bool ZOrder) = 0;
    /// Takes ownership; LayNr selects the layer where there are several.
    virtual void Add(std::unique_ptr<TvlObject> Item, int32_t LayNr) = 0;
    /// Hands the object back without freeing it; nullptr when absent.
    virtual std::unique_ptr<TvlObject> Remove(TvlObject* Item) = 0;
    /// Deletes the marked objects and whatever depends on them.
    virtual void DeleteObjects() = 0;
    virtual bool Empty() const = 0;
    /// The body: counters and layer records, no header.
    virtual void SaveToStream(TStream& Stream) = 0;
    /// Reads a body beside the present drawing and replaces it only when the
    /// whole body was read; a damaged body leaves the drawing as it was.
    /// False when no body was read.
    virtual bool LoadFromStream(TStream& Stream) = 0;

    // ---- Files ------------------------------------------------------------------
    /// Header, creator map, body and the application's trailer. The file is
    /// written beside FileName and takes its place only when complete, so a
    /// failure or a cancel never costs the file it would replace. Errors pass.
    TSaveResult SaveToFile(const std::string& FileName);
    /// A file that cannot be opened lets the user pick another; cancelling
    /// loads nothing. False when nothing was read.
    bool LoadFromFile(const std::string& FileName);
    /// The same from a stream that holds a whole drawing file.
    bool LoadDrawing(TStream& Stream);
    /// Name and tool identity of every creator of the owner, in component order.
    void SaveCreatorMap(TStream& Stream);
    void FileStream(TStream& Stream, bool Loading);
    /// OnCheckFileVersion's verdict on FileHeader: true stops the load.
    bool WrongFileVersion();

    // ---- Undo --------------------------------------------------------------------
    TUndo UndoFunction() const { return FUndo; }
    /// A non-empty set needs at least one step, an empty one none.
    void SetUndoFunction(TUndo Value);
    int32_t UndoSteps() const { return FUndoSteps; }
    void SetUndoSteps(int32_t Value) { FUndoSteps = Value; }
    /// nullptr until Loaded made it (run time, UndoSteps > 0).
    TUndoManager* UndoManager() const { return FUndoManager.get(); }
    /// The backup being written; nullptr outside a backup.
    TUndoStream* BackupMem() const;
    /// Makes the undo manager; steps beyond the manager's 8-bit count are
    /// clamped to the largest it holds.
    void Loaded() override;
    void InitBackup(TBackupMode BkMode);
    /// A complete backup: the marked objects' records for bkMove, the whole
    /// body otherwise.
    void Backup(TBackupMode BkMode);
    /// A move backup gets the restore rectangle; then the manager files it.
    void CloseBackup();
    /// Steps still available in the same direction; 0 without a manager.
    int32_t Undo();
    /// Redoes the newest undone step; steps still available to redo.
    int32_t Redo();
    /// Puts the objects of a move backup back where the backup saw them.
    void UnMove(TStream& Stream);

    /// The class every layer is made with: OnLayerSetClass's choice, else TvlLayer.
    TLayerClass LayerSetClass() const;

    // ---- Identities ---------------------------------------------------------
    /// Grows the counter array as needed; 65535 wraps to 0.
    uint16_t IncCounter(uint16_t CounterIdx) override;
    /// The index must exist (EListError otherwise).
    uint16_t DecCounter(uint16_t CounterIdx);
    const TCounters& Counters() const { return FCounters; }
    /// The object with this (class number, ObjID), through Mapper when active.
    TvlObject* FindObject(const TContype& ConObj) override;

    // ---- Marking and selection ---------------------------------------------
    /// Objects in the mark case carry isSelected; nil means all of them.
    void Select(TvlObject* AnyObj) override;
    void UnSelect(TvlObject* AnyObj) override;
    /// Selects and marks AnyObj (nil: every object of the mark case), then repaints.
    void Mark(TvlObject* AnyObj) override;
    void UnmarkAll() { UnSelect(nullptr); }
    /// Not owning: the marked objects, z-ordered.
    TCapList& MarkCase() { return FMarkCase; }
    const TCapList& MarkCase() const { return FMarkCase; }

    /// Takes Item out of the document and the mark case and frees it.
    void Erase(TvlObject* Item);

    TObjIndex StartIndex() const { return FStartIndex; }
    void SetStartIndex(TObjIndex Value) { FStartIndex = Value; }

    // ---- Repaint area -------------------------------------------------------
    TLimRec& RestoreRect() override { return FRestoreRect; }
    void InitRestoreRect() { FRestoreRect = {EmptyLimMin, EmptyLimMin, EmptyLimMax, EmptyLimMax}; }
    /// The draw box invalidates the area, which then starts empty again.
    void InvalidateRestoreRect() override;
    /// Repaints the whole drawing.
    void Invalidate();
    /// True when the changed area reaches beyond the drawing's limits, so the
    /// view's scroll range must follow.
    bool RangeChanged() const;
    bool CompareLimits(const TLimRec& Lims) const;

    /// A creator that goes away takes its objects and their dependants along:
    /// objects read their style through their creator and must not outlive it.
    void ReleaseToolObjects(const TObjectTool& Tool) override;

    /// After the marked objects and their dependants were flagged isDeleted, before they go.
    TNotifyEvent OnDeleteObjects;
    /// An object joined the mark case.
    TObjectEvent OnSelectObject;
    /// An object (nil: every object) is about to leave the mark case.
    TObjectEvent OnUnselectObject;
    /// An object (nil: the whole mark case) was marked.
    TObjectEvent OnMarkObject;
    /// Chooses the class new layers are made with.
    TLayerClassEvent OnLayerSetClass;
    /// Judges a file's header before its body is read; setting abort stops the load.
    TFileVersionEvent OnCheckFileVersion;
    /// Reads or writes the application's own data that follows the drawing in a file.
    TFileStreamEvent OnFileStream;
    /// A backup for undo is about to be taken.
    TBackupEvent OnBackup;
    TDataModState State;

protected:
    /// Steps 1 to 4 of deleting: dependants join the mark case, the marked
    /// objects flag themselves, OnDeleteObjects, the mark case is emptied.
    /// False when nothing is left to delete.
    bool PrepareDelete();
    /// OnDeleteObjects, then the mark case is emptied.
    void DoDeleteObjects();
    /// Flags isDeleted on every object whose master is flagged, down whole
    /// chains; unless Silently they join the mark case. True when any joined.
    bool FollowDeletedMasters(bool Silently);
    /// Objects are going away: nothing may keep pointing at them.
    void ForgetMouseFnd();
    /// Empties the mark case without events or repainting; the objects keep
    /// no selection flags, so one left in the drawing can be selected again.
    void DropMarkCase();
    /// Frees every object flagged isDeleted, in one pass per layer.
    virtual void FreeDeletedObjects() = 0;

    /// The attempts of a body load. ReadAttempt reads the whole body from the
    /// stream's position and installs it, or raises and changes nothing; after
    /// a failure a translation of class numbers is sought and the body read
    /// once more. Nothing raised by an attempt leaves this.
    /// False when the drawing was kept.
    bool LoadBodyAttempts(TStream& Stream, const std::function<void()>& ReadAttempt);
    /// Counter count (6 in old streams) and counters, checked against the stream.
    static TCounters ReadCounters(TStream& Stream);
    void SetCounters(TCounters Value) { FCounters = std::move(Value); }
    /// Resolves the stored links of freshly read objects through an index of
    /// Objects (ClassNr, ObjID): one binary search per link, not a walk.
    void ConnectObjects(TvlLayer& Objects);

    TObjIndex FStartIndex;

private:
    void RemoveFromMarkCase(TvlObject* AnyObj);
    /// After bulk marking: drops the entries of objects that lost isSelected
    /// and duplicates, and restores the z-order.
    void PackMarkCase();

    TCapList FMarkCase;
    TCounters FCounters;
    TUndo FUndo;
    int32_t FUndoSteps = 0;
    std::unique_ptr<TUndoManager> FUndoManager;
    /// Set while freshly read objects connect; FindObject answers from it.
    const TObjectIndex* FConnectIndex = nullptr;
    TLimRec FRestoreRect;
    /// While deletion gathers dependants and the marked objects decide,
    /// selecting appends and unselecting only clears the flag; one pass
    /// tidies the mark case afterwards (no search or insertion per object).
    bool FBulkMarks = false;
};

} // namespace vl
