#include "generate/VqsBundleGenerateDlg.h"

#include "config/VqsEditSession.h"
#include "generate/VqsSyncPairsByLink.h"
#include "model/VqsFixedSettings.h"
#include "model/VqsLockScope.h"
#include "model/VqsModel.h"
#include "model/VqsModelNodeGroups.h"
#include "model/VqsModelNodeLink.h"
#include "proxy/PxLSEBusinessSegment.h"
#include "proxy/PxLSEEnterprise.h"
#include "proxy/PxOidLists.h"
#include "proxy/PxVQConfig.h"
#include "proxy/VqException.h"
#include "shell/StatusMessage.h"
#include "shell/VqsMsgBox.h"
#include "shell/VqsRedrawSwitch.h"
#include "shell/VqsSysApp.h"
#include "sysview/VqsSysFrame.h"
#include "win/CCmdTarget.h"
#include "win/CDataExchange.h"
#include "win/CFileDialog.h"
#include "win/Clock.h"

#include <ctime>
#include <filesystem>
#include <string>

namespace {

constexpr UINT IDD_BUNDLE_GENERATE = 302;
constexpr UINT IDS_NO_BUSINESS_SEGMENT = 61522;
constexpr UINT IDS_SYNCHRONISING = 61523;
constexpr UINT IDS_ITEM_DELETED = 61746;
constexpr UINT IDS_CANNOT_COLLECT_ISPECS = 61894;
constexpr UINT IDS_SELECT_BATCH_FILE = 61899;
constexpr UINT IDS_BATCH_FILES = 61901;
constexpr UINT IDS_TITLE = 61910;
constexpr UINT IDS_UNMATCHED_ISPECS = 61918;
constexpr UINT IDS_UNAVAILABLE_ISPECS = 61920;
constexpr UINT WM_CHOSEN_SELECTION = WM_USER + 3;
constexpr UINT WM_CANDIDATE_SELECTION = WM_USER + 4;
constexpr UINT WM_REFILL_CANDIDATES = WM_USER + 5;
constexpr char kListingFilter[] = "Listing Files (*.Lst)|*.Lst|All Files (*.*)|*.*||";

CString Loaded(UINT id)
{
    CString text;
    text.LoadString(id);
    return text;
}

std::int64_t KeyOf(int year, int month, int day, int hour, int minute, int second)
{
    return ((((static_cast<std::int64_t>(year) * 100 + month) * 100 + day) * 100 + hour) * 100 + minute) * 100 +
           second;
}

// One file name: separators, control characters and ".." cannot lead out of the folder.
std::string SafeFileName(const CString& name)
{
    std::string safe = name.str();
    for (char& c : safe) {
        if (c == '/' || c == '\\' || c == ':' || static_cast<unsigned char>(c) < 0x20)
            c = '_';
    }
    for (std::size_t at = safe.find(".."); at != std::string::npos; at = safe.find("..", at))
        safe.replace(at, 2, "__");
    return safe.empty() ? std::string("_") : safe;
}

SYSTEMTIME TodayAtMidnight()
{
    SYSTEMTIME today{};
    __time64_t now = _time64(nullptr);
    if (const tm* local = _localtime64(&now)) {
        today.wYear = static_cast<WORD>(local->tm_year + 1900);
        today.wMonth = static_cast<WORD>(local->tm_mon + 1);
        today.wDay = static_cast<WORD>(local->tm_mday);
    }
    return today;
}

} // namespace

std::int64_t VqsLocalTimeKey(std::int64_t time)
{
    const __time64_t value = time;
    const tm* local = _localtime64(&value);
    if (!local)
        return 0;
    return KeyOf(local->tm_year + 1900, local->tm_mon + 1, local->tm_mday, local->tm_hour, local->tm_min,
                 local->tm_sec);
}

