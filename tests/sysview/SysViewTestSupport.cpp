#include "SysViewTestSupport.h"

#include "hosts/VqsHostListFrame.h"
#include "model/VqsLockManager.h"
#include "model/VqsLockRetryCallback.h"
#include "model/VqsLockThread.h"
#include "model/VqsModel.h"
#include "proxy/PxLSEEnterprise.h"
#include "proxy/PxVQEnterprise.h"
#include "proxy/PxVQHostInformation.h"
#include "proxy/PxVQLink.h"
#include "repo/RepoFile.h"
#include "repo/RepoSample.h"
#include "shell/VqsTreeItem.h"
#include "support/PgTestServer.h"
#include "sysview/VqsOptionSetView.h"
#include "win/CListCtrl.h"
#include "win/CPropertySheet.h"
#include "win/Messages.h"
#include "win/PrivateProfile.h"
#include "win/Sync.h"

#include <algorithm>
#include <stdexcept>

namespace {

Strings* g_logLines = nullptr;

void RecordLog(int, const char* level, const char* text)
{
    if (g_logLines)
        g_logLines->push_back(std::string(level) + " " + text);
}

std::string RowText(VqsTreeItem* item) { return item->GetText(); }

} // namespace

void SysViewTest::SetUp()
{
    ShellTest::SetUp();
    frametest::HostLines().clear();
    g_logLines = &logLines;
    app.RegisterWYRCallBack(nullptr, nullptr, &RecordLog);
    app.SetIniPath(ini.c_str());
    ASSERT_TRUE(app.SetResourceModule("vqsysres"));
    ASSERT_TRUE(app.OpenSession(sample.Path().c_str(), "ABC", nullptr));
}

void SysViewTest::TearDown()
{
    CloseFrame();
    app.CloseSession();
    app.RegisterWYRCallBack(nullptr, nullptr, nullptr);
    g_logLines = nullptr;
}

void SysViewTest::OpenFrame(int width, int height, DWORD hostExStyle)
{
    host.CreateEx(hostExStyle, nullptr, "host", WS_POPUP | WS_VISIBLE, 0, 0, width, height, nullptr, nullptr);
    frame = VqsSysFrame::CreateSystemFrame(host.m_hWnd, &frametest::OnUpdate, &frametest::OnMessage, nullptr);
    ASSERT_NE(frame, nullptr);
    // As the host opens it: the broadcasts and the refresh of every view reach it.
    app.GetFrameList().AddTail(frame);
    view = frame->GetDirectoryView();
    ASSERT_NE(view, nullptr);
    vqwin::PumpPending();
}

void SysViewTest::CloseFrame()
{
    if (frame)
        app.RemoveFrame(frame);
    if (frame && ::IsWindow(frame->m_hWnd))
        frame->DestroyWindow();
    frame = nullptr;
    view = nullptr;
    if (host.m_hWnd)
        host.DestroyWindow();
}

Strings SysViewTest::Rows()
{
    Strings rows;
    for (int row = 0, count = view->GetListCtrl().GetItemCount(); row < count; ++row) {
        VqsTreeItem* item = view->GetItem(row);
        rows.push_back(std::string(static_cast<std::size_t>(2 * item->GetLevel()), ' ') + RowText(item));
    }
    return rows;
}

int SysViewTest::RowOf(const std::string& text)
{
    for (int row = 0, count = view->GetListCtrl().GetItemCount(); row < count; ++row) {
        if (RowText(view->GetItem(row)) == text)
            return row;
    }
    return -1;
}

void SysViewTest::Select(std::initializer_list<std::string> texts)
{
    CListCtrl& list = view->GetListCtrl();
    list.SetItemState(-1, 0, LVIS_SELECTED);
    for (const std::string& text : texts) {
        const int row = RowOf(text);
        ASSERT_GE(row, 0) << text;
        list.SetItemState(row, LVIS_SELECTED, LVIS_SELECTED);
    }
    vqwin::PumpPending();
}

VqsTreeItem* SysViewTest::Item(const std::string& text)
{
    const int row = RowOf(text);
    return row < 0 ? nullptr : view->GetItem(row);
}

void SysViewTest::Expand(const std::string& text)
{
    Select({text});
    Command(32795);
}

void SysViewTest::Command(UINT id)
{
    frame->SendMessage(WM_COMMAND, id, 0);
    vqwin::PumpPending();
}

