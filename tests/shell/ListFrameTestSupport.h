// List frames and views for the shell tests: views that record what reaches them, a frame
// over a host window whose views are its children, and host callbacks that write what the
// module reports as the stand-in host prints it.
#pragma once

#include "proxy/PxVQObject.h"
#include "shell/VqsListFrame.h"
#include "shell/VqsListView.h"

#include <map>
#include <string>
#include <vector>

namespace frametest {

// Every line the host callbacks received, in order ("update: delete 0 enabled=1 checked=0").
std::vector<std::string>& HostLines();
std::vector<std::string> HostLinesStartingWith(const std::string& prefix);
void OnUpdate(const char* name, UINT id, BOOL enabled, BOOL checked);
int OnMessage(const char* keyword, const char* value);
void OnMenuItem(const char* parent, const char* text, UINT id, UINT key, UINT flags, const char* prompt);

class TestView : public VqsListView {
public:
    struct Notice {
        int hint;
        PxVQObjectPtr object;
        PxVQObjectPtr object2;
        bool redrawOn;
    };

    void Refresh(VqsModel*) override { ++refreshes; }
    void OnObjectChanged(int hint, const PxVQObjectPtr* object, const PxVQObjectPtr* object2) override;
    int GetCommandState(UINT id, int* enabled, int* checked) override;
    void GetSelectionContext(PxVQSystemPtr& system, PxVQBSSoftLinkPtr& bsLink, PxVQElementSoftLinkPtr& elementLink,
                             PxVQGenSetPtr& genSet) override;
    void OnFontChanged() override { ++fontChanges; }
    // No rows of its own.
    int CompareListItems(VqsListItem*, VqsListItem*) override { return 0; }
    VqsListItem* ItemFromData(LPARAM) override { return nullptr; }
    CString GetColumnText(VqsListItem*, int) override { return CString(); }
    int GetItemImage(VqsListItem*) override { return 0; }
    int GetColumnCount() override { return 1; }
    CString GetFindTitle() override { return CString(); }

    std::vector<Notice> notices;
    // When set, the view cannot take in a notice: it throws a repository failure with this text.
    std::string failure;
    // Command states this view answers, as (enabled, checked).
    std::map<UINT, std::pair<int, int>> states;
    int contextRequests = 0;
    int refreshes = 0;
    int fontChanges = 0;
};

class TestFrame : public VqsListFrame {
public:
    explicit TestFrame(UINT menuId = 0, const LOGFONT* font = nullptr)
        : VqsListFrame(&OnUpdate, &OnMessage, font), m_menuId(menuId)
    {
    }
    ~TestFrame() override;

    // A view as the frame's next child window (after the views added before).
    TestView* AddView();

    VqsListView* GetCurrentView() override { return current; }
    VqsListView* GetNextView(VqsListView* previous) override { return Next(previous); }
    VqsListView* GetNextPane(VqsListView* previous) override { return Next(previous); }
    UINT GetMenuId() override { return m_menuId; }
    CFrameWnd* GetActiveFrame() override { return active ? active : VqsListFrame::GetActiveFrame(); }

    std::vector<TestView*> views;
    VqsListView* current = nullptr;
    CFrameWnd* active = nullptr;
    // Appended to when a frame is deleted.
    static std::vector<TestFrame*>& Deleted();

private:
    VqsListView* Next(VqsListView* previous) const;
    UINT m_menuId;
};

// A top-level window of the host; frames are made over it.
class HostWindow : public CWnd {
public:
    HostWindow(int width = 400, int height = 300);
    // A frame over this window, made as the module makes its frames; null when it failed.
    TestFrame* MakeFrame(UINT menuId = 0);
};

} // namespace frametest