CString VqsBundleListingPath(const CString& bundleName)
{
    const CString configured = VqsTemporaryFilePath();
    std::filesystem::path folder(configured.str());
    std::error_code error;
    if (configured.IsEmpty())
        folder = std::filesystem::temp_directory_path(error);
    if (error)
        folder = std::filesystem::current_path(error);
    return CString((folder / (SafeFileName(bundleName) + ".Lst")).string().c_str());
}

BEGIN_MESSAGE_MAP(VqsBundleGenerateDlg, VqsDialog)
    ON_BN_CLICKED(VqsBundleGenerateDlg::IDC_ADD_ALL, &VqsBundleGenerateDlg::OnAddAll)
    ON_BN_CLICKED(VqsBundleGenerateDlg::IDC_ADD, &VqsBundleGenerateDlg::OnAdd)
    ON_BN_CLICKED(VqsBundleGenerateDlg::IDC_REMOVE, &VqsBundleGenerateDlg::OnRemove)
    ON_BN_CLICKED(VqsBundleGenerateDlg::IDC_REMOVE_ALL, &VqsBundleGenerateDlg::OnRemoveAll)
    ON_BN_CLICKED(VqsBundleGenerateDlg::IDC_BROWSE_BATCH, &VqsBundleGenerateDlg::OnBrowseBatchFile)
    ON_BN_CLICKED(VqsBundleGenerateDlg::IDC_RUN_BATCH, &VqsBundleGenerateDlg::OnRunBatchFile)
    ON_BN_CLICKED(VqsBundleGenerateDlg::IDC_CHANGED_SINCE, &VqsBundleGenerateDlg::OnShowChangedSince)
    ON_BN_CLICKED(VqsBundleGenerateDlg::IDC_BROWSE_LOG, &VqsBundleGenerateDlg::OnBrowseLogFile)
    ON_BN_CLICKED(VqsBundleGenerateDlg::IDC_LOG_MESSAGES, &VqsBundleGenerateDlg::OnLogGenerateMessages)
    ON_NOTIFY(LVN_ITEMCHANGED, VqsBundleGenerateDlg::IDC_CHOSEN, &VqsBundleGenerateDlg::OnChosenChanged)
    ON_NOTIFY(LVN_ITEMCHANGED, VqsBundleGenerateDlg::IDC_CANDIDATES, &VqsBundleGenerateDlg::OnCandidatesChanged)
    ON_NOTIFY(DTN_DATETIMECHANGE, VqsBundleGenerateDlg::IDC_DATE, &VqsBundleGenerateDlg::OnDateTimeChange)
    ON_NOTIFY(DTN_DATETIMECHANGE, VqsBundleGenerateDlg::IDC_TIME, &VqsBundleGenerateDlg::OnDateTimeChange)
    ON_MESSAGE(WM_CHOSEN_SELECTION, &VqsBundleGenerateDlg::OnChosenSelection)
    ON_MESSAGE(WM_CANDIDATE_SELECTION, &VqsBundleGenerateDlg::OnCandidateSelection)
    ON_MESSAGE(WM_REFILL_CANDIDATES, &VqsBundleGenerateDlg::OnRefillCandidates)
END_MESSAGE_MAP()

VqsBundleGenerateDlg::VqsBundleGenerateDlg(VqsLockBag& bag, VqsModelNodeBundle* bundleNode,
                                           const PxVQIspecBundleDataPtr& data, const PxBSegOptionsPtr& options,
                                           VqsSysFrame* frame)
    : VqsDialog(IDD_BUNDLE_GENERATE, frame), m_pBundle(bundleNode->GetBundle()), m_pBundleData(data),
      m_pOptions(options), m_pFrame(frame), m_pBundleNode(bundleNode), m_pLinkNode(bundleNode->GetBSLinkNode()),
      m_bag(bag)
{
}

VqsBundleGenerateDlg::~VqsBundleGenerateDlg() = default;

