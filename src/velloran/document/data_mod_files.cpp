// TvlDataMod: drawing files, the creator map and the attempts of a body load.

#include <cstdio>
#include <filesystem>
#include <limits>
#include <optional>

#include "velloran/document/data_mod.h"
#include "velloran/document/object_index.h"
#include "velloran/foundations/errors.h"
#include "velloran/foundations/stream.h"
#include "velloran/foundations/stream_strings.h"
#include "velloran/objects/layer.h"
#include "velloran/objects/line_obj.h"
#include "velloran/objects/object.h"
#include "velloran/objects/object_tool.h"
#include "velloran/platform/file_dialog.h"
#include "velloran/platform/message_box.h"
#include "velloran/platform/services.h"
#include "velloran/platform/string_utils.h"
#include "velloran/scale/scale_setting.h"
#include "velloran/storage/infobox.h"
#include "velloran/storage/mapper.h"
#include "velloran/storage/versions.h"

namespace vl {

namespace {

// Sets a state flag for one scope, also when an exception passes.
class TStateFlagScope {
public:
    TStateFlagScope(TDataModState& State, TDataModFlag Flag) : FState(State), FFlag(Flag) { FState.Include(Flag); }
    ~TStateFlagScope() { FState.Exclude(FFlag); }
    TStateFlagScope(const TStateFlagScope&) = delete;
    TStateFlagScope& operator=(const TStateFlagScope&) = delete;

private:
    TDataModState& FState;
    TDataModFlag FFlag;
};

// The progress display shows an operation and is reset on every path.
class TInfoScope {
public:
    TInfoScope(int32_t Code, const TInfoParams& Params) { InfoMessage(Code, Params); }
    ~TInfoScope() { InfoMessage(infoReset); }
    TInfoScope(const TInfoScope&) = delete;
    TInfoScope& operator=(const TInfoScope&) = delete;
};

// Writes Bytes to Path and checks that every byte reached the file.
void WriteWholeFile(const std::filesystem::path& Path, const TMemoryStream& Bytes) {
    std::FILE* f = std::fopen(Path.string().c_str(), "wb");
    if (!f) RaiseFileCreateError(Path.string());
    const size_t n = Bytes.Bytes().size();
    const bool ok = (n == 0 || std::fwrite(Bytes.Memory(), 1, n, f) == n) && std::fflush(f) == 0;
    if (std::fclose(f) != 0 || !ok) RaiseWriteError();
}

// The translation of a failed load: from the stream's creator map, or from a
// map file the user chooses. Building either arrives with map files; until
// then no translation is found and the present drawing stays.
std::unique_ptr<TMapper> FindTranslation(TStream& Stream, int64_t BodyStart) {
    if (vlFileVersionSince(0x3002)) {
        // Unfinished: the translation from the stream's own creator map.
    }
    (void)Stream;
    (void)BodyStart;
    const TModalResult r = MessageDlg(u"wrong file version - load map file?", TMsgDlgType::mtError,
                                      TMsgDlgButtons{TMsgDlgBtn::mbYes, TMsgDlgBtn::mbCancel});
    if (r == TModalResult::mrYes) {
        // Unfinished: LoadMapFile, after which the body is read again from BodyStart.
    }
    return nullptr;
}

} // namespace

// ---- Saving ------------------------------------------------------------------------

void TvlDataMod::SaveCreatorMap(TStream& Stream) {
    TMemoryStream map;
    if (TComponent* own = Owner())
        for (int32_t i = 0; i < own->ComponentCount(); ++i)
            if (auto* c = dynamic_cast<TObjectTool*>(own->Components(i))) {
                SaveString(map, own->Components(i)->Name());
                map.WriteInt32(c->GetID());
            }
    Stream.WriteInt32(static_cast<int32_t>(map.Size()));
    Stream.CopyFrom(map, 0);
}

TSaveResult TvlDataMod::SaveToFile(const std::string& FileName) {
    TInfoScope info(infoSaving, {});
    TFileHeaderScope header;
    TMemoryStream bytes;
    WriteFileHeader(bytes, FileHeader);
    SaveCreatorMap(bytes);
    SaveToStream(bytes);
    // A drawing that lacks objects must not pass for a saved one.
    if (Userbreak) return TSaveResult::srCancelled;
    FileStream(bytes, false);

    // Beside the old file first: until the rename it stays as it was.
    const std::filesystem::path target(FileName);
    std::filesystem::path temp = target;
    temp += ".saving";
    try {
        WriteWholeFile(temp, bytes);
        std::filesystem::rename(temp, target);
    } catch (...) {
        std::error_code ec;
        std::filesystem::remove(temp, ec);
        throw;
    }
    return TSaveResult::srSaved;
}

void TvlDataMod::FileStream(TStream& Stream, bool Loading) {
    if (OnFileStream) OnFileStream(Stream, Loading);
}

bool TvlDataMod::WrongFileVersion() {
    bool abort = false;
    if (OnCheckFileVersion) OnCheckFileVersion(FileHeader, abort);
    return abort;
}

// ---- Loading -----------------------------------------------------------------------

bool TvlDataMod::LoadFromFile(const std::string& FileName) {
    std::unique_ptr<TFileStream> file;
    try {
        file = std::make_unique<TFileStream>(FileName, TFileMode::fmOpenRead);
    } catch (const EFOpenError&) {
        TFileDialogOptions options;
        options.Title = u"File " + Utf8ToString(FileName) + u" not found";
        if (!Services().ExecuteOpenDialog(options)) return false;
        try {
            file = std::make_unique<TFileStream>(options.FileName, TFileMode::fmOpenRead);
        } catch (const EFOpenError&) {
            return false;
        }
    }
    // Read from memory: a file stream answers every size and position
    // question of the readers with a system call.
    TMemoryStream bytes;
    bytes.LoadFromStream(*file);
    return LoadDrawing(bytes);
}

bool TvlDataMod::LoadDrawing(TStream& Stream) {
    TInfoScope info(infoLoading, static_cast<int32_t>(std::min<int64_t>(Stream.Size(), INT32_MAX)));
    TStateFlagScope loading(State, TDataModFlag::dmLoading);
    TvlFileHeader header;
    try {
        header = ReadAnyFileHeader(Stream);
    } catch (const EReadError&) {
        return false;
    }
    // The stream's header governs every reader until the load is over.
    TFileHeaderScope headerScope(header);
    if (WrongFileVersion()) return false;
    try {
        if (vlFileVersionSince(0x3002)) {
            const int32_t mapLength = Stream.ReadInt32();
            if (mapLength < 0) return false;
            Stream.CheckRemaining(mapLength);
            Stream.Seek(mapLength, TSeekOrigin::soCurrent);
        }
    } catch (const EReadError&) {
        // Too short for its creator map: there is no drawing in it.
        return false;
    }
    if (!LoadFromStream(Stream)) return false;
    FileStream(Stream, true);
    return true;
}

TCounters TvlDataMod::ReadCounters(TStream& Stream) {
    const uint16_t n = vlFileVersionBefore(0x3040) ? uint16_t{6} : Stream.ReadUInt16();
    Stream.CheckRemaining(int64_t{n} * 2);
    TCounters counters(n);
    for (uint16_t& c : counters) c = Stream.ReadUInt16();
    return counters;
}

void TvlDataMod::ConnectObjects(TvlLayer& Objects) {
    // Only slaves and linked objects need the index; most drawings have some.
    bool any = false;
    for (int32_t i = 0; i < Objects.Count() && !any; ++i)
        if (const TvlObject* o = Objects.Get(i)) any = o->State.Contains(TIndividualFlag::isConnect);
    if (!any) return;
    const TObjectIndex index(Objects);
    FConnectIndex = &index;
    try {
        for (int32_t i = 0; i < Objects.Count(); ++i)
            if (TvlObject* o = Objects.Get(i); o && o->State.Contains(TIndividualFlag::isConnect))
                o->Persist(nullptr, TPstMode::pstConnect);
    } catch (...) {
        FConnectIndex = nullptr;
        throw;
    }
    FConnectIndex = nullptr;
    // A slave whose master was set free and flagged (its own master was
    // missing) goes with it, or it would keep a freed master. Chains of
    // slaves take one pass per link.
    using enum TIndividualFlag;
    for (bool joined = true; joined;) {
        joined = false;
        for (int32_t i = 0; i < Objects.Count(); ++i) {
            TvlObject* o = Objects.Get(i);
            if (!o || o->State.Contains(isDeleted)) continue;
            const TvlObject* m = o->GetMaster();
            // A line also goes with the master of its second end.
            const auto* line = dynamic_cast<const TLineObj*>(o);
            const TvlObject* m2 = line ? line->GetMaster2() : nullptr;
            if ((m && m != o && m->State.Contains(isDeleted)) || (m2 && m2 != o && m2->State.Contains(isDeleted))) {
                o->State.Include(isDeleted);
                joined = true;
            }
        }
    }
}

bool TvlDataMod::LoadBodyAttempts(TStream& Stream, const std::function<void()>& ReadAttempt) {
    TStateFlagScope loading(State, TDataModFlag::dmLoading);
    // Objects read their coordinates in the view's mapping.
    TActScaleSetScope mapping(DrawForm() ? &DrawForm()->ScaleSetting() : ActScaleSet);
    std::unique_ptr<TMapper> translation;
    std::optional<TMapperScope> mapperScope;
    const int64_t bodyStart = Stream.Position();
    for (int attempts = 2; attempts > 0; --attempts) {
        Stream.SetPosition(bodyStart);
        try {
            ReadAttempt();
            return true;
        } catch (...) {
            // The attempt changed nothing; look for a translation and try once more.
            mapperScope.emplace(nullptr);
            translation = attempts > 1 ? FindTranslation(Stream, bodyStart) : nullptr;
            if (!translation || !translation->Valid) return false;
            mapperScope.emplace(translation.get());
        }
    }
    return false;
}

} // namespace vl
