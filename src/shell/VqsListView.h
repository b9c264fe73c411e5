// The base of every list and tree view of the module: a list view in a list frame, asked by
// its frame for command states, the selection's repository context and refreshes, and told
// of every change the application broadcasts.
#pragma once

#include "proxy/PxForward.h"
#include "win/CListView.h"

class VqsListFrame;
class VqsModel;

class VqsListView : public CListView {
public:
    VqsListView();
    ~VqsListView() override;

    // The parent frame, when it is a list frame.
    VqsListFrame* GetListFrame() const;

    // Fills what the view can of the selection's context (system, business-segment link,
    // element link, generate set) and leaves the rest untouched.
    virtual void GetSelectionContext(PxVQSystemPtr& system, PxVQBSSoftLinkPtr& bsLink,
                                     PxVQElementSoftLinkPtr& elementLink, PxVQGenSetPtr& genSet);
    // Sets what applies of a command's state; the caller starts from (0, 0).
    virtual int GetCommandState(UINT id, int* enabled, int* checked);
    // Reads the view's contents again.
    virtual void Refresh(VqsModel* model) = 0;
    // A change that another view or the model announced (hint codes of the change broadcast).
    virtual void OnObjectChanged(int hint, const PxVQObjectPtr* object, const PxVQObjectPtr* object2);
    // The frame's font changed.
    virtual void OnFontChanged();
};