void VqsBundleGenerateDlg::DoDataExchange(CDataExchange* pDX)
{
    VqsDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDOK, m_generateButton);
    DDX_Control(pDX, IDC_REMOVE_ALL, m_removeAllButton);
    DDX_Control(pDX, IDC_REMOVE, m_removeButton);
    DDX_Control(pDX, IDC_ADD, m_addButton);
    DDX_Control(pDX, IDC_ADD_ALL, m_addAllButton);
    DDX_Control(pDX, IDC_BROWSE_BATCH, m_browseBatchButton);
    DDX_Control(pDX, IDC_BROWSE_LOG, m_browseLogButton);
    DDX_Control(pDX, IDC_BATCH_FILE, m_batchEdit);
    DDX_Control(pDX, IDC_CANDIDATES, m_candidateList);
    DDX_Control(pDX, IDC_CHOSEN, m_chosenList);
    DDX_Control(pDX, IDC_DATE, m_datePicker);
    DDX_Control(pDX, IDC_TIME, m_timePicker);
    DDX_Text(pDX, IDC_LOG_FILE, m_strListingPath);
    DDX_Check(pDX, IDC_LOG_MESSAGES, m_bLogMessages);
    DDX_Text(pDX, IDC_CANDIDATE_COUNT, m_nCandidateCount);
    DDX_Text(pDX, IDC_CHOSEN_COUNT, m_nChosenCount);
    DDX_Text(pDX, IDC_APPLICATION, m_strApplication);
    DDX_Text(pDX, IDC_PACKAGE, m_strPackage);
    DDX_Text(pDX, IDC_OUTPUT, m_strOutputDirectory);
    DDX_Text(pDX, IDC_BATCH_FILE, m_strBatchFile);
    DDX_Check(pDX, IDC_RUN_BATCH, m_bRunBatch);
    DDX_Check(pDX, IDC_CHANGED_SINCE, m_bChangedSince);
}

BOOL VqsBundleGenerateDlg::OnInitDialog()
{
    VqsDialog::OnInitDialog();
    CObList nodes;
    try {
        VqsLockScope scope(VqsSessionLink());
        m_bLogMessages = VqsLogGenerateMessages() ? 1 : 0;
        m_strBundleName = m_pBundle->GetName();
        m_strListingPath = VqsBundleListingPath(m_strBundleName);
        GetDlgItem(IDC_LOG_FILE)->EnableWindow(FALSE);
        m_browseLogButton.EnableWindow(FALSE);
        m_pLink = m_pBundle->GetBSSoftLink();
        CString title;
        title.Format(Loaded(IDS_TITLE), m_strBundleName.GetString());
        SetWindowText(title);
        int missing = 0;
        CollectIspecNodes(m_bundleIspecs, nodes, missing);
        if (missing > 0) {
            CString text;
            text.Format(Loaded(IDS_UNAVAILABLE_ISPECS), missing);
            VqsMessageBox(text);
        }
        if (!BuildIspecTimeStamps()) {
            EndDialog(IDCANCEL);
            return TRUE;
        }
        // Without business-segment options the bundle is generated with empty texts.
        if (m_pOptions) {
            m_strApplication = m_pOptions->GetApplicationName();
            m_strPackage = m_pOptions->GetPackagePrefix();
            m_strOutputDirectory = m_pOptions->GetOutputDirectory();
        }
        m_batchEdit.SetLimitText(m_pOptions ? m_pOptions->GetMaxLengthBatchFiletoRun() : kDefaultMaxBatchLength);
        if (!m_bag.LockNodes(nodes)) {
            m_bag.Release();
            EndDialog(IDCANCEL);
            return TRUE;
        }
    } catch (const VqReportableException& error) {
        ShowErrorById(IDS_CANNOT_COLLECT_ISPECS, error);
        EndDialog(IDCANCEL);
        return TRUE;
    }
    IspecList chosen;
    for (const auto& stamp : m_stamps)
        chosen.AddTail(stamp->link);
    if (!m_candidateList.Init() || !m_chosenList.Init() || !m_chosenList.SetObjects(chosen)) {
        EndDialog(IDCANCEL);
        return TRUE;
    }
    m_bag.Release();
    UpdateCounts();
    const SYSTEMTIME midnight = TodayAtMidnight();
    m_datePicker.SetTime(&midnight);
    m_timePicker.SetTime(&midnight);
    UpdateData(FALSE);
    UpdateControls();
    return TRUE;
}

