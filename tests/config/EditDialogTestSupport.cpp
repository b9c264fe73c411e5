#include "EditDialogTestSupport.h"

#include "win/CWnd.h"

namespace edittest {

void EditDialogTest::SetUp()
{
    ShellTest::SetUp();
    // The lock thread's progress dialog opens with the session and stays hidden.
    ui.WheneverDialog(kLockProgressDialog);
    app.SetIniPath(dir.File("vqsys.ini").c_str());
    if (sessionAtStart)
        StartSession();
}

void EditDialogTest::StartSession()
{
    ASSERT_TRUE(app.SetResourceModule("vqsysres"));
    ASSERT_TRUE(app.OpenSession(sample.Path().c_str(), "ABC", nullptr));
}

void EditDialogTest::TearDown()
{
    app.CloseSession();
    ui.Verify();
}

PxVQBSSoftLinkPtr EditDialogTest::SegmentLink(const char* system, const char* segment) const
{
    return CurConfig(system)->GetBSSoftLink(segment);
}

PxVQReportGroupPtr EditDialogTest::Group(const char* name, const char* system) const
{
    return SegmentLink(system)->GetReportGroup(name);
}

PxVQBundlePtr EditDialogTest::Bundle(const char* name, const char* system) const
{
    PxTypedList<PxVQBundlePtr> bundles;
    SegmentLink(system)->GetListOfBundles(bundles);
    const CList<PxVQBundlePtr, const PxVQBundlePtr&>& list = bundles;
    for (POSITION pos = list.GetHeadPosition(); pos;) {
        const PxVQBundlePtr& bundle = list.GetNext(pos);
        if (bundle->GetName() == CString(name))
            return bundle;
    }
    return PxVQBundlePtr();
}

std::unique_ptr<PxVQLink> EditDialogTest::OtherUser() const
{
    auto link = std::make_unique<PxVQLink>();
    link->AttachSession(sample.Path().c_str(), "other/dev", nullptr);
    return link;
}

void EditDialogTest::AsOtherUser(const std::function<void(PxVQLink&)>& change) const
{
    std::unique_ptr<PxVQLink> other = OtherUser();
    other->BeginTransaction();
    change(*other);
    other->CommitTransaction();
}

HWND EditDialogTest::Control(UINT templateId, int controlId) const
{
    const std::vector<vqui::UiEvent> seen = ui.Seen();
    for (auto event = seen.rbegin(); event != seen.rend(); ++event) {
        if (event->templateId == templateId)
            return ::GetDlgItem(event->window, controlId);
    }
    return nullptr;
}

std::string EditDialogTest::Text(UINT templateId, int controlId) const
{
    CString text;
    if (HWND control = Control(templateId, controlId))
        CWnd::FromHandle(control)->GetWindowText(text);
    return text.str();
}

} // namespace edittest