std::string SysViewTest::State(UINT id)
{
    int enabled = 0;
    int checked = 0;
    view->GetCommandState(id, &enabled, &checked);
    if (enabled && checked)
        return "enabled checked";
    return enabled ? "enabled" : checked ? "checked" : "-";
}

std::string SysViewTest::Setting(const char* key)
{
    char value[64] = {};
    GetPrivateProfileStringA("systems", key, "", value, sizeof(value), ini.c_str());
    return value;
}

PxVQSystemPtr SysViewTest::System(const char* name) const { return app.GetEnterprise()->GetSystem(name); }

const char* StoreName(Store store) { return store == Store::Server ? "Server" : "File"; }

std::string StoreParamName(const ::testing::TestParamInfo<Store>& info) { return StoreName(info.param); }

CString ResourceText(UINT id)
{
    CString text;
    text.LoadString(id);
    return text;
}

void SysViewTest::StartGatedSession(const std::string& repository, std::function<void()> step)
{
    ASSERT_TRUE(app.OpenSession(repository.c_str(), "ABC", nullptr));
    RetryGate::lockThread = VqsLockManager::GetInstance()->FindThreadOfLink(app.GetLink())->m_nThreadID;
    RetryGate::step = std::move(step);
    app.GetLink()->PxSetRetryFunction(&RetryGate::Ask);
    OpenFrame();
}

bool SysViewTest::ProgressShown() const
{
    VqsLockThread* thread = VqsLockManager::GetInstance()->FindThreadOfLink(app.GetLink());
    const HWND dialog = thread ? thread->GetProgressDlg().m_hWnd : nullptr;
    return dialog && ::IsWindowVisible(dialog) && !::IsIconic(dialog);
}

int RetryGate::Ask(PxLockErrorInfo& info)
{
    vqwin::WaitUntilThreadWaits(lockThread);
    if (step)
        step();
    if (atWait && info.GetErrorCode() == PxLockHeldByOther)
        atWait();
    return VqsLockRetryCallback(info);
}

std::string NewSharedSample(Store store, const vqtest::TempDir& dir)
{
    const std::string repository =
        store == Store::Server ? vqtest::PgTestServer::Instance().NewDatabase() : dir.File("shared.vqr");
    vqrepo::CreateRepositoryFile(repository, vqrepo::SampleDescription());
    return repository;
}

void EndLockConnections(const std::string& repository)
{
    const std::size_t name = repository.find(":///") + 4;
    vqtest::PgTestServer::Instance().Run(repository.substr(name, repository.find('?') - name),
                                         "SELECT pg_terminate_backend(pid, 10000) FROM pg_locks"
                                         " WHERE locktype = 'advisory' AND objsubid = 1 AND granted");
}

void EndDataConnections(const std::string& repository)
{
    vqtest::PgTestServer::Instance().EndDataConnections(repository);
}

void SysViewTest::MakeSystem(const std::string& text, const std::string& name, bool linkSales)
{
    VqsModel model;
    PxVQSystemPtr system;
    ASSERT_TRUE(model.CreateSystem(system, text.c_str(), name.c_str(), "", "RT9", 0, 0));
    if (linkSales) {
        VqsGSetPackReplacementList none(10);
        ASSERT_TRUE(model.ApplyGenSetPackReplacements(system->GetCurConfig(),
                                                      app.GetLSEEnterprise()->GetBusinessSegment("SALES"), none));
    }
}

void SysViewTest::DeleteHostsOfType(int hostType)
{
    PxVQLink* link = app.GetLink();
    PxTypedList<PxVQHostInformationPtr> hosts;
    link->GetLVQEnterprise()->GetListOfHostInformations(hosts);
    link->BeginTransaction();
    for (POSITION pos = hosts.GetHeadPosition(); pos;) {
        const PxVQHostInformationPtr host = hosts.GetNext(pos);
        if (host->GetHostType() == hostType)
            host->RecursiveDeleteObject();
    }
    link->CommitTransaction();
}

VqsHostListFrame* SysViewTest::OpenHostFrame()
{
    hostWindow = std::make_unique<frametest::HostWindow>(1006, 600);
    const HWND handle = app.OpenHostView(hostWindow->m_hWnd, &frametest::OnUpdate, &frametest::OnMessage);
    auto* hosts = handle ? dynamic_cast<VqsHostListFrame*>(app.FindFrameByHandle(handle)) : nullptr;
    if (!hosts)
        throw std::runtime_error("no host frame");
    return hosts;
}