// A bundle entry whose Ispec link has no node is left out and counted; the others are still
// collected.
void VqsBundleGenerateDlg::CollectIspecNodes(IspecList& links, CObList& nodes, int& missing)
{
    PxTypedList<PxVQIspecBundleDataPtr> entries;
    m_pBundle->GetListOfIspecBundleData(entries);
    VqsModel* model = m_pBundleNode->GetModel();
    const CList<PxVQIspecBundleDataPtr, const PxVQIspecBundleDataPtr&>& list = entries;
    for (POSITION pos = list.GetHeadPosition(); pos;) {
        const PxVQIspecBundleDataPtr& entry = list.GetNext(pos);
        const PxVQIspecSoftLinkPtr ispec = entry->GetIspecInformation();
        VqsModelNode* linkNode = model->FindElementLinkNode(ispec);
        VqsModelNode* entryNode = model->FindIspecBundleDataNode(entry);
        if (!linkNode || !entryNode) {
            ++missing;
            continue;
        }
        nodes.AddTail(linkNode);
        nodes.AddTail(entryNode);
        links.AddTail(ispec);
    }
}

BOOL VqsBundleGenerateDlg::BuildIspecTimeStamps()
{
    const PxLSEEnterprisePtr design = VqsGetApp()->GetLSEEnterprise();
    const PxLSEBusinessSegmentPtr segment =
        design && m_pLink ? design->GetBusinessSegment(m_pLink->GetName()) : PxLSEBusinessSegmentPtr();
    if (!segment)
        return FALSE;
    const CList<PxVQIspecSoftLinkPtr, const PxVQIspecSoftLinkPtr&>& list = m_bundleIspecs;
    for (POSITION pos = list.GetHeadPosition(); pos;) {
        const PxVQIspecSoftLinkPtr& link = list.GetNext(pos);
        const PxLSEIspecPtr ispec(segment->GetElement(link->GetName()));
        if (!ispec || ispec->GetUsage() == 'O' || ispec->GetUsage() == 'D')
            continue;
        auto stamp = std::make_unique<VqsIspecTimeStamp>();
        stamp->link = link;
        stamp->ispec = ispec;
        stamp->localTime = VqsLocalTimeKey(ispec->GetChangeTimeStamp());
        m_stamps.push_back(std::move(stamp));
    }
    return TRUE;
}

VqsIspecTimeStamp* VqsBundleGenerateDlg::FindTimeStamp(const PxVQIspecSoftLinkPtr& link)
{
    for (const auto& stamp : m_stamps) {
        if (stamp->link->IsSameOid(link))
            return stamp.get();
    }
    return nullptr;
}

std::int64_t VqsBundleGenerateDlg::CutOff()
{
    SYSTEMTIME date{};
    SYSTEMTIME time{};
    m_datePicker.GetTime(&date);
    m_timePicker.GetTime(&time);
    return KeyOf(date.wYear, date.wMonth, date.wDay, time.wHour, time.wMinute, time.wSecond);
}

bool VqsBundleGenerateDlg::PassesFilter(const VqsIspecTimeStamp& stamp) { return stamp.localTime >= CutOff(); }

void VqsBundleGenerateDlg::UpdateCounts()
{
    m_nCandidateCount = m_candidateList.GetItemCount();
    m_nChosenCount = m_chosenList.GetItemCount();
}

