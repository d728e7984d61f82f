// TvlObject: the base record and the connect passes.

#include "velloran/document/data_mod.h"
#include "velloran/storage/file_header.h"
#include "velloran/objects/object.h"
#include "velloran/objects/paste_ids.h"
#include "velloran/foundations/stream.h"

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
    switch (Mode) {
    case TPstMode::pstSave:
    case TPstMode::pstCopy: {
        TStream& s = StreamFor(Stream, Mode);
        s.WriteInt16(ClassNr());
        s.WriteUInt16(ObjID);
        s.WriteUInt16((State - SessionFlags).Bits());
        PersistPos(s, Mode);
        break;
    }
    case TPstMode::pstLoad: {
        TStream& s = StreamFor(Stream, Mode);
        // Identities were 32 bits wide before 0x2090; the low half counts.
        ObjID = vlFileVersionBefore(0x2090) ? static_cast<uint16_t>(s.ReadUInt32()) : s.ReadUInt16();
        State = TIndividualState::FromBits(s.ReadUInt16()) - SessionFlags;
        PersistPos(s, Mode);
        if (vlFileVersionBefore(0x2000)) s.ReadUInt32();
        if (HasMasterLink()) State.Include(isConnect);
        break;
    }
    case TPstMode::pstPaste: {
        TStream& s = StreamFor(Stream, Mode);
        const uint16_t stored = s.ReadUInt16();
        if (PasteIDList) {
            const TPasteIDRec rec{ClassNr(), stored, ObjID};
            PasteIDList->Add(&rec);
        }
        State = TIndividualState::FromBits(s.ReadUInt16()) - SessionFlags;
        PersistPos(s, Mode);
        if (HasMasterLink()) State.Include(isConnect);
        break;
    }
    case TPstMode::pstConnect:
    case TPstMode::pstConnectCopy:
        if (HasMasterLink()) ConnectMaster(Mode);
        break;
    }
}

// 16 bytes: x, y (free) or the master's pair and RelPos (slave); then RelX,
// RelY and 4 reserved bytes.
void TvlObject::PersistPos(TStream& s, TPstMode Mode) {
    const bool slave = HasMasterLink();
    if (IsWriting(Mode)) {
        if (slave) {
            const TvlObject* m = Pos.ConObj;
            s.WriteInt16(m ? m->ClassNr() : Pos.ConType);
            s.WriteUInt16(m ? m->ObjID : Pos.ConID);
            s.WriteInt32(Pos.RelPos);
        } else {
            s.WriteInt32(Pos.x);
            s.WriteInt32(Pos.y);
        }
        s.WriteInt16(Pos.RelX);
        s.WriteInt16(Pos.RelY);
        s.WriteZeros(4);
        return;
    }
    Pos = TPos{};
    if (slave) {
        Pos.ConType = s.ReadInt16();
        Pos.ConID = s.ReadUInt16();
        Pos.RelPos = s.ReadInt32();
    } else {
        Pos.x = s.ReadInt32();
        Pos.y = s.ReadInt32();
    }
    Pos.RelX = s.ReadInt16();
    Pos.RelY = s.ReadInt16();
    s.ReadUInt32();
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

void TvlObject::Connect(TvlDataMod*) { Persist(nullptr, TPstMode::pstConnect); }

TvlObject* TvlObject::FindObject(const TContype& Link) const {
    TvlDataMod* dm = GetDataModule();
    return dm ? dm->FindObject(Link) : nullptr;
}

void TvlObject::RegisterLink(TStream* Stream, TContype& Link, TPstMode Mode) {
    switch (Mode) {
    case TPstMode::pstSave:
    case TPstMode::pstCopy: {
        TStream& s = StreamFor(Stream, Mode);
        const TvlObject* t = Link.ConObj;
        s.WriteInt16(t ? t->ClassNr() : Link.ConType);
        s.WriteUInt16(t ? t->ObjID : Link.ConID);
        s.WriteZeros(4);
        break;
    }
    case TPstMode::pstLoad:
    case TPstMode::pstPaste: {
        TStream& s = StreamFor(Stream, Mode);
        Link.ConObj = nullptr;
        Link.ConType = s.ReadInt16();
        Link.ConID = s.ReadUInt16();
        s.ReadUInt32();
        if (!Link.IsNil()) State.Include(isConnect);
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
        if (!id) {
            // A pasted object whose partner was not pasted with it goes.
            State.Include(isDeleted);
            break;
        }
        Link.ConID = *id;
        Link.ConObj = FindObject(Link);
        State.Exclude(isConnect);
        break;
    }
    }
}

} // namespace vl
