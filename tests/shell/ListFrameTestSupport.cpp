#include "ListFrameTestSupport.h"

#include "proxy/VqException.h"
#include "win/Window.h"

#include <algorithm>

namespace frametest {

namespace {

std::string OrDash(const char* text) { return text ? text : "-"; }

} // namespace

std::vector<std::string>& HostLines()
{
    static std::vector<std::string> lines;
    return lines;
}

std::vector<std::string> HostLinesStartingWith(const std::string& prefix)
{
    std::vector<std::string> found;
    for (const std::string& line : HostLines()) {
        if (line.rfind(prefix, 0) == 0)
            found.push_back(line);
    }
    return found;
}

void OnUpdate(const char* name, UINT id, BOOL enabled, BOOL checked)
{
    HostLines().push_back("update: " + OrDash(name) + " " + std::to_string(id) + " enabled=" +
                          std::to_string(enabled ? 1 : 0) + " checked=" + std::to_string(checked ? 1 : 0));
}

int OnMessage(const char* keyword, const char* value)
{
    HostLines().push_back("message: " + OrDash(keyword) + " " + OrDash(value));
    return 1;
}

void OnMenuItem(const char* parent, const char* text, UINT id, UINT key, UINT flags, const char* prompt)
{
    HostLines().push_back("menu: " + OrDash(parent) + "|" + OrDash(text) + "|" + std::to_string(id) + "|" +
                          std::to_string(key) + "|" + std::to_string(flags) + "|" + OrDash(prompt));
}

void TestView::OnObjectChanged(int hint, const PxVQObjectPtr* object, const PxVQObjectPtr* object2)
{
    notices.push_back({hint, object ? *object : PxVQObjectPtr(), object2 ? *object2 : PxVQObjectPtr(),
                       vqwin::IsRedrawOn(m_hWnd) != FALSE});
    if (!failure.empty())
        throw VqReportableException(__FILE__, __LINE__, failure.c_str());
}

int TestView::GetCommandState(UINT id, int* enabled, int* checked)
{
    auto found = states.find(id);
    if (found == states.end())
        return 0;
    *enabled = found->second.first;
    *checked = found->second.second;
    return 1;
}

void TestView::GetSelectionContext(PxVQSystemPtr&, PxVQBSSoftLinkPtr&, PxVQElementSoftLinkPtr&, PxVQGenSetPtr&)
{
    ++contextRequests;
}

TestFrame::~TestFrame() { Deleted().push_back(this); }

std::vector<TestFrame*>& TestFrame::Deleted()
{
    static std::vector<TestFrame*> deleted;
    return deleted;
}

TestView* TestFrame::AddView()
{
    auto* view = new TestView;
    const UINT id = AFX_IDW_PANE_FIRST + 1 + static_cast<UINT>(views.size());
    if (!view->Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(0, 0, 100, 100), this, id))
        return nullptr;
    views.push_back(view);
    return view;
}

VqsListView* TestFrame::Next(VqsListView* previous) const
{
    if (!previous)
        return views.empty() ? nullptr : views.front();
    auto at = std::find(views.begin(), views.end(), previous);
    return at == views.end() || at + 1 == views.end() ? nullptr : *(at + 1);
}

HostWindow::HostWindow(int width, int height)
{
    CreateEx(0, nullptr, "host", WS_POPUP | WS_VISIBLE, 0, 0, width, height, nullptr, nullptr);
}

TestFrame* HostWindow::MakeFrame(UINT menuId)
{
    auto* frame = new TestFrame(menuId);
    return VqsCreateFrameOverHost(frame, m_hWnd) ? frame : nullptr;
}

} // namespace frametest
