// The Environment pages of NT and Unix components, events and profiles, the NT component's
// Generate page, and the NT and Unix report pages. They add the platform's options to the
// platform-neutral pages. On Unix the component's and profile's Environment page shows the
// element's pack and expected number as the database storage page does at the table, and
// each page passes its changes on to the other.
#pragma once

#include "options/VqsOptionPagesIspec.h"
#include "options/VqsOptionPagesProfileReport.h"
#include "options_nt_unix/VqsOptionPageUnixOracledb.h"
#include "proxy/PxNTCompOptions.h"
#include "proxy/PxNTProfileOptions.h"
#include "proxy/PxNTReportOptions.h"
#include "proxy/PxUnixCompOptions.h"
#include "proxy/PxUnixProfileOptions.h"
#include "proxy/PxUnixReportOptions.h"

#include <cstdint>

// An Ispec's user privilege level, on both platforms.
class VqsOptionPageNTUnixIspecEnv : public VqsOptionPageIspecEnv {
public:
    VqsOptionPageNTUnixIspecEnv(VqsOptions_Ispec_Sheet* sheet, UINT dialogId, int pageIndex);
    BOOL OnInitDialog() override;

protected:
    VqsOptCtrlInt& m_userPrivilege;
};

struct VqsNTComponentEnvTraits {
    using Record = PxNTCompOptions;
    static constexpr UINT kUserMaintainedId = 33097;
    static constexpr bool kUnix = false;
};

struct VqsUnixComponentEnvTraits {
    using Record = PxUnixCompOptions;
    static constexpr UINT kUserMaintainedId = 33032;
    static constexpr bool kUnix = true;
};

// A component's pack, expected number and "User-maintained" mark (Unix also its multiple
// record maxima). The mark may be changed only on an output Ispec whose profiles' logic does
// not rest on it.
template <class Traits>
class VqsOptionPagePlatformComponentEnv : public VqsOptionPageNTUnixIspecEnv, public VqsStorageEnvironment {
public:
    VqsOptionPagePlatformComponentEnv(VqsOptions_Ispec_Sheet* sheet, UINT dialogId, int pageIndex);
    BOOL OnInitDialog() override;
    // Shows what the storage page passed on while the page was hidden.
    BOOL OnSetActive() override;

    BOOL ShowsStorageValues() const override { return m_hWnd != nullptr; }
    std::optional<CString> GetPackText() const override;
    BOOL IsPackDefault() const override;
    std::optional<std::int64_t> GetExpectedNumber() const override;
    BOOL IsExpectedNumberOwn() const override { return TRUE; }
    void TakePackText(const CString& text) override;
    void TakeExpectedNumber(std::int64_t value) override;

protected:
    void AdjustLoadedValues() override;
    void EnableDependentControls() override;
    void OnOptionTaken(UINT id) override;

private:
    using Record = typename Traits::Record;

    // A profile over the component carries logic that depends on it.
    BOOL IsUsedByProfileLogic() const;
    VqsOptionPageUnixComponentOracledb* Storage() const;
    void TellStoragePack();

    VqsOptCtrlCombo& m_pack;
    VqsOptCtrlFlag& m_useDefaultPack;
    VqsOptCtrlInt& m_expected;
    VqsOptCtrlFlag& m_userMaintained;
    VqsOptCtrlInt* m_multiRecordInIspecs = nullptr;
    VqsOptCtrlInt* m_multiRecordInReports = nullptr;
};

class VqsOptionPageNTComponentEnv : public VqsOptionPagePlatformComponentEnv<VqsNTComponentEnvTraits> {
public:
    using VqsOptionPagePlatformComponentEnv::VqsOptionPagePlatformComponentEnv;
};

class VqsOptionPageUnixComponentEnv : public VqsOptionPagePlatformComponentEnv<VqsUnixComponentEnvTraits> {
public:
    using VqsOptionPagePlatformComponentEnv::VqsOptionPagePlatformComponentEnv;
};

// An event's monthly volume.
class VqsOptionPageNTUnixEventEnv : public VqsOptionPageNTUnixIspecEnv {
public:
    VqsOptionPageNTUnixEventEnv(VqsOptions_Ispec_Sheet* sheet, UINT dialogId, int pageIndex);
    BOOL OnInitDialog() override;

private:
    VqsOptCtrlInt& m_volume;
};

class VqsOptionPageNTEventEnv : public VqsOptionPageNTUnixEventEnv {
public:
    using VqsOptionPageNTUnixEventEnv::VqsOptionPageNTUnixEventEnv;
};

class VqsOptionPageUnixEventEnv : public VqsOptionPageNTUnixEventEnv {
public:
    using VqsOptionPageNTUnixEventEnv::VqsOptionPageNTUnixEventEnv;
};

// The index an NT component's table is clustered by: the ordinate of one of its profiles.
class VqsOptionPageNTComponentGenerate : public VqsTableOptionPage {
public:
    VqsOptionPageNTComponentGenerate(VqsOptionsSheet* sheet, UINT dialogId, int pageIndex);

protected:
    void AdjustLoadedValues() override;

private:
    VqsOptCtrlCombo& m_clusterIndex;
    VqsOptCtrlFlag& m_useDefault;
};

