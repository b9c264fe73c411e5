// The New Generate Set wizard: a generate set for a system's current configuration, its
// names, an option set whose options are copied, its target host, replacements for packs
// that would clash, and a new host when none of the type exists. The wizard itself creates
// nothing: its creator gives it the creation that Finish runs while the sheet holds the
// wizard's locks (a failed one keeps the wizard open), reads the values after Finish
// (ID_WIZFINISH), then destroys the sheet, which gives the locks back.
#pragma once

#include "config/VqsCreatingWizard.h"
#include "config/VqsHostWizard.h"
#include "config/VqsNewGenSetPages.h"
#include "model/VqsLockBag.h"
#include "shell/VqsPropertySheet.h"

#include <functional>
#include <memory>

class VqsModelNodeCurConfig;

class VqsNewGenSetSheet : public VqsPropertySheet, public VqsHostWizard, public VqsCreatingWizard {
public:
    // The creator has read-locked the configuration in its bag; page 1 releases that hold
    // once.
    VqsNewGenSetSheet(VqsLockBag* creatorBag, VqsModelNodeCurConfig* config, CWnd* parent);
    ~VqsNewGenSetSheet() override;

    VqsPropertySheet* GetWizardSheet() override { return this; }
    int GetWizardHostType() const override { return m_typePage.m_nHostType; }
    int GetHostsOfTypeExist() const override { return m_typePage.m_bHostsOfTypeExist; }
    // A platform whose replacement list is not empty brings the pack page.
    BOOL HasPackConflict(int hostType) const override;
    CString GetTargetCheckSegment() const override;
    VqsModelNodeEnterprise* GetEnterpriseNode() override;
    VqsLockBag& GetFinishLockBag() override { return m_configBag; }
    VqsLockBag* GetHostLockBag() override { return &m_enterpriseBag; }
    PxLSEBusinessSegmentPtr GetPackSegment() const override { return PxLSEBusinessSegmentPtr(); }
    // The list form keeps its replacements in the two lists; nothing reads these.
    VqsPlatformPacks& GetPlatformPacks(int) override { return m_unusedPacks; }
    VqsModelNode* GetTargetNode() override;
    std::vector<VqsLockBag*> GetPageLocks() override
    {
        return {m_pCreatorBag, &m_configBag, &m_sourceBag, &m_packBag, &m_enterpriseBag, &m_pageAnchor};
    }

    // Whether the description is shown with shift marks around its double-byte runs and
    // stored without: the segment of the configuration's last link has Japanese support and
    // targets QSR alone.
    BOOL UsesShiftMarkers() const;

    // The NT list for host type 0, the Unix list for type 3; null for the others.
    VqsBSPackReplacementList* GetReplacementList(int hostType);

    VqsGenSetOptPage m_optPage;
    VqsGenSetTypePage m_typePage;
    VqsGenSetPackPage m_packPage;
    VqsGenSetHostPage m_hostPage;
    VqsGenSetHostFTPPage m_ftpPage;
    VqsLockBag* m_pCreatorBag;
    VqsModelNodeCurConfig* m_pConfig;
    VqsBSPackReplacementList m_ntReplacements{10};
    VqsBSPackReplacementList m_unixReplacements{10};
    VqsLockBag m_configBag{VqsNoLock};
    VqsLockBag m_sourceBag{VqsNoLock};
    VqsLockBag m_packBag{VqsNoLock};
    VqsLockBag m_enterpriseBag{VqsNoLock};

private:
    VqsPlatformPacks m_unusedPacks;
};

// Runs the wizard over the configuration that the creator has read-locked in its bag, with
// the creation that its Finish runs (none: Finish creates nothing). The finished sheet,
// still holding the wizard's locks, for the creator to read and then destroy; null when the
// user cancelled.
std::unique_ptr<VqsNewGenSetSheet> VqsRunNewGenSetWizard(
    VqsLockBag* creatorBag, VqsModelNodeCurConfig* config, CWnd* parent,
    std::function<BOOL(VqsNewGenSetSheet&)> creation = nullptr);
