// The change broadcast: notices to every view, held back while a transaction is pending.
#include "shell/VqsSysApp.h"

#include "proxy/VqException.h"
#include "shell/VqsListFrame.h"
#include "shell/VqsListView.h"
#include "shell/VqsMsgBox.h"
#include "shell/VqsRedrawSwitch.h"
#include "win/LibraryLoader.h"

#include <list>
#include <utility>
#include <vector>

namespace {

constexpr int kHintColor = 19;

const PxVQObjectPtr* ObjectOrNone(const PxVQObjectPtr& object) { return object ? &object : nullptr; }

// Touched on the user-interface thread only: the deliveries under way (a notice's, or a
// transaction's queue), and whether one of their views' failures has been told.
int g_deliveries = 0;
bool g_viewFailureTold = false;

class Delivery {
public:
    Delivery()
    {
        if (g_deliveries++ == 0)
            g_viewFailureTold = false;
    }
    ~Delivery() { --g_deliveries; }
    Delivery(const Delivery&) = delete;
    Delivery& operator=(const Delivery&) = delete;
};

// A notice tells of what is stored already (a step's commit, a lock placed): a view that cannot
// take it in (a row's lock state unreadable, the connection gone) is told once as what it is,
// never as the step failing, and the other views still hear of it.
void Deliver(VqsListView* view, int code, const PxVQObjectPtr* object, const PxVQObjectPtr* object2)
{
    try {
        view->OnObjectChanged(code, object, object2);
    } catch (const VqReportableException& error) {
        if (!std::exchange(g_viewFailureTold, true))
            VqsErrorBoxOf(error);
    }
}

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
    const Delivery delivery;
    // A view may close a frame while it takes in the notice.
    std::vector<VqsListFrame*> frames;
    for (POSITION pos = m_frames.GetHeadPosition(); pos;)
        frames.push_back(m_frames.GetNext(pos));
    for (VqsListFrame* frame : frames) {
        if (!m_frames.Find(frame) || !frame->GetSafeHwnd())
            continue;
        for (VqsListView* view = frame->GetNextPane(nullptr); view; view = frame->GetNextPane(view)) {
            if (view != senderView)
                Deliver(view, code, object, object2);
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

    const Delivery delivery;
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
