// The two-field pack-override page: when an initial pack of the new generate set's segment
// (Windows or UNIX) is named like an existing pack of the other kind, the user names the
// packs to use instead. One implementation; a traits table gives each wizard's dialog and
// default-pack edits.
#pragma once

#include "config/VqsWizardPage.h"
#include "shell/VqsOptCtrlCombo.h"
#include "shell/VqsOptCtrlString.h"

class VqsHostWizard;
class VqsModelNodeEnterprise;
class VqsModelNodePack;
struct VqsPlatformPacks;

struct VqsPackOverridePageTraits {
    UINT dialogId;
    int defaultTablespaceId;
    int defaultPathId;
};

// 1 when a pack of that name may serve with the usage (1 path, 2 Tablespace/Filegroup): no
// pack of the enterprise has the name (in any case) with a defined kind other than the usage.
int VqsIsPackUsableAs(VqsModelNodeEnterprise* enterprise, int usage, const char* name);
// The replacement to offer for an initial pack: the stored one, else the initial pack when
// it may serve; empty when that may not serve either.
CString VqsProposedReplacement(VqsModelNodeEnterprise* enterprise, int usage, const CString& initial,
                               const CString& stored);
// The initial pack of the pack type (1 path, 2 Tablespace/Filegroup) that a generate set of
// the segment starts with on the platform (Windows or UNIX).
CString VqsInitialPackName(int hostType, const CString& segment, int packType);
// 1 when the pack is named like one of the initial packs (in any case) but is of the other
// kind.
int VqsPackClashes(const VqsModelNodePack& pack, const VqsPlatformPacks& initial);

class VqsPackOverridePage : public VqsWizardPage {
public:
    static constexpr int IDC_TABLESPACE = 1754;
    static constexpr int IDC_PATH = 1752;

    explicit VqsPackOverridePage(const VqsPackOverridePageTraits& traits);
    ~VqsPackOverridePage() override;

    BOOL OnSetActive() override;
    LRESULT OnWizardBack() override;
    LRESULT OnWizardNext() override;
    BOOL OnWizardFinish() override;
    BOOL OnCmdMsg(UINT id, int code, void* extra, AFX_CMDHANDLERINFO* handlerInfo) override;

    VqsHostWizard* m_pWizard = nullptr;
    VqsOptCtrlString m_defaultTablespace;
    VqsOptCtrlString m_defaultPath;
    VqsOptCtrlCombo m_tablespace;
    VqsOptCtrlCombo m_path;

protected:
    void OnReplacementChanged();

private:
    BOOL TakesTablespaceReplacement() const;
    DWORD GetWizardButtons() const;
    void OfferPacks(VqsOptCtrlCombo& combo, int excludedKind, const CString& proposed);
    int StoreReplacements(BOOL validate);
    // The store of one field; 0 when validation refuses it.
    int StoreReplacement(BOOL validate, int usage, VqsOptCtrlCombo& combo, const CString& initial,
                         CString& replacement);
    CString SegmentText() const;

    const VqsPackOverridePageTraits& m_traits;
    DWORD m_nButtons = 0;
};

class VqsSysPackPage : public VqsPackOverridePage {
public:
    static constexpr UINT IDD = 289;
    static constexpr int IDC_DEFAULT_TABLESPACE = 1756;
    static constexpr int IDC_DEFAULT_PATH = 1757;

    VqsSysPackPage();
};

class VqsBSGSPackPage : public VqsPackOverridePage {
public:
    static constexpr UINT IDD = 290;
    static constexpr int IDC_DEFAULT_TABLESPACE = 1758;
    static constexpr int IDC_DEFAULT_PATH = 1759;

    VqsBSGSPackPage();
};
