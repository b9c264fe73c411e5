#include "GrowthView.h"

#include "support/ScriptedUiDriver.h"

#include "shell/VqsSysApp.h"
#include "sysview/VqsDirectoryView.h"
#include "sysview/VqsSysFrame.h"
#include "win/CListCtrl.h"
#include "win/Messages.h"

#include <stdexcept>

namespace vqgrowth {

namespace {

constexpr UINT kExpandBranch = 32797;
constexpr UINT kFind = 57636;
constexpr int kFindDialog = 143;
constexpr int kFindText = 1403;

} // namespace

HeardFrame::HeardFrame(VqsSysFrame* frame) : m_frame(frame) { VqsGetApp()->GetFrameList().AddTail(m_frame); }

HeardFrame::~HeardFrame() { VqsGetApp()->RemoveFrame(m_frame); }

GrowthHost::GrowthHost() { CreateEx(0, "GrowthHost", "", WS_POPUP | WS_VISIBLE, 0, 0, 1006, 600, nullptr, nullptr); }

OpenView::OpenView(const std::string& repository)
{
    OpenSession(repository);
    m_frame = VqsSysFrame::CreateSystemFrame(m_host.m_hWnd, nullptr, nullptr, nullptr);
    if (!m_frame)
        throw std::runtime_error("the system view cannot be opened");
    view = m_frame->GetDirectoryView();
    Select(0);
}

OpenView::~OpenView()
{
    m_frame->DestroyWindow();
    vqwin::PumpPending();
}

CListCtrl& OpenView::List() const { return view->GetListCtrl(); }

int OpenView::Rows() const { return List().GetItemCount(); }

void OpenView::Select(int row) const
{
    List().SetItemState(-1, 0, LVIS_SELECTED);
    List().SetItemState(row, LVIS_SELECTED, LVIS_SELECTED);
}

void OpenView::SelectRowOf(const char* text) const
{
    LVFINDINFO find{};
    find.flags = LVFI_PARTIAL | LVFI_STRING;
    find.psz = text;
    Select(List().FindItem(&find, -1));
}

void OpenView::ExpandBranch() const { view->SendMessage(WM_COMMAND, kExpandBranch, 0); }

void OpenView::Find(const std::string& text) const
{
    vqtest::ScriptedUiDriver ui;
    ui.ExpectDialog(kFindDialog).Replace(kFindText, text).OK();
    view->SendMessage(WM_COMMAND, kFind, 0);
}

} // namespace vqgrowth
