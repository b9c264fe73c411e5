// A tree view over scripted items in a frame of the started module, with the module's
// resource library.
#pragma once

#include "ShellTestSupport.h"
#include "ViewTestSupport.h"

#include "support/ScopedResourceLibrary.h"
#include "win/CListCtrl.h"

#include <memory>

struct TreeViewTest : ShellTest {
    vqtest::ScopedResourceLibrary resources;
    CWnd host;
    viewtest::ViewFrame* frame = nullptr;
    viewtest::TreeView* view = nullptr;
    viewtest::Script script;
    std::unique_ptr<viewtest::ScriptItem> root;

    void SetUp() override
    {
        ShellTest::SetUp();
        frame = viewtest::MakeViewFrame(host, 300, 200);
        ASSERT_NE(frame, nullptr);
        MakeView(1);
    }

    void MakeView(int columns)
    {
        view = frame->Add(new viewtest::TreeView(columns));
        ASSERT_NE(view, nullptr);
        frame->current = view;
        view->ModifyStyle(0, LVS_REPORT | LVS_OWNERDRAWFIXED | LVS_SHOWSELALWAYS);
        static const VqsColumnSpec specs[] = {{"Name", 50}, {"Kind", 25}, {"Owner", 25}};
        view->InsertColumns(specs, 0, TRUE);
    }

    // The top item "Root", collapsed or a leaf as the script says, with its row.
    viewtest::ScriptItem* MakeRoot()
    {
        root = std::make_unique<viewtest::ScriptItem>(script, "Root", nullptr, view);
        root->UpdateState();
        root->InsertRow();
        return root.get();
    }

    viewtest::ScriptItem* Find(const std::string& path)
    {
        viewtest::ScriptItem* item = root.get();
        std::size_t start = 0;
        while (item && start < path.size()) {
            const std::size_t slash = path.find('/', start);
            item = item->Child(path.substr(start, slash == std::string::npos ? std::string::npos : slash - start));
            start = slash == std::string::npos ? path.size() : slash + 1;
        }
        return item;
    }

    void Select(int row)
    {
        CListCtrl& list = view->GetListCtrl();
        list.SetItemState(-1, 0, LVIS_SELECTED);
        list.SetItemState(row, LVIS_SELECTED, LVIS_SELECTED);
    }
};
