#include "ConfigTestSupport.h"

#include "proxy/PxFaultInjection.h"
#include "proxy/PxLSEBuilder.h"
#include "proxy/PxLSEEnterprise.h"
#include "proxy/PxTypedList.h"
#include "proxy/PxVQEnterprise.h"
#include "proxy/PxVQHostInformation.h"
#include "proxy/PxVQPackInformation.h"
#include "proxy/PxVQSystem.h"
#include "win/CPropertySheet.h"

namespace configtest {

namespace {

std::vector<std::string> g_hostLockCalls;
int g_hostAnswer = 1;

int OnQuery(const char* name)
{
    g_hostLockCalls.push_back(std::string("query ") + name);
    return g_hostAnswer;
}

void OnNotify(const char* name) { g_hostLockCalls.push_back(std::string("notify ") + name); }

void OnLog(int, const char*, const char*) {}

template <class Ptr, class Fill>
void AddNames(std::vector<std::string>& out, const char* kind, Fill fill)
{
    PxTypedList<Ptr> list;
    fill(list);
    for (POSITION pos = list.GetHeadPosition(); pos;)
        out.push_back(std::string(kind) + " " + list.GetNext(pos)->GetStringProperty("name").str());
}

} // namespace

void WizardTest::SetUp()
{
    ShellTest::SetUp();
    ui.WheneverDialog(kLockProgressDialog);
    app.SetIniPath(dir.File("vqsys.ini").c_str());
    g_hostLockCalls.clear();
    g_hostAnswer = 1;
    app.RegisterWYRCallBack(&OnQuery, &OnNotify, &OnLog);
    ASSERT_TRUE(app.SetResourceModule("vqsysres"));
    ASSERT_TRUE(app.OpenSession(sample.Path().c_str(), "ABC", nullptr));
}

void WizardTest::TearDown()
{
    PxFaultInjection::Reset();
    EndWizard();
    app.CloseSession();
    app.RegisterWYRCallBack(nullptr, nullptr, nullptr);
    ui.Verify();
}

INT_PTR WizardTest::RunNewSystemWizard()
{
    model = std::make_unique<VqsModel>();
    sheet = std::make_unique<VqsNewSystemSheet>(&model->GetRootNode(), nullptr);
    result = sheet->DoModal();
    return result;
}

void WizardTest::EndWizard()
{
    sheet.reset();
    model.reset();
}

std::vector<std::string> WizardTest::HostLockCalls() { return g_hostLockCalls; }

void WizardTest::HostAnswers(int answer) { g_hostAnswer = answer; }

std::unique_ptr<PxVQLink> WizardTest::OtherUser() const
{
    auto link = std::make_unique<PxVQLink>();
    link->AttachSession(sample.Path().c_str(), "other/dev", nullptr);
    return link;
}

bool WizardTest::EnterpriseLockedForOthers() const
{
    std::unique_ptr<PxVQLink> other = OtherUser();
    return other->GetLVQEnterprise()->IsLocked();
}

bool WizardTest::AnyPackLockedForOthers() const
{
    std::unique_ptr<PxVQLink> other = OtherUser();
    PxTypedList<PxVQPackInformationPtr> packs;
    other->GetLVQEnterprise()->GetListOfPackInformations(packs);
    for (POSITION pos = packs.GetHeadPosition(); pos;) {
        if (packs.GetNext(pos)->IsLocked())
            return true;
    }
    return false;
}

void WizardTest::SetPackType(const char* pack, int type) const
{
    std::unique_ptr<PxVQLink> other = OtherUser();
    other->BeginTransaction();
    other->GetLVQEnterprise()->GetPackInformation(pack)->SetPackType(type);
    other->CommitTransaction();
}

std::vector<std::string> WizardTest::Contents() const
{
    std::unique_ptr<PxVQLink> other = OtherUser();
    const PxVQEnterprisePtr enterprise = other->GetLVQEnterprise();
    std::vector<std::string> out;
    AddNames<PxVQSystemPtr>(out, "system", [&](auto& list) { enterprise->GetListOfSystems(list); });
    AddNames<PxVQHostInformationPtr>(out, "host", [&](auto& list) { enterprise->GetListOfHostInformations(list); });
    AddNames<PxVQPackInformationPtr>(out, "pack", [&](auto& list) { enterprise->GetListOfPackInformations(list); });
    return out;
}

CWnd* WizardTest::Control(int id) const
{
    CPropertyPage* page = sheet ? sheet->GetActivePage() : nullptr;
    return page ? page->GetDlgItem(id) : nullptr;
}

std::string WizardTest::TextOf(int id) const
{
    CString text;
    if (CWnd* control = Control(id))
        control->GetWindowText(text);
    return text.str();
}

int WizardTest::FocusId()
{
    CWnd* focus = CWnd::GetFocus();
    return focus ? focus->GetDlgCtrlID() : 0;
}

void WizardTest::AddPack(const char* name, int type) const
{
    std::unique_ptr<PxVQLink> other = OtherUser();
    other->BeginTransaction();
    other->GetLVQEnterprise()->CreatePackInformation(name)->SetPackType(type);
    other->CommitTransaction();
}

void WizardTest::SetSegmentNumber(const char* segment, const char* property, int value) const
{
    PxLSEBuilder builder(*app.GetLink());
    app.GetLink()->BeginTransaction();
    builder.SetNumber(app.GetLSEEnterprise()->GetBusinessSegment(segment), property, value);
    app.GetLink()->CommitTransaction();
}

void WizardTest::DeleteHost(const char* name) const
{
    std::unique_ptr<PxVQLink> other = OtherUser();
    other->BeginTransaction();
    other->GetLVQEnterprise()->GetHostInformation(name)->RecursiveDeleteObject();
    other->CommitTransaction();
}

DWORD WizardTest::WizardButtons() const { return sheet ? sheet->GetWizardButtons() : 0; }

} // namespace configtest