struct VqsNTProfileEnvTraits {
    using Record = PxNTProfileOptions;
    using ComponentRecord = PxNTCompOptions;
    static constexpr UINT kUserMaintainedId = 33098;
    static constexpr bool kUnix = false;
};

struct VqsUnixProfileEnvTraits {
    using Record = PxUnixProfileOptions;
    using ComponentRecord = PxUnixCompOptions;
    static constexpr UINT kUserMaintainedId = 33033;
    static constexpr bool kUnix = true;
};

// A profile's "User-maintained" mark, which may be changed unless the profile's logic ties it
// to the elements it is over.
template <class Traits>
class VqsOptionPagePlatformProfileEnv : public VqsOptionPageProfileEnv, public VqsStorageEnvironment {
public:
    VqsOptionPagePlatformProfileEnv(VqsOptions_Profile_Sheet* sheet, UINT dialogId, int pageIndex);
    BOOL OnSetActive() override;

    void StoreOptions() override;
    BOOL IsNotUpdated() override;
    void ClearOptions() override;

    BOOL ShowsStorageValues() const override { return m_hWnd != nullptr; }
    std::optional<CString> GetPackText() const override;
    BOOL IsPackDefault() const override;
    std::optional<std::int64_t> GetExpectedNumber() const override;
    BOOL IsExpectedNumberOwn() const override;
    void TakePackText(const CString& text) override;
    void TakeExpectedNumber(std::int64_t value) override;

protected:
    void AdjustLoadedValues() override;
    void EnableDependentControls() override;
    void OnOptionTaken(UINT id) override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

private:
    using Record = typename Traits::Record;

    BOOL IsUserMaintainedLocked() const;
    VqsOptionPageUnixProfileOracledb* Storage() const;
    void TellStorage();

    VqsOptCtrlFlag m_userMaintained;
};

class VqsOptionPageNTProfileEnv : public VqsOptionPagePlatformProfileEnv<VqsNTProfileEnvTraits> {
public:
    using VqsOptionPagePlatformProfileEnv::VqsOptionPagePlatformProfileEnv;
};

class VqsOptionPageUnixProfileEnv : public VqsOptionPagePlatformProfileEnv<VqsUnixProfileEnvTraits> {
public:
    using VqsOptionPagePlatformProfileEnv::VqsOptionPagePlatformProfileEnv;
};

// A report's extract pack among the path packs; on Unix also its roll-back segment.
template <bool Unix>
class VqsOptionPagePlatformReportEnv : public VqsOptionPageReportEnv {
public:
    VqsOptionPagePlatformReportEnv(VqsOptions_Report_Sheet* sheet, UINT dialogId, int pageIndex);

    void StoreOptions() override;
    BOOL IsNotUpdated() override;
    void ClearOptions() override;

protected:
    void AdjustLoadedValues() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

private:
    PxUnixReportOptionsPtr UnixRecord() const;

    std::unique_ptr<VqsOptCtrlString> m_rollBackSegment;
};

class VqsOptionPageNTReportEnv : public VqsOptionPagePlatformReportEnv<false> {
public:
    using VqsOptionPagePlatformReportEnv::VqsOptionPagePlatformReportEnv;
};

class VqsOptionPageUnixReportEnv : public VqsOptionPagePlatformReportEnv<true> {
public:
    using VqsOptionPagePlatformReportEnv::VqsOptionPagePlatformReportEnv;
};

// The kind and record format of the extract file shown; on Unix also its records per block.
template <bool Unix>
class VqsOptionPagePlatformReportExtractFile : public VqsOptionPageReportExtractFile {
public:
    VqsOptionPagePlatformReportExtractFile(VqsOptions_Report_Sheet* sheet, UINT dialogId, int pageIndex);

    void StoreOptions() override;
    BOOL IsNotUpdated() override;
    void ClearOptions() override;
    void LoadOptions() override;
    void EnableDependentControls() override;

protected:
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

private:
    enum Kind { Disk = 0, Tape = 1 };

    VqsOptCtrlRadio m_kind;
    VqsOptCtrlRadio m_format;
    std::unique_ptr<VqsOptCtrlFlag> m_useDefaultBlocking;
    std::unique_ptr<VqsOptCtrlInt> m_diskBlocking;
    std::unique_ptr<VqsOptCtrlInt> m_tapeBlocking;
};

class VqsOptionPageNTReportExtractFile : public VqsOptionPagePlatformReportExtractFile<false> {
public:
    using VqsOptionPagePlatformReportExtractFile::VqsOptionPagePlatformReportExtractFile;
};

class VqsOptionPageUnixReportExtractFile : public VqsOptionPagePlatformReportExtractFile<true> {
public:
    using VqsOptionPagePlatformReportExtractFile::VqsOptionPagePlatformReportExtractFile;
};

class VqsOptionPageNTReportGenerate : public VqsOptionPageReportGenerate {
public:
    using VqsOptionPageReportGenerate::VqsOptionPageReportGenerate;
};

class VqsOptionPageUnixReportGenerate : public VqsOptionPageReportGenerate {
public:
    using VqsOptionPageReportGenerate::VqsOptionPageReportGenerate;
};