void VqsBundleGenerateDlg::UpdateControls()
{
    const BOOL anyChosen = m_chosenList.GetItemCount() > 0;
    m_generateButton.EnableWindow(anyChosen);
    m_removeAllButton.EnableWindow(anyChosen);
    m_removeButton.EnableWindow(m_chosenList.GetSelectedCount() > 0);
    m_addButton.EnableWindow(m_candidateList.GetSelectedCount() > 0);
    m_addAllButton.EnableWindow(m_candidateList.GetItemCount() > 0);
    m_datePicker.EnableWindow(m_bChangedSince);
    m_timePicker.EnableWindow(m_bChangedSince);
    m_batchEdit.EnableWindow(m_bRunBatch);
    m_browseBatchButton.EnableWindow(m_bRunBatch);
}

// The bundle must be as the dialog found it: a link another user removed, or a different set
// of Ispecs, ends the dialog.
BOOL VqsBundleGenerateDlg::CheckBundleIspecs()
{
    VqsLockScope scope(VqsSessionLink());
    if (!m_linkBag.LockNode(m_pLinkNode) || !m_linkBag.LockObjects(VqsLongReadLock) ||
        !m_longRead.LockNode(m_pBundleNode))
        return FALSE;
    if (m_longRead.ReportDeleted(IDS_ITEM_DELETED, m_pBundleNode) ||
        m_linkBag.ReportDeleted(IDS_ITEM_DELETED, m_pLinkNode)) {
        m_generateButton.EnableWindow(FALSE);
        return FALSE;
    }
    IspecList current;
    CObList nodes;
    int missing = 0;
    CollectIspecNodes(current, nodes, missing);
    if (!m_longRead.LockNodes(nodes))
        return FALSE;
    if (!PxSameOids(current, m_bundleIspecs)) {
        m_longRead.Release();
        m_linkBag.Release();
        VqsErrorBoxId(IDS_CANNOT_COLLECT_ISPECS);
        EndDialog(IDCANCEL);
        return FALSE;
    }
    return TRUE;
}

BOOL VqsBundleGenerateDlg::SetIspecStates(IspecList& links, BOOL toChosen)
{
    CList<PxVQIspecSoftLinkPtr, const PxVQIspecSoftLinkPtr&>& list = links;
    for (POSITION pos = list.GetHeadPosition(); pos;) {
        const POSITION at = pos;
        VqsIspecTimeStamp* stamp = FindTimeStamp(list.GetNext(pos));
        if (!stamp)
            return FALSE;
        if (toChosen) {
            stamp->state = VqsIspecTimeStamp::Chosen;
        } else if (m_bChangedSince && !PassesFilter(*stamp)) {
            stamp->state = VqsIspecTimeStamp::Hidden;
            list.RemoveAt(at);
        } else {
            stamp->state = VqsIspecTimeStamp::Candidate;
        }
    }
    return TRUE;
}

void VqsBundleGenerateDlg::Move(BOOL all, BOOL toChosen)
{
    if (!UpdateData(TRUE) || !CheckBundleIspecs())
        return;
    VqsTypedListCtrl_IspecBundleDataLink& from = toChosen ? m_candidateList : m_chosenList;
    VqsTypedListCtrl_IspecBundleDataLink& to = toChosen ? m_chosenList : m_candidateList;
    {
        CWaitCursor wait;
        VqsRedrawSwitch fromRedraw(&from);
        VqsRedrawSwitch toRedraw(&to);
        IspecList moved;
        if (all) {
            from.GetAllObjects(moved);
            from.DeleteAllItems();
        } else {
            from.RemoveSelected(moved);
        }
        if (!SetIspecStates(moved, toChosen))
            return;
        to.AddObjects(moved);
    }
    UpdateCounts();
    UpdateData(FALSE);
    UpdateControls();
}

void VqsBundleGenerateDlg::PostOnce(BOOL& pending, UINT message)
{
    if (pending)
        return;
    pending = TRUE;
    PostMessage(message);
}

void VqsBundleGenerateDlg::OnChosenChanged(NMHDR*, LRESULT* result)
{
    PostOnce(m_bChosenPending, WM_CHOSEN_SELECTION);
    *result = 0;
}

