// The host frame: the packs (left) and the hosts (right) of the enterprise side by side, and
// below them the association of the chosen pack with the chosen host, in a row that starts
// hidden. Menu and accelerator table 137. The views share the current host and pack through
// the frame.
#pragma once

#include "proxy/PxVQHostInformation.h"
#include "proxy/PxVQPackInformation.h"
#include "shell/VqsListFrame.h"
#include "win/CSplitterWnd.h"

class VqsHostView;

class VqsHostListFrame : public VqsListFrame {
public:
    static constexpr UINT ID_ADD = 32774;
    static constexpr UINT ID_ADD_HOST = 32783;
    static constexpr UINT ID_ADD_PACK = 32819;
    static constexpr UINT ID_VIEW_PACK_ASSOCIATIONS = 32811;

    // The frame over the host window's client area; null when its window could not be made.
    static VqsHostListFrame* CreateHostFrame(HWND host, VqsViewUpdateCallBack update, VqsViewMessageCallBack message,
                                             const LOGFONT* font);

    void GetCommandState(UINT id, int* enabled, int* checked) override;
    // The active pane of the lower row, or of the upper row's splitter.
    VqsListView* GetCurrentView() override;
    // Pack list, host list, association list.
    VqsListView* GetNextView(VqsListView* previous) override;
    VqsListView* GetNextPane(VqsListView* previous) override;
    // Keeps the widths of the two lists, unless both are 0.
    void SaveLayout() override;
    UINT GetMenuId() override;
    // The active pane's handlers first, then the frame's.
    BOOL OnCmdMsg(UINT id, int code, void* extra, AFX_CMDHANDLERINFO* handlerInfo) override;

    void SetCurrentHost(const PxVQHostInformationPtr& host);
    void SetCurrentPack(const PxVQPackInformationPtr& pack);
    // The chosen host; without one, the host list's current row (the first selected, else
    // the first row); null when the list is empty.
    PxVQHostInformationPtr GetCurrentHost();
    PxVQPackInformationPtr GetCurrentPack() const { return m_pCurrentPack; }

    // The splitters, for what the host and the tests look at.
    CSplitterWnd& GetOuterSplitter() { return m_outerSplitter; }
    CSplitterWnd& GetTopSplitter() { return m_topSplitter; }

protected:
    VqsHostListFrame(VqsViewUpdateCallBack update, VqsViewMessageCallBack message, const LOGFONT* font);
    ~VqsHostListFrame() override;

    BOOL OnCreateClient(LPCREATESTRUCT cs, CCreateContext* context) override;

    void OnAdd();
    void OnAddHost();
    void OnAddPack();
    void OnViewPackAssociations();
    LRESULT OnUpdateCommandsMessage(WPARAM id, LPARAM lParam);
    void OnUpdateAddCommand(CCmdUI* cmdUI);

    DECLARE_MESSAGE_MAP()

private:
    VqsListView* PaneView(CSplitterWnd& splitter, int row, int col) const;
    VqsHostView* GetHostView() const;
    // Sends the command to the first view that has it enabled.
    void RouteToFirstEnabledView(UINT id);
    void ShowAssociationRow();
    void HideAssociationRow();

    CSplitterWnd m_topSplitter;
    CSplitterWnd m_outerSplitter;
    PxVQHostInformationPtr m_pCurrentHost;
    PxVQPackInformationPtr m_pCurrentPack;
    int m_nAssociationHeight = 0;
};
