// The "OLTP" pages of an NT and a Unix business segment: beside the platform-neutral OLTP
// options, the transaction server of a client and server system (default service, server
// directory or pack, name, most servers, IPC key). The twins differ only by their traits.
#pragma once

#include "options/VqsOptionPagesBSeg.h"
#include "proxy/PxNTBSegOptions.h"
#include "proxy/PxUnixBSegOptions.h"

struct VqsNTOltpTraits {
    using Record = PxNTBSegOptions;
    // OLTP is not supported on Windows: the page says so when it opens and when OLTP is
    // stored as enabled, but never stops the user.
    static constexpr BOOL kShowsNotSupportedNotice = TRUE;
    static constexpr int kDirectoryValidator = 4;
    static constexpr int kPackValidator = 4;
    static constexpr VqsOptionTable::Change kNameChange = VqsOptionTable::Validate;
    // A drive ("C:...") or a network share ("\\server...").
    static BOOL IsAbsoluteDirectory(const CString& directory);
};

struct VqsUnixOltpTraits {
    using Record = PxUnixBSegOptions;
    static constexpr BOOL kShowsNotSupportedNotice = FALSE;
    static constexpr int kDirectoryValidator = 0;
    static constexpr int kPackValidator = 3;
    static constexpr VqsOptionTable::Change kNameChange = VqsOptionTable::Modify;
    static BOOL IsAbsoluteDirectory(const CString& directory);
};

template <class Traits>
class VqsOptionPagePlatformBSegOLTP : public VqsOptionPageBSegOLTP {
public:
    VqsOptionPagePlatformBSegOLTP(VqsOptions_BSeg_Sheet* sheet, UINT dialogId, int pageIndex);

    BOOL OnInitDialog() override;
    void StoreOptions() override;

protected:
    void AdjustLoadedValues() override;
    // The enabling rules only: loading never takes the edit lock or marks the page.
    void EnableDependentControls() override;
    void OnOptionTaken(UINT id) override;
    // The server's pack applies only while its directory is not an absolute one.
    virtual void EnablePackByDirectory();
    // The server controls apply to a client and server system with OLTP enabled.
    virtual void EnableServerControls();

private:
    using Platform = typename Traits::Record;

    Platform& PlatformRecord() const;
    BOOL IsServer() const { return m_enableOltp.m_bValue && m_clientServer.m_nValue == 1; }

    VqsOptCtrlString& m_defaultService;
    VqsOptCtrlString& m_directory;
    VqsOptCtrlCombo& m_pack;
    VqsOptCtrlString& m_name;
    VqsOptCtrlInt& m_maxServers;
    VqsOptCtrlInt& m_ipcKey;
};

class VqsOptionPageNTBSegOLTP : public VqsOptionPagePlatformBSegOLTP<VqsNTOltpTraits> {
public:
    using VqsOptionPagePlatformBSegOLTP::VqsOptionPagePlatformBSegOLTP;
};

class VqsOptionPageUnixBSegOLTP : public VqsOptionPagePlatformBSegOLTP<VqsUnixOltpTraits> {
public:
    using VqsOptionPagePlatformBSegOLTP::VqsOptionPagePlatformBSegOLTP;
};