void VqsBundleGenerateDlg::OnCandidatesChanged(NMHDR*, LRESULT* result)
{
    PostOnce(m_bCandidatePending, WM_CANDIDATE_SELECTION);
    *result = 0;
}

void VqsBundleGenerateDlg::OnDateTimeChange(NMHDR*, LRESULT* result)
{
    PostOnce(m_bRefillPending, WM_REFILL_CANDIDATES);
    *result = 0;
}

void VqsBundleGenerateDlg::OnShowChangedSince()
{
    const BOOL on = IsDlgButtonChecked(IDC_CHANGED_SINCE);
    m_datePicker.EnableWindow(on);
    m_timePicker.EnableWindow(on);
    PostOnce(m_bRefillPending, WM_REFILL_CANDIDATES);
}

LRESULT VqsBundleGenerateDlg::OnChosenSelection(WPARAM, LPARAM)
{
    m_bChosenPending = FALSE;
    m_removeButton.EnableWindow(m_chosenList.GetSelectedCount() > 0);
    return 0;
}

LRESULT VqsBundleGenerateDlg::OnCandidateSelection(WPARAM, LPARAM)
{
    m_bCandidatePending = FALSE;
    m_addButton.EnableWindow(m_candidateList.GetSelectedCount() > 0);
    return 0;
}

LRESULT VqsBundleGenerateDlg::OnRefillCandidates(WPARAM, LPARAM)
{
    m_bRefillPending = FALSE;
    if (!UpdateData(TRUE))
        return 0;
    {
        CWaitCursor wait;
        VqsRedrawSwitch redraw(&m_candidateList);
        m_candidateList.DeleteAllItems();
        IspecList candidates;
        for (const auto& stamp : m_stamps) {
            if (stamp->state == VqsIspecTimeStamp::Chosen)
                continue;
            stamp->state = VqsIspecTimeStamp::Hidden;
            if (!m_bChangedSince || PassesFilter(*stamp)) {
                stamp->state = VqsIspecTimeStamp::Candidate;
                candidates.AddTail(stamp->link);
            }
        }
        m_candidateList.SetObjects(candidates);
    }
    UpdateCounts();
    UpdateData(FALSE);
    UpdateControls();
    return 0;
}

void VqsBundleGenerateDlg::OnRunBatchFile()
{
    m_bRunBatch = IsDlgButtonChecked(IDC_RUN_BATCH);
    m_batchEdit.EnableWindow(m_bRunBatch);
    m_browseBatchButton.EnableWindow(m_bRunBatch);
}

void VqsBundleGenerateDlg::OnBrowseBatchFile()
{
    const CString title = Loaded(IDS_SELECT_BATCH_FILE);
    const std::string filter = std::string(Loaded(IDS_BATCH_FILES)) + '\0' + "*.bat" + '\0' + '\0';
    char path[MAX_PATH + 1] = "";
    OPENFILENAME ofn{};
    ofn.lStructSize = sizeof(ofn);
    ofn.hwndOwner = m_hWnd;
    ofn.lpstrFilter = filter.c_str();
    ofn.lpstrFile = path;
    ofn.nMaxFile = sizeof(path);
    ofn.lpstrTitle = title;
    ofn.Flags = OFN_HIDEREADONLY | OFN_NOCHANGEDIR | OFN_PATHMUSTEXIST;
    if (GetOpenFileName(&ofn))
        SetDlgItemText(IDC_BATCH_FILE, path);
}

void VqsBundleGenerateDlg::OnLogGenerateMessages()
{
    m_bLogMessages = IsDlgButtonChecked(IDC_LOG_MESSAGES);
    if (m_bLogMessages) {
        m_strListingPath = VqsBundleListingPath(m_strBundleName);
        SetDlgItemText(IDC_LOG_FILE, m_strListingPath);
    }
    GetDlgItem(IDC_LOG_FILE)->EnableWindow(m_bLogMessages);
    m_browseLogButton.EnableWindow(m_bLogMessages);
}

