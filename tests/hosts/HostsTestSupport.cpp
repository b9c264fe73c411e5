#include "HostsTestSupport.h"

#include "win/ListView.h"
#include "win/MessageQueue.h"

namespace hoststest {

void HostsTest::SetUp()
{
    ShellTest::SetUp();
    // The lock thread's progress dialog opens with the session and stays hidden.
    ui.WheneverDialog(kLockProgressDialog);
    app.SetIniPath(dir.File("vqsys.ini").c_str());
    if (sessionAtStart)
        StartSession();
}

void HostsTest::StartSession()
{
    ASSERT_TRUE(app.SetResourceModule("vqsysres"));
    ASSERT_TRUE(app.OpenSession(sample.Path().c_str(), "ABC", nullptr));
}

void HostsTest::TearDown()
{
    if (window && window->m_hWnd)
        window->DestroyWindow();
    app.CloseSession();
    ui.Verify();
}

VqsHostListFrame* HostsTest::OpenHostView(int width, int height)
{
    window = std::make_unique<frametest::HostWindow>(width, height);
    const HWND handle = app.OpenHostView(window->m_hWnd, &frametest::OnUpdate, &frametest::OnMessage);
    frame = handle ? dynamic_cast<VqsHostListFrame*>(app.FindFrameByHandle(handle)) : nullptr;
    Idle();
    return frame;
}

VqsKeshPackView* HostsTest::Packs() const { return dynamic_cast<VqsKeshPackView*>(frame->GetNextPane(nullptr)); }

VqsHostView* HostsTest::Hosts() const { return dynamic_cast<VqsHostView*>(frame->GetNextPane(Packs())); }

VqsPackAssocView* HostsTest::Associations() const
{
    return dynamic_cast<VqsPackAssocView*>(frame->GetNextPane(Hosts()));
}

std::vector<std::string> HostsTest::Rows(VqsListView* view)
{
    std::vector<std::string> rows;
    CListCtrl& list = view->GetListCtrl();
    for (int row = 0; row < list.GetItemCount(); ++row) {
        std::string line;
        for (int column = 0; column < view->GetColumnCount(); ++column)
            line += (column ? " | " : "") + list.GetItemText(row, column).str();
        rows.push_back(line);
    }
    return rows;
}

int HostsTest::RowOf(VqsListView* view, const std::string& name)
{
    CListCtrl& list = view->GetListCtrl();
    for (int row = 0; row < list.GetItemCount(); ++row) {
        if (list.GetItemText(row, 0).str() == name)
            return row;
    }
    return -1;
}

void HostsTest::Click(VqsListView* view, const std::string& name)
{
    vqui::user::SelectIndex(view->m_hWnd, RowOf(view, name));
    Idle();
}

void HostsTest::Idle()
{
    MSG msg;
    while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessage(&msg);
    }
}

PxVQPackInformationPtr HostsTest::Pack(const char* name) const { return Enterprise()->GetPackInformation(name); }

std::unique_ptr<PxVQLink> HostsTest::OtherUser() const
{
    auto link = std::make_unique<PxVQLink>();
    link->AttachSession(sample.Path().c_str(), "other/dev", nullptr);
    return link;
}

} // namespace hoststest
