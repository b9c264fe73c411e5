// The system frame: the frame of the system view over a host window, with menu and
// accelerator table 136. Two static splitters hold its three panes: the directory tree on
// the left, the option-set list above the options preview on the right. The frame keeps
// what the panes share (the configuration and objects selected in the tree, the option set
// selected in the list), routes the commands to the pane that can carry them out and
// remembers the pane layout.
#pragma once

#include "proxy/PxObject.h"
#include "proxy/PxVQConfig.h"
#include "proxy/PxVQOptionSet.h"
#include "shell/VqsListFrame.h"
#include "win/CSplitterWnd.h"
#include "win/Collections.h"

class VqsDirectoryView;
class VqsOptionPreview;
class VqsOptionSetView;

using VqsObjectList = CList<PxObjectPtr, const PxObjectPtr&>;

class VqsSysFrame : public VqsListFrame {
public:
    // Posted to the frame to have its option-set views read their option sets again.
    static constexpr UINT WM_REFRESH_OPTION_SETS = WM_USER + 3;

    // The frame over the host window's client area, its tree set up; null when its window
    // could not be made.
    static VqsSysFrame* CreateSystemFrame(HWND host, VqsViewUpdateCallBack update, VqsViewMessageCallBack message,
                                          const LOGFONT* font);

    void RecalcLayout(BOOL notify = TRUE) override;
    void GetCommandState(UINT id, int* enabled, int* checked) override;
    VqsListView* GetCurrentView() override;
    VqsListView* GetNextView(VqsListView* previous) override;
    VqsListView* GetNextPane(VqsListView* previous) override;
    void ActivateNextPane(VqsListView* current) override;
    void SaveLayout() override;
    UINT GetMenuId() override;

    // What the panes share; each change posts one deferred refresh.
    void SetCurrentConfig(const PxVQConfigPtr& config);
    void SetSelectedObjects(const VqsObjectList& objects);
    void SetCurrentOptionSet(const PxVQOptionSetPtr& optionSet);
    PxVQConfigPtr GetCurrentConfig() const { return m_currentConfig; }
    PxVQOptionSetPtr GetOptionSet() const { return m_currentOptionSet; }
    const VqsObjectList& GetSelectedObjects() const { return m_selectedObjects; }
    PxVQOptionSetPtr GetSelectedOptionSet();

    VqsDirectoryView* GetDirectoryView() const;
    VqsOptionSetView* GetOptionSetView() const;
    VqsOptionPreview* GetOptionPreview() const;

    // Hands the command to the current view when it enables it, else to the first other
    // view that does.
    void ForwardCommand(UINT id);

protected:
    VqsSysFrame(VqsViewUpdateCallBack update, VqsViewMessageCallBack message, const LOGFONT* font);

    BOOL OnCreateClient(LPCREATESTRUCT cs, CCreateContext* context) override;
    // A command given on the current pane's selection once another user has deleted a
    // selected row's object tells the user what went, drops the row and does nothing more.
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

    void OnForwardedCommand(UINT id);
    void OnUpdateCommand(CCmdUI* cmdUI);
    void OnAdd();
    void OnTogglePreview();
    void OnSynchronizeOptions();
    LRESULT OnDeferredRefresh(WPARAM wParam, LPARAM lParam);
    LRESULT OnRefreshOptionSets(WPARAM, LPARAM);
    // The frame shows no progress of the generations it asked for, but frees each text.
    LRESULT OnGenerateProgress(WPARAM, LPARAM text);
    void OnDestroy();

    DECLARE_MESSAGE_MAP()

private:
    PxVQConfigPtr m_currentConfig;
    VqsObjectList m_selectedObjects;
    PxVQOptionSetPtr m_currentOptionSet;
    CSplitterWnd m_outer;
    CSplitterWnd m_inner;
    int m_nSavedPreviewHeight = 0;
    BOOL m_bPreviewSettingApplied = FALSE;
};
