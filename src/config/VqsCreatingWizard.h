// A wizard whose Finish creates what it describes. Its creator hands it the creation; a page's
// Finish runs it once the page has checked and locked what it needs, and the wizard ends only
// when the creation stored everything. A failed creation (which has shown why) keeps the
// wizard open on its page, so the user can change something and finish again, or cancel.
#pragma once

#include "win/Types.h"

#include <functional>
#include <utility>
#include <vector>

class VqsLockBag;

class VqsCreatingWizard {
public:
    using Creation = std::function<BOOL()>;

    void SetCreation(Creation creation) { m_creation = std::move(creation); }
    BOOL HasCreation() const { return m_creation ? TRUE : FALSE; }
    // TRUE when the wizard may end: nothing to create, or everything created.
    BOOL RunCreation() { return !m_creation || m_creation(); }
    // The bags of the locks the pages took on the way, which the creation gives up before
    // it waits for its own.
    virtual std::vector<VqsLockBag*> GetPageLocks() = 0;

protected:
    ~VqsCreatingWizard() = default;

private:
    Creation m_creation;
};
