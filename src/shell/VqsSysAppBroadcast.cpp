// The change broadcast: notices to every view, held back while a transaction is pending.
#include "shell/VqsSysApp.h"

#include "shell/VqsListFrame.h"
#include "shell/VqsListView.h"
#include "shell/VqsRedrawSwitch.h"
#include "win/LibraryLoader.h"

#include <list>
#include <vector>

namespace {

constexpr int kHintColor = 19;

const PxVQObjectPtr* ObjectOrNone(const PxVQObjectPtr& object) { return object ? &object : nullptr; }

} // namespace

void VqsSysApp::BroadcastObjectChange(int code, VqsListView* senderView, const PxVQObjectPtr* object,
                                      const PxVQObjectPtr* object2)
{
    if (m_bTransactionPending) {
        NotificationStruct notice;
        notice.code = code;
        notice.sender = senderView;
        if (object)
            notice.object = *object;
        if (object2)
            notice.object2 = *object2;
        m_notifications.AddTail(notice);
        return;
    }
    // A view may close a frame while it takes in the notice.
    std::vector<VqsListFrame*> frames;
    for (POSITION pos = m_frames.GetHeadPosition(); pos;)
        frames.push_back(m_frames.GetNext(pos));
    for (VqsListFrame* frame : frames) {
        if (!m_frames.Find(frame) || !frame->GetSafeHwnd())
            continue;
        for (VqsListView* view = frame->GetNextPane(nullptr); view; view = frame->GetNextPane(view)) {
            if (view != senderView)
                view->OnObjectChanged(code, object, object2);
        }
    }
}

void VqsSysApp::BeginTransaction()
{
    if (!m_notifications.IsEmpty())
        FinishTransaction(false);
    m_bTransactionPending = TRUE;
}

void VqsSysApp::FinishTransaction(bool ok)
{
    if (!m_bTransactionPending)
        return;
    m_bTransactionPending = FALSE;
    std::vector<NotificationStruct> notices;
    while (!m_notifications.IsEmpty())
        notices.push_back(m_notifications.RemoveHead());
    if (!ok || notices.empty())
        return;

    CWaitCursor wait;
    std::list<VqsRedrawSwitch> switches;
    for (POSITION pos = m_frames.GetHeadPosition(); pos;) {
        VqsListFrame* frame = m_frames.GetNext(pos);
        if (!frame->GetSafeHwnd())
            continue;
        for (VqsListView* view = frame->GetNextPane(nullptr); view; view = frame->GetNextPane(view))
            switches.emplace_back(view);
    }
    for (const NotificationStruct& notice : notices)
        BroadcastObjectChange(notice.code, notice.sender, ObjectOrNone(notice.object), ObjectOrNone(notice.object2));
    while (!switches.empty())
        switches.pop_front();
}

void VqsSysApp::SetColor(COLORREF color, LPCTSTR name)
{
    if (!AfxIsValidString(name) || CString(name).CompareNoCase("system") != 0)
        return;
    m_systemColor = color;
    BroadcastObjectChange(kHintColor, nullptr, nullptr, nullptr);
}
