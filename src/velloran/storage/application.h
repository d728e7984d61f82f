#pragma once
// TvlApplication: the application's identity (AppID and version) that every
// saved drawing carries. Values set while a form is being read are held back
// until the first paint commits them, so the identity in force never mixes a
// half-read form with the previous one.

#include <cstdint>

#include "velloran/foundations/types.h"
#include "velloran/platform/persistent.h"

namespace vl {

/// The application's identity (AppID and version) that every saved drawing carries.
class TvlApplication : public TPersistent {
public:
    /// Holds the present identity back and marks it as not committed.
    TvlApplication();
    /// Back to the library's default identity.
    ~TvlApplication() override;
    TvlApplication(const TvlApplication&) = delete;
    TvlApplication& operator=(const TvlApplication&) = delete;
    std::string ClassName() const override { return "TvlApplication"; }

    int32_t AppID() const;
    void SetAppID(int32_t Value);
    /// The version as text; setting it has no effect.
    String Version() const;
    T4Bit VersionMajor() const { return VersionByte(3); }
    T4Bit VersionMinor() const { return VersionByte(2); }
    T4Bit VersionRelease() const { return VersionByte(1); }
    T4Bit VersionBuild() const { return VersionByte(0); }
    void SetVersionMajor(T4Bit Value) { SetVersionByte(3, Value); }
    void SetVersionMinor(T4Bit Value) { SetVersionByte(2, Value); }
    void SetVersionRelease(T4Bit Value) { SetVersionByte(1, Value); }
    void SetVersionBuild(T4Bit Value) { SetVersionByte(0, Value); }
    int32_t AppVersion() const;
    /// Values below 0x10000 are old packed versions, one digit per component.
    void SetAppVersion(int32_t Value);
    bool UserMode = false;

    /// Makes the held-back identity the one in force, once (first paint).
    void Commit();
    /// The identity in force once committed.
    int32_t CommittedAppID() const;

private:
    T4Bit VersionByte(int Byte) const;
    void SetVersionByte(int Byte, T4Bit Value);

    int32_t FTmpAppID;
    int32_t FTmpAppVersion;
};

} // namespace vl