void VqsBundleGenerateDlg::OnBrowseLogFile()
{
    CFileDialog dialog(TRUE, "Lst", VqsBundleListingPath(m_strBundleName), OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT,
                       kListingFilter, this);
    if (dialog.DoModal() != IDOK)
        return;
    m_strListingPath = dialog.GetPathName();
    SetDlgItemText(IDC_LOG_FILE, m_strListingPath);
}

int VqsBundleGenerateDlg::MarkUnmatched()
{
    int unmatched = 0;
    VqsRedrawSwitch candidateRedraw(&m_candidateList);
    VqsRedrawSwitch chosenRedraw(&m_chosenList);
    IspecList chosen;
    m_chosenList.GetAllObjects(chosen);
    const VqsSyncPairsByLink pairs(m_record.pairs);
    const CList<PxVQIspecSoftLinkPtr, const PxVQIspecSoftLinkPtr&>& list = chosen;
    for (POSITION pos = list.GetHeadPosition(); pos;) {
        const PxVQIspecSoftLinkPtr& link = list.GetNext(pos);
        if (pairs.Find(link))
            continue;
        ++unmatched;
        VqsImageRef image;
        m_chosenList.LoadItemDetails(link, &image);
        image.nVariant = link->ObjectPresent() ? 2 : 3;
        m_chosenList.RedrawObject(link, image);
    }
    return unmatched;
}

// Generate: a record is filled only for a chosen Ispec at least, and the dialog ends with
// IDOK only when every chosen Ispec matched.
void VqsBundleGenerateDlg::OnOK()
{
    VqsDialogCtrlConnector::StrictControl strict(&m_connector);
    if (!UpdateData(TRUE) || m_chosenList.GetItemCount() == 0)
        return;
    VqsModel model;
    VqsSysApp* app = VqsGetApp();
    app->RefreshAllViews(&model);
    const PxVQCurConfigPtr config(m_pLink->GetConfig());
    if (!config)
        return;
    VqsLockBag readBag(VqsReadLock);
    // A lock that failed has been told: the Ispecs it left unread are not reported as unmatched.
    if (!model.LockSubtree(readBag, PxVQObjectPtr(config))) {
        EndDialog(IDCANCEL);
        return;
    }
    CWaitCursor wait;
    VqsModelNodeBSLink* linkNode = model.FindConfigNodeOfBSLink(m_pLink);
    if (!linkNode)
        return;
    VqsDesignLinkPairList pairs;
    for (const auto& stamp : m_stamps) {
        if (stamp->state == VqsIspecTimeStamp::Chosen)
            pairs.AddTail(VqcSyncPair{PxLSEObjectPtr(stamp->ispec), PxVQElementSoftLinkPtr(stamp->link)});
    }
    PxLSEBusinessSegmentPtr segment;
    {
        StatusMessage status(m_pFrame, IDS_SYNCHRONISING);
        if (!linkNode->FillBundleIspecs(0, m_bsLock, PxHandle(), segment, pairs)) {
            EndDialog(IDCANCEL);
            return;
        }
    }
    m_record.businessSegment = segment;
    m_record.softLink = m_pLink;
    m_record.pairs.RemoveAll();
    for (POSITION pos = pairs.GetHeadPosition(); pos;)
        m_record.pairs.AddTail(pairs.GetNext(pos));
    if (!m_record.softLink) {
        VqsMessageBoxId(IDS_NO_BUSINESS_SEGMENT);
        EndDialog(IDCANCEL);
        return;
    }
    m_nUnmatched = MarkUnmatched();
    if (m_nUnmatched == 0) {
        EndDialog(IDOK);
        return;
    }
    CString text;
    text.Format(Loaded(IDS_UNMATCHED_ISPECS), static_cast<unsigned>(m_nUnmatched));
    VqsMessageBox(text);
    m_generateButton.EnableWindow(FALSE);
}