void SysViewTest::StartWizard(Wizard wizard, const std::string& systemText)
{
    constexpr UINT ID_ADD_BUSINESS_SEGMENT = 32771;
    constexpr UINT ID_NEW_SYSTEM = 32785;
    constexpr UINT ID_ADD_GENERATE_SET = 32789;
    switch (wizard) {
    case Wizard::NewSystem:
        Select({"Sample enterprise"});
        Command(ID_NEW_SYSTEM);
        break;
    case Wizard::AddSegment:
        Select({systemText});
        Command(ID_ADD_BUSINESS_SEGMENT);
        break;
    case Wizard::NewGenSet:
        Expand(systemText);
        Select({"SALES business segment"});
        frame->GetOptionSetView()->SendMessage(WM_COMMAND, ID_ADD_GENERATE_SET, 0);
        vqwin::PumpPending();
        break;
    }
}

void SysViewTest::SelectFirstGenerateSet(const std::string& systemText)
{
    Expand(systemText);
    Select({"SALES business segment"});
    frame->GetOptionSetView()->SelectOnly(0);
    frame->ActivateNextPane(view);
    vqwin::PumpPending();
}

OtherUsersSystemDelete::OtherUsersSystemDelete(const std::string& repository, std::string systemName)
    : m_user(std::make_unique<PxVQLink>()), m_systemName(std::move(systemName))
{
    m_user->AttachSession(repository.c_str(), "other/dev", nullptr);
    m_enterprise = m_user->GetLVQEnterprise();
}

void OtherUsersSystemDelete::Begin()
{
    if (!m_enterprise->WriteLock(0).Succeeded())
        throw std::runtime_error("the other user's Delete had to wait for the enterprise");
    m_begun = true;
}

void OtherUsersSystemDelete::End()
{
    if (!m_begun || m_ended)
        return;
    m_ended = true;
    const PxVQSystemPtr system = m_enterprise->GetSystem(m_systemName.c_str());
    const PxVQCurConfigPtr config = system->GetCurConfig();
    if (!system->WriteLock(0).Succeeded() || (config && !config->WriteLock(0).Succeeded()))
        throw std::runtime_error("the other user's Delete had to wait for the system");
    m_user->BeginTransaction();
    system->RecursiveDeleteObject();
    m_user->CommitTransaction();
    if (config)
        config->UnLock();
    system->UnLock();
    m_enterprise->UnLock();
}

void OtherUsersSystemDelete::Land()
{
    m_ended = true;
    m_user->BeginTransaction();
    m_enterprise->GetSystem(m_systemName.c_str())->RecursiveDeleteObject();
    m_user->CommitTransaction();
}

vqui::UiAction BoxReader::NextAction(const vqui::UiEvent& event)
{
    constexpr UINT kLockProgressDialog = 105;
    if (event.kind == vqui::EventKind::MessageBox) {
        boxes.push_back(event.text.GetString());
        const std::vector<int> buttons = vqui::MessageBoxButtons(event.style);
        const bool question = std::find(buttons.begin(), buttons.end(), IDCANCEL) != buttons.end();
        return vqui::UiAction::End(question ? IDCANCEL : buttons.front());
    }
    if (event.kind == vqui::EventKind::Dialog && event.templateId == kLockProgressDialog)
        return vqui::UiAction::Wait();
    shownWindows.push_back(event.caption.GetString());
    return vqui::UiAction::End(IDCANCEL);
}

WizardUser::WizardUser()
{
    constexpr UINT kLockProgressDialog = 105;
    WheneverDialog(kLockProgressDialog);
}

vqui::UiAction WizardUser::NextAction(const vqui::UiEvent& event)
{
    if (event.kind == vqui::EventKind::MessageBox) {
        boxes.push_back(event.text.GetString());
        return vqui::UiAction::End(IDOK);
    }
    if (event.kind == vqui::EventKind::Wizard && (finished || !boxes.empty())) {
        leftOpen = true;
        return vqui::UiAction::Press(IDCANCEL);
    }
    const vqui::UiAction action = ScriptedUiDriver::NextAction(event);
    finished = finished || (action.kind == vqui::UiAction::Kind::Press && action.controlId == ID_WIZFINISH);
    return action;
}

void WizardUser::Ended(const vqui::UiEvent& event, int result)
{
    if (!leftOpen && boxes.empty())
        ScriptedUiDriver::Ended(event, result);
}
