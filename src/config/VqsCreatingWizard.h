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

class VqsModelNodeEnterprise;

class VqsCreatingWizard {
public:
    using Creation = std::function<BOOL()>;

    void SetCreation(Creation creation) { m_creation = std::move(creation); }
    BOOL HasCreation() const { return m_creation ? TRUE : FALSE; }
    // TRUE when the wizard may end: nothing to create, or everything created.
    BOOL RunCreation() { return !m_creation || m_creation(); }
    // The bags of the locks the pages took on the way, the page anchor among them, which
    // the creation gives up before it waits for its own.
    virtual std::vector<VqsLockBag*> GetPageLocks() = 0;
    virtual VqsModelNodeEnterprise* GetEnterpriseNode() = 0;
    // Every lock a page takes: the enterprise held first (VqsModel::LockForPage).
    int LockForPage(const std::function<int()>& lock);

protected:
    ~VqsCreatingWizard() = default;
    // The page locks no longer settle the anchor: the sheet's destructor calls it first, as
    // a lock bag outside the sheet may outlive it.
    void StopSettlingAnchor();

    VqsLockBag m_pageAnchor{VqsNoLock};

private:
    Creation m_creation;
};
