// The Add Business Segment wizard: links a design business segment to a system's current
// configuration, reusing an obsolete entry's options or with default options, with
// replacements for the segment's initial packs that clash in the existing generate sets;
// a system without option sets may get a first generate set, its target host and a new
// host. The wizard itself creates nothing: its creator gives it the creation that Finish runs
// while the sheet holds the wizard's locks (a failed one keeps the wizard open), reads the
// values after Finish (ID_WIZFINISH), then destroys the sheet, which gives the locks back.
#pragma once

#include "config/VqsCreatingWizard.h"
#include "config/VqsHostWizard.h"
#include "config/VqsNewBSLinkPages.h"
#include "model/VqsBSLock.h"
#include "model/VqsGSetPackReplacement.h"
#include "model/VqsLockBag.h"
#include "shell/VqsPropertySheet.h"

#include <functional>
#include <memory>

class VqsModelNodeCurConfig;

class VqsNewBSLinkSheet : public VqsPropertySheet, public VqsHostWizard, public VqsCreatingWizard {
public:
    // The creator has read-locked the configuration in its bag; the first page releases
    // that hold once.
    VqsNewBSLinkSheet(VqsLockBag* creatorBag, VqsModelNodeCurConfig* config, CWnd* parent);
    ~VqsNewBSLinkSheet() override;

    VqsPropertySheet* GetWizardSheet() override { return this; }
    int GetWizardHostType() const override { return m_targetHostPage.m_nHostType; }
    int GetHostsOfTypeExist() const override { return m_targetHostPage.m_bHostsOfTypeExist; }
    BOOL HasPackConflict(int hostType) const override;
    CString GetTargetCheckSegment() const override { return CString(); }
    VqsModelNodeEnterprise* GetEnterpriseNode() override;
    VqsLockBag& GetFinishLockBag() override { return m_configBag; }
    VqsLockBag* GetHostLockBag() override { return &m_enterpriseBag; }
    PxLSEBusinessSegmentPtr GetPackSegment() const override { return m_genPage.m_selectedSegment; }
    VqsPlatformPacks& GetPlatformPacks(int hostType) override;
    VqsModelNode* GetTargetNode() override;
    std::vector<VqsLockBag*> GetPageLocks() override
    {
        return {m_pCreatorBag, &m_configBag, &m_enterpriseBag, &m_obsoleteEntryBag, &m_packBag, &m_pageAnchor};
    }

    VqsBSGenPage m_genPage;
    VqsBSSynchPage m_synchPage;
    VqsBSPackPage m_packPage;
    VqsBSGSPage m_gsPage;
    VqsBSGSHostPage m_targetHostPage;
    VqsBSGSPackPage m_gsPackPage;
    VqsBSHostPage m_hostPage;
    VqsBSHostFTPPage m_ftpPage;
    VqsLockBag* m_pCreatorBag;
    VqsModelNodeCurConfig* m_pConfig;
    VqsLockBag m_configBag{VqsNoLock};
    VqsLockBag m_enterpriseBag{VqsNoLock};
    VqsLockBag m_obsoleteEntryBag{VqsNoLock};
    VqsLockBag m_packBag{VqsNoLock};
    VqsBSLock m_bsLock;
    // For the new generate set only.
    int m_bNTPackConflict = 0;
    int m_bUnixPackConflict = 0;
    VqsPlatformPacks m_ntPacks;
    VqsPlatformPacks m_unixPacks;
    // One record per existing Windows or UNIX generate set where the segment's initial
    // packs clash.
    VqsGSetPackReplacementList m_genSetPackReplacements{10};
};

// Runs the wizard over the configuration that the creator has read-locked in its bag, with
// the creation that its Finish runs (none: Finish creates nothing). The finished sheet,
// still holding the wizard's locks, for the creator to read and then destroy; null when the
// user cancelled.
std::unique_ptr<VqsNewBSLinkSheet> VqsRunNewBSLinkWizard(
    VqsLockBag* creatorBag, VqsModelNodeCurConfig* config, CWnd* parent,
    std::function<BOOL(VqsNewBSLinkSheet&)> creation = nullptr);
