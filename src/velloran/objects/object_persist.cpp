// TvlObject: the base record and the connect passes.

#include "velloran/foundations/stream.h"
#include "velloran/foundations/transfer.h"
#include "velloran/objects/object.h"
#include "velloran/objects/object_document.h"
#include "velloran/objects/paste_ids.h"
#include "velloran/storage/file_header.h"

namespace vl {

using enum TIndividualFlag;

namespace {
// Flags that describe the session, not the drawing: never written, and
// dropped when read so that a stream cannot claim a selection the document
// does not hold.
constexpr TIndividualState SessionFlags{isMarked, isDeleted, isSelected, isSizing};
} // namespace

TStream& TvlObject::StreamFor(TStream* Stream, TPstMode Mode) {
    if (!Stream) {
        if (IsWriting(Mode)) RaiseWriteError();
        RaiseReadError();
    }
    return *Stream;
}

void TvlObject::Persist(TStream* Stream, TPstMode Mode) {
    if (Mode == TPstMode::pstConnect || Mode == TPstMode::pstConnectCopy) {
        if (HasMasterLink()) ConnectMaster(Mode);
        return;
    }
    TTransfer t(StreamFor(Stream, Mode), Mode);
    // The class number leads the record; the reader of the list takes it to
    // choose the creator before this object exists.
    if (t.Writing()) t.Stream().WriteInt16(ClassNr());
    // Identities were 32 bits wide before 0x2090; the low half counts.
    uint16_t id = ObjID;
    t.Narrowed(id, Mode == TPstMode::pstLoad && vlFileVersionBefore(0x2090));
    if (Mode == TPstMode::pstLoad) {
        ObjID = id;
    } else if (Mode == TPstMode::pstPaste && PasteIDList && ObjID != 0) {
        // A pasted object keeps its fresh identity; links are translated. An
        // embedded object is not counted: identity 0 names no object.
        const TPasteIDRec rec{ClassNr(), id, ObjID};
        PasteIDList->Add(&rec);
    }
    uint16_t state = (State - SessionFlags).Bits();
    t.Value(state);
    if (t.Reading()) State = TIndividualState::FromBits(state) - SessionFlags;
    PersistPos(t);
    if (Mode == TPstMode::pstLoad && vlFileVersionBefore(0x2000)) t.Reserved(4);
    if (t.Reading() && HasMasterLink()) State.Include(isConnect);
}

namespace {

// A reference as stored: the target's class number and identity, taken from
// the target itself while it is resolved. Reading leaves it unresolved.
void TransferKey(TTransfer& t, TContype& Link) {
    const TvlObject* target = t.Writing() ? Link.ConObj : nullptr;
    int16_t type = target ? target->ClassNr() : Link.ConType;
    uint16_t id = target ? target->ObjID : Link.ConID;
    t.Value(type);
    t.Value(id);
    if (t.Writing()) return;
    Link.ConObj = nullptr;
    Link.ConType = type;
    Link.ConID = id;
}

} // namespace

void TvlObject::PersistPos(TTransfer& t) { TransferPos(t, Pos, HasMasterLink()); }

// 16 bytes: x, y (free) or the master's pair and RelPos (linked); then RelX,
// RelY and 4 reserved bytes.
void TvlObject::TransferPos(TTransfer& t, TPos& P, bool Linked) {
    if (t.Reading()) P = TPos{};
    if (Linked) {
        TransferKey(t, P);
        t.Value(P.RelPos);
    } else {
        t.Value(P.x);
        t.Value(P.y);
    }
    t.Value(P.RelX);
    t.Value(P.RelY);
    t.Reserved(4);
}

// A slave always ends with a master it can follow: a master that is missing,
// or that would close a loop of masters (only a damaged stream does that),
// leaves it free at its stored offset and flagged for removal.
void TvlObject::ConnectMaster(TPstMode Mode) {
    RegisterLink(nullptr, Pos, Mode);
    bool loop = false;
    for (const TvlObject* m = Pos.ConObj; m && !loop; m = m->HasMasterLink() ? m->Pos.ConObj : nullptr)
        loop = m == this;
    if (Pos.ConObj && !loop) return;
    Pos.ConObj = nullptr;
    Pos.ConType = 0;
    Pos.ConID = 0;
    Pos.x = Pos.RelX;
    Pos.y = Pos.RelY;
    State.Exclude(isSlave).Exclude(isP1Slave).Exclude(isConnect).Include(isDeleted);
}

void TvlObject::Connect(TObjectDocument*) { Persist(nullptr, TPstMode::pstConnect); }

TvlObject* TvlObject::FindObject(const TContype& Link) const {
    TObjectDocument* dm = GetDataModule();
    return dm ? dm->FindObject(Link) : nullptr;
}

void TvlObject::RegisterLink(TStream* Stream, TContype& Link, TPstMode Mode) {
    switch (Mode) {
    case TPstMode::pstSave:
    case TPstMode::pstCopy:
    case TPstMode::pstLoad:
    case TPstMode::pstPaste: {
        TTransfer t(StreamFor(Stream, Mode), Mode);
        TransferKey(t, Link);
        t.Reserved(4);
        if (t.Reading() && !Link.IsNil()) State.Include(isConnect);
        break;
    }
    // A link that already holds its reference is resolved and stays.
    case TPstMode::pstConnect:
        if (Link.IsNil() || Link.ConObj) break;
        Link.ConObj = FindObject(Link);
        if (!Link.ConObj) Link = TContype{};
        State.Exclude(isConnect);
        break;
    case TPstMode::pstConnectCopy: {
        if (Link.ConObj) break;
        const std::optional<uint16_t> id = Link.IsNil() ? std::nullopt : PastedID(Link.ConType, Link.ConID);
        if (id) {
            Link.ConID = *id;
            Link.ConObj = FindObject(Link);
        } else {
            // A pasted object whose partner was not pasted with it goes.
            State.Include(isDeleted);
        }
        // Cleared as the connect pass does, so no stale identity is saved.
        if (!Link.ConObj) Link = TContype{};
        State.Exclude(isConnect);
        break;
    }
    }
}

} // namespace vl
