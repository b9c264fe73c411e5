// The frame window that the module's views live in, as the application object reaches it
// through its frame list: the active frame, the selection of its views, the refresh of its
// views and its stale-view flag. The concrete frames answer the views' part.
#pragma once

#include "proxy/PxPtr.h"
#include "win/CWnd.h"

class PxVQSystem;
class PxVQBSSoftLink;
class PxVQElementSoftLink;
class PxVQGenSet;
class VqsModel;

class VqsListFrame : public CWnd {
public:
    VqsListFrame();
    ~VqsListFrame() override;

    // The frame active within this one; the frame itself when it has none of its own.
    virtual CWnd* GetActiveFrame();
    // The selection of the frame's views (system, business-segment link, element link,
    // generate set).
    virtual void GetSelectionContext(PxPtr<PxVQSystem>& system, PxPtr<PxVQBSSoftLink>& bsLink,
                                     PxPtr<PxVQElementSoftLink>& elementLink, PxPtr<PxVQGenSet>& genSet) = 0;
    // Every view of the frame refreshes itself from the model.
    virtual void RefreshViews(VqsModel* model) = 0;

    // A view saw a change it could not apply; the next full command update asks the user
    // to refresh.
    void SetRefreshPending() { m_bRefreshPending = TRUE; }
    void ClearRefreshPending() { m_bRefreshPending = FALSE; }
    BOOL IsRefreshPending() const { return m_bRefreshPending; }

private:
    BOOL m_bRefreshPending = FALSE;
};
