// The New System wizard: the system's names, texts and generate options, a business segment
// to link, a first generate set with its target host, replacements for initial packs that
// clash with existing packs, and a new host with its FTP connection. The wizard itself
// creates nothing: its creator gives it the creation that Finish runs from the pages'
// members while the sheet holds the wizard's locks (a failed one keeps the wizard open),
// then destroys the sheet, which gives the locks back.
#pragma once

#include "config/VqsCreatingWizard.h"
#include "config/VqsHostFTPPage.h"
#include "config/VqsHostWizard.h"
#include "config/VqsHostWizardPages.h"
#include "config/VqsNewSystemPages.h"
#include "config/VqsPackOverridePage.h"
#include "model/VqsBSLock.h"
#include "model/VqsLockBag.h"
#include "shell/VqsPropertySheet.h"

class VqsModelNodeEnterprise;

class VqsNewSystemSheet : public VqsPropertySheet, public VqsHostWizard, public VqsCreatingWizard {
public:
    VqsNewSystemSheet(VqsModelNodeEnterprise* enterprise, CWnd* parent);
    ~VqsNewSystemSheet() override;

    // Whether texts are shown with shift marks around their double-byte runs and stored
    // without: the chosen segment has Japanese support and targets QSR alone.
    BOOL UsesShiftMarkers() const;

    VqsPropertySheet* GetWizardSheet() override { return this; }
    int GetWizardHostType() const override { return m_targetHostPage.m_nHostType; }
    int GetHostsOfTypeExist() const override { return m_targetHostPage.m_bHostsOfTypeExist; }
    BOOL HasPackConflict(int hostType) const override;
    CString GetTargetCheckSegment() const override { return m_strBSName; }
    VqsModelNodeEnterprise* GetEnterpriseNode() override { return m_pEnterprise; }
    VqsLockBag& GetFinishLockBag() override { return m_enterpriseBag; }
    VqsLockBag* GetHostLockBag() override { return nullptr; }
    PxLSEBusinessSegmentPtr GetPackSegment() const override { return m_bsPage.m_selectedSegment; }
    VqsPlatformPacks& GetPlatformPacks(int hostType) override;
    std::vector<VqsLockBag*> GetPageLocks() override { return {&m_enterpriseBag, &m_packBag, &m_pageAnchor}; }

    VqsSysOptPage m_optPage;
    VqsSysGenPage m_genPage;
    VqsSysBSPage m_bsPage;
    VqsSysGSPage m_gsPage;
    VqsSysGSHostPage m_targetHostPage;
    VqsSysPackPage m_packPage;
    VqsSysHostPage m_hostPage;
    VqsSysHostFTPPage m_ftpPage;
    // The segment chosen on page 3 and going to be linked; empty otherwise.
    CString m_strBSName;
    VqsModelNodeEnterprise* m_pEnterprise;
    VqsLockBag m_enterpriseBag{VqsNoLock};
    VqsLockBag m_packBag{VqsNoLock};
    VqsBSLock m_bsLock;
    int m_bNTPackConflict = 0;
    int m_bUnixPackConflict = 0;
    VqsPlatformPacks m_ntPacks;
    VqsPlatformPacks m_unixPacks;
};
