// A wizard whose Finish creates what it describes. Its creator hands it the creation; a page's
// Finish runs it once the page has checked and locked what it needs, and the wizard ends only
// when the creation stored everything. A failed creation (which has shown why) keeps the
// wizard open on its page, so the user can change something and finish again, or cancel.
#pragma once

#include "model/VqsLockBag.h"
#include "win/Types.h"

#include <functional>
#include <utility>
#include <vector>

class VqsModelNode;
class VqsModelNodeEnterprise;

class VqsCreatingWizard {
public:
    using Creation = std::function<BOOL()>;

    // The locking a page does for one action of the user, and the checks it makes under those
    // locks: the enterprise is held from the step's start, with the strongest kind the step
    // asks of it, to its end (VqsModel::BeginPageStep). A step begun while another is open is
    // part of that one. A wizard of null makes a step that holds nothing.
    class LockStep {
    public:
        LockStep(VqsCreatingWizard* wizard, int enterpriseKind);
        ~LockStep();
        LockStep(const LockStep&) = delete;
        LockStep& operator=(const LockStep&) = delete;

        // 0 when the enterprise could not be locked: the step locks nothing more.
        int Taken() const;
        // The page locks keep the enterprise after the step: a Finish whose creator makes its
        // objects under them.
        void KeepEnterprise() { m_bKeepEnterprise = true; }

    private:
        VqsCreatingWizard* m_pWizard;
        bool m_bOutermost;
        bool m_bKeepEnterprise = false;
    };

    void SetCreation(Creation creation) { m_creation = std::move(creation); }
    BOOL HasCreation() const { return m_creation ? TRUE : FALSE; }
    // TRUE when the wizard may end: nothing to create, or everything created. A creation that
    // made nothing because another user deleted its target meanwhile has told the user what
    // went (once), and the wizard ends as when a page finds its target gone.
    BOOL RunCreation();
    // The bags of the locks the pages took on the way, the page anchor among them, which
    // the creation gives up before it waits for its own.
    virtual std::vector<VqsLockBag*> GetPageLocks() = 0;
    virtual VqsModelNodeEnterprise* GetEnterpriseNode() = 0;
    // Every lock a page takes: in the step open, or in a step of its own that long-reads the
    // enterprise.
    int LockForPage(const std::function<int()>& lock);

protected:
    ~VqsCreatingWizard() = default;

    // The node of what the creation goes into; null when no user can delete it.
    virtual VqsModelNode* GetTargetNode() { return nullptr; }

    VqsLockBag m_pageAnchor{VqsNoLock};

private:
    Creation m_creation;
    int m_nStepDepth = 0;
    int m_bStepTaken = 0;
};
