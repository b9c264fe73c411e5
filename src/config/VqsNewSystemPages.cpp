#include "config/VqsNewSystemPages.h"

#include "config/VqsConfigNames.h"
#include "config/VqsNewSystemSheet.h"
#include "model/VqsLockBag.h"
#include "model/VqsLockScope.h"
#include "model/VqsModelNodeEnterprise.h"
#include "model/VqsModelNodeHost.h"
#include "model/VqsModelNodeSystem.h"
#include "proxy/PxLSEEnterprise.h"
#include "proxy/VqException.h"
#include "shell/VqsDisplayNames.h"
#include "shell/VqsMsgBox.h"
#include "shell/VqsSysApp.h"
#include "win/CDataExchange.h"
#include "win/CListBox.h"
#include "win/CPropertySheet.h"

namespace {

constexpr UINT IDS_NAME_NOT_UNIQUE = 61464;
constexpr UINT IDS_CANNOT_FILL_SEGMENTS = 61497;
constexpr UINT IDS_INTERNAL_ERROR = 61498;
constexpr UINT IDS_CANNOT_ACCESS_REPOSITORY = 61639;
constexpr int kValidatorEmpty = 0;
constexpr int kValidatorID = 1;
constexpr int kDescriptionLength = 30;
constexpr int kRuntimeVersionLength = 20;

// Fills an empty second name from the name; trims a typed one. TRUE when it was derived.
BOOL CompleteSecondName(VqsOptCtrlString& secondName, const CString& name, int length)
{
    const CString second = VqsTakenName(secondName.GetValue());
    if (!second.IsEmpty()) {
        secondName.SetValue(second);
        return FALSE;
    }
    secondName.SetValue(VqsDeriveShortName(name, length));
    return TRUE;
}

} // namespace

// ---------------------------------------------------------------- page 1

VqsSysOptPage::VqsSysOptPage()
    : VqsWizardPage(IDD, 0),
      m_name(&m_connector, IDC_NAME, m_bLongNames ? kVqsLongNameLength : kVqsSystemNameLength,
             m_bLongNames ? kValidatorEmpty : kValidatorID),
      m_secondName(&m_connector, IDC_SECOND_NAME, kVqsSystemNameLength, kValidatorID),
      m_description(&m_connector, IDC_DESCRIPTION, kDescriptionLength, kValidatorEmpty)
{
}

VqsSysOptPage::~VqsSysOptPage() = default;

BOOL VqsSysOptPage::OnInitDialog()
{
    VqsWizardPage::OnInitDialog();
    if (!m_bLongNames)
        m_secondName.Show(FALSE);
    return TRUE;
}

BOOL VqsSysOptPage::OnSetActive()
{
    if (!VqsWizardPage::OnSetActive())
        return FALSE;
    PostWizardButtons(PSWIZB_NEXT);
    if (m_pSheet)
        m_pSheet->m_enterpriseBag.Release();
    return TRUE;
}

// A derived short name is checked like a typed one: the strict exchange runs again over the
// values now shown.
LRESULT VqsSysOptPage::OnWizardNext()
{
    VqsDialogCtrlConnector::StrictControl strict = m_connector.MakeStrict();
    if (!m_pSheet || !UpdateData(TRUE))
        return kWizardStay;
    m_name.SetValue(VqsTakenName(m_name.GetValue()));
    const BOOL derived = CompleteSecondName(m_secondName, m_name.GetValue(), kVqsSystemNameLength);
    UpdateData(FALSE);
    if (const UINT refusal = VqsCheckTakenName(m_name.GetValue())) {
        RefuseAt(refusal, IDC_NAME);
        return kWizardStay;
    }
    if (derived && m_bLongNames && !UpdateData(TRUE))
        return kWizardStay;
    if (!CheckNameUnique())
        return kWizardStay;
    return kWizardOnward;
}

// The name is checked under a future-update lock on the enterprise, which the step gives back.
int VqsSysOptPage::CheckNameUnique()
{
    const VqsCreatingWizard::LockStep step(CreatingWizard(), VqsFutureUpdateLock);
    if (!LockBagObjects(m_pSheet->m_enterpriseBag, VqsFutureUpdateLock))
        return 0;
    try {
        if (const int clash = FindSystemNamedAfresh()) {
            RefuseAt(IDS_NAME_NOT_UNIQUE, clash);
            m_pSheet->m_enterpriseBag.Release();
            return 0;
        }
    } catch (const VqException& error) {
        m_pSheet->m_enterpriseBag.Release();
        ShowErrorById(IDS_CANNOT_ACCESS_REPOSITORY, error);
        return 0;
    }
    return 1;
}

// The systems as the repository lists them now: the model the creation works in is left as
// it is.
VqsNameTaken VqsSysOptPage::FindNameTaken()
{
    PxTypedList<PxVQSystemPtr> systems;
    m_pSheet->m_pEnterprise->GetEnterprise()->GetListOfSystems(systems);
    const int clash = FindSystemNamed(systems);
    if (!clash)
        return {};
    return [this, clash] { RefuseFinishAt(IDS_NAME_NOT_UNIQUE, clash); };
}

int VqsSysOptPage::FindSystemNamedAfresh()
{
    VqsModelNodeEnterprise* enterprise = m_pSheet->m_pEnterprise;
    enterprise->Refresh();
    enterprise->LoadSystems(VqsLoadReread);
    PxTypedList<PxVQSystemPtr> systems;
    enterprise->GetPresentSystems(systems);
    return FindSystemNamed(systems);
}

// The id of the field whose name one of the systems has; 0 when neither is taken.
int VqsSysOptPage::FindSystemNamed(const PxTypedList<PxVQSystemPtr>& systems) const
{
    const CString name = m_name.GetValue();
    const CString secondName = m_secondName.GetValue();
    const CList<PxVQSystemPtr, const PxVQSystemPtr&>& list = systems;
    for (POSITION pos = list.GetHeadPosition(); pos;) {
        const PxVQSystemPtr& system = list.GetNext(pos);
        if (m_bLongNames) {
            if (VqsSameName(name, system->GetLongName()))
                return IDC_NAME;
            if (VqsSameName(secondName, system->GetName()))
                return IDC_SECOND_NAME;
        } else if (VqsSameName(name, system->GetName())) {
            return IDC_NAME;
        }
    }
    return 0;
}

// ---------------------------------------------------------------- page 2

VqsSysGenPage::VqsSysGenPage()
    : VqsWizardPage(IDD, 0), m_runtimeVersion(&m_connector, IDC_RUNTIME_VERSION, kRuntimeVersionLength, kValidatorEmpty),
      m_resetVersion(&m_connector, IDC_RESET_VERSION), m_resetReportCount(&m_connector, IDC_RESET_REPORT_COUNT)
{
}

VqsSysGenPage::~VqsSysGenPage() = default;

BOOL VqsSysGenPage::OnCmdMsg(UINT id, int code, void* extra, AFX_CMDHANDLERINFO* handlerInfo)
{
    const BOOL handled = VqsWizardPage::OnCmdMsg(id, code, extra, handlerInfo);
    if (!handlerInfo && !extra && id == IDC_RUNTIME_VERSION && code == EN_KILLFOCUS) {
        OnRuntimeVersionLeft();
        return TRUE;
    }
    return handled;
}

// The identifier is shown with shift marks; the value keeps the text without them.
BOOL VqsSysGenPage::OnSetActive()
{
    if (!VqsWizardPage::OnSetActive() || !m_pSheet)
        return FALSE;
    const CString kept = m_runtimeVersion.GetControlText();
    if (!ShowShiftMarked(m_pSheet->UsesShiftMarkers(), m_runtimeVersion, kRuntimeVersionLength, kept)) {
        UpdateData(FALSE);
        m_runtimeVersion.SetValue(kept);
    }
    PostWizardButtons(PSWIZB_BACK | PSWIZB_NEXT);
    return TRUE;
}

void VqsSysGenPage::OnRuntimeVersionLeft()
{
    if (!m_pSheet)
        return;
    TakeShiftMarked(m_pSheet->UsesShiftMarkers(), m_runtimeVersion, kRuntimeVersionLength);
    UpdateData(FALSE);
}

LRESULT VqsSysGenPage::OnWizardNext()
{
    VqsDialogCtrlConnector::StrictControl strict = m_connector.MakeStrict();
    if (!m_pSheet)
        return kWizardStay;
    if (StripShiftMarks(m_pSheet->UsesShiftMarkers(), m_runtimeVersion, m_runtimeVersion.GetValue()))
        UpdateData(FALSE);
    if (!UpdateData(TRUE))
        return kWizardStay;
    return kWizardOnward;
}

// ---------------------------------------------------------------- page 3

VqsSysBSPage::VqsSysBSPage() : VqsWizardPage(IDD, 0), m_noSegment(&m_connector, IDC_NO_SEGMENT) {}

VqsSysBSPage::~VqsSysBSPage() = default;

void VqsSysBSPage::DoDataExchange(CDataExchange* pDX)
{
    VqsWizardPage::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_SEGMENTS, m_segmentList);
}

BOOL VqsSysBSPage::OnCmdMsg(UINT id, int code, void* extra, AFX_CMDHANDLERINFO* handlerInfo)
{
    const BOOL handled = VqsWizardPage::OnCmdMsg(id, code, extra, handlerInfo);
    if (handlerInfo || extra)
        return handled;
    if (id == IDC_NO_SEGMENT && code == BN_CLICKED) {
        OnNoSegmentClicked();
        return TRUE;
    }
    if (id == IDC_SEGMENTS && code == LBN_SELCHANGE) {
        OnSelectionChanged();
        return TRUE;
    }
    if (id == IDC_SEGMENTS && code == LBN_SELCANCEL) {
        OnSelectionCancelled();
        return TRUE;
    }
    return handled;
}

void VqsSysBSPage::ReadSegments(PxTypedList<PxLSEBusinessSegmentPtr>& segments) const
{
    VqsSysApp* app = VqsGetApp();
    if (!app || !app->GetLSEEnterprise())
        return;
    PxTypedList<PxLSEBusinessSegmentPtr> all;
    app->GetLSEEnterprise()->GetBSList(all);
    for (POSITION pos = all.GetHeadPosition(); pos;) {
        const PxLSEBusinessSegmentPtr segment = all.GetNext(pos);
        if (segment && segment->ObjectPresent())
            segments.AddTail(segment);
    }
}

PxLSEBusinessSegmentPtr VqsSysBSPage::SegmentToSelect(const PxTypedList<PxLSEBusinessSegmentPtr>& segments) const
{
    const CList<PxLSEBusinessSegmentPtr, const PxLSEBusinessSegmentPtr&>& list = segments;
    if (m_selectedSegment) {
        for (POSITION pos = list.GetHeadPosition(); pos;) {
            const PxLSEBusinessSegmentPtr& segment = list.GetNext(pos);
            if (segment->IsSameOid(m_selectedSegment))
                return segment;
        }
    }
    return list.IsEmpty() ? PxLSEBusinessSegmentPtr() : list.GetHead();
}

// 1 when every segment is listed; 0 after telling the user why not.
int VqsSysBSPage::FillSegmentList(const PxTypedList<PxLSEBusinessSegmentPtr>& segments,
                                  const PxLSEBusinessSegmentPtr& select)
{
    m_segmentList.ResetContent();
    m_segmentList.DeleteAllItems();
    try {
        const CList<PxLSEBusinessSegmentPtr, const PxLSEBusinessSegmentPtr&>& list = segments;
        for (POSITION pos = list.GetHeadPosition(); pos;) {
            const PxLSEBusinessSegmentPtr& segment = list.GetNext(pos);
            const CString text = VqsShownName(segment);
            auto* copy = new PxLSEBusinessSegmentPtr(segment);
            m_segmentList.m_items.AddTail(copy);
            const int index = m_segmentList.AddString(text);
            if (index < 0) {
                VqsMessageBoxId(IDS_INTERNAL_ERROR);
                return 0;
            }
            if (m_segmentList.SetItemDataPtr(index, copy) == LB_ERR) {
                m_segmentList.DeleteString(static_cast<UINT>(index));
                VqsMessageBoxId(IDS_INTERNAL_ERROR);
                return 0;
            }
            if (select && segment->IsSameOid(select))
                m_segmentList.SetCurSel(index);
        }
    } catch (const VqException& error) {
        ShowErrorById(IDS_CANNOT_FILL_SEGMENTS, error);
        return 0;
    }
    return 1;
}

// A page that cannot list the segments is passed over.
BOOL VqsSysBSPage::OnSetActive()
{
    if (!VqsWizardPage::OnSetActive() || !m_pSheet)
        return FALSE;
    PxTypedList<PxLSEBusinessSegmentPtr> segments;
    try {
        ReadSegments(segments);
    } catch (const VqException& error) {
        ShowErrorById(IDS_CANNOT_FILL_SEGMENTS, error);
        return FALSE;
    }
    m_selectedSegment = SegmentToSelect(segments);
    if (!FillSegmentList(segments, m_selectedSegment))
        return FALSE;
    if (segments.IsEmpty()) {
        m_noSegment.m_bValue = TRUE;
        m_noSegment.Enable(FALSE);
    }
    m_segmentList.EnableWindow(!m_noSegment.m_bValue);
    UpdateData(FALSE);
    PostWizardButtons(m_noSegment.m_bValue || m_selectedSegment ? PSWIZB_BACK | PSWIZB_NEXT : PSWIZB_BACK);
    m_pSheet->m_bsLock.Unlock();
    return TRUE;
}

PxLSEBusinessSegmentPtr VqsSysBSPage::ListSelection() const
{
    const int index = m_segmentList.GetCurSel();
    const auto* segment = index >= 0 ? static_cast<const PxLSEBusinessSegmentPtr*>(m_segmentList.GetItemDataPtr(index))
                                     : nullptr;
    return segment ? *segment : PxLSEBusinessSegmentPtr();
}

void VqsSysBSPage::OnNoSegmentClicked()
{
    UpdateData(TRUE);
    m_segmentList.EnableWindow(!m_noSegment.m_bValue);
    if (m_noSegment.m_bValue) {
        m_selectedSegment = PxLSEBusinessSegmentPtr();
        PostWizardButtons(PSWIZB_BACK | PSWIZB_NEXT);
        return;
    }
    m_selectedSegment = ListSelection();
    PostWizardButtons(m_selectedSegment ? PSWIZB_BACK | PSWIZB_NEXT : PSWIZB_BACK);
}

void VqsSysBSPage::OnSelectionChanged()
{
    OnNoSegmentClicked();
    PostWizardButtons(PSWIZB_BACK | PSWIZB_NEXT);
}

void VqsSysBSPage::OnSelectionCancelled()
{
    m_selectedSegment = PxLSEBusinessSegmentPtr();
    PostWizardButtons(PSWIZB_BACK);
}

// Going on without a segment forgets the one chosen on an earlier visit, so that the host
// type check and the shift-mark rule do not judge by a segment that will not be linked.
LRESULT VqsSysBSPage::OnWizardNext()
{
    VqsDialogCtrlConnector::StrictControl strict = m_connector.MakeStrict();
    if (!m_pSheet)
        return kWizardStay;
    UpdateData(TRUE);
    if (m_noSegment.m_bValue || !m_selectedSegment) {
        m_pSheet->m_strBSName.Empty();
        return kWizardOnward;
    }
    m_pSheet->m_strBSName = m_selectedSegment->GetName();
    if (!m_pSheet->m_bsLock.Lock(m_pSheet->m_strBSName))
        return kWizardStay;
    return kWizardOnward;
}

// ---------------------------------------------------------------- page 4

VqsSysGSPage::VqsSysGSPage() : VqsGenSetNamePage(IDD, IDC_NAME, IDC_SECOND_NAME, IDC_DESCRIPTION, IDC_NO_GENSET) {}

VqsSysGSPage::~VqsSysGSPage() = default;

BOOL VqsSysGSPage::OnCmdMsg(UINT id, int code, void* extra, AFX_CMDHANDLERINFO* handlerInfo)
{
    const BOOL handled = VqsGenSetNamePage::OnCmdMsg(id, code, extra, handlerInfo);
    if (!handlerInfo && !extra && id == IDC_DESCRIPTION && code == EN_KILLFOCUS) {
        OnDescriptionLeft();
        return TRUE;
    }
    return handled;
}

BOOL VqsSysGSPage::OnSetActive()
{
    if (!VqsWizardPage::OnSetActive() || !m_pSheet)
        return FALSE;
    ShowShiftMarked(m_pSheet->UsesShiftMarkers(), m_description, kDescriptionLength, m_description.GetControlText());
    UpdateData(TRUE);
    ReleasePackLocks(m_pSheet->m_packBag);
    m_pSheet->m_enterpriseBag.Release();
    ShowGenSetChoice();
    return TRUE;
}

void VqsSysGSPage::OnDescriptionLeft()
{
    if (!m_pSheet)
        return;
    TakeShiftMarked(m_pSheet->UsesShiftMarkers(), m_description, kDescriptionLength);
    m_secondName.SetValue(m_secondName.GetControlText());
    m_name.SetValue(m_name.GetControlText());
    UpdateData(FALSE);
}

LRESULT VqsSysGSPage::OnWizardNext()
{
    VqsDialogCtrlConnector::StrictControl strict = m_connector.MakeStrict();
    if (!m_pSheet)
        return kWizardStay;
    if (StripShiftMarks(m_pSheet->UsesShiftMarkers(), m_description, m_description.GetValue())) {
        m_name.SetValue(m_name.GetControlText());
        m_secondName.SetValue(m_secondName.GetControlText());
        UpdateData(FALSE);
    }
    if (!UpdateData(TRUE) || !CheckNames())
        return kWizardStay;
    // A refused long-read lock keeps the user here: going on would keep the conflicts of an
    // earlier analysis.
    const VqsCreatingWizard::LockStep step(CreatingWizard(), VqsLongReadLock);
    if (!LockBagObjects(m_pSheet->m_enterpriseBag, VqsLongReadLock))
        return kWizardStay;
    if (!AnalysePackConflicts()) {
        m_pSheet->m_enterpriseBag.Release();
        return kWizardStay;
    }
    return kWizardOnward;
}

BOOL VqsSysGSPage::OnWizardFinish()
{
    {
        VqsDialogCtrlConnector::StrictControl strict = m_connector.MakeStrict();
        if (!m_pSheet || !UpdateData(TRUE) || !CheckNames())
            return FALSE;
    }
    return LockAndFinish(m_pSheet->m_enterpriseBag);
}

// Every pack of the enterprise is long-read-locked into the sheet's pack bag, so that the
// conflicts found hold until the creator has made the generate set.
int VqsSysGSPage::AnalysePackConflicts()
{
    if (m_bPackLocksHeld)
        return 1;
    m_pSheet->m_packBag.UnlockAll();
    VqsLockScope scope(SessionLink());
    m_pSheet->m_bNTPackConflict = 0;
    m_pSheet->m_bUnixPackConflict = 0;
    m_pSheet->m_ntPacks.Clear();
    m_pSheet->m_unixPacks.Clear();
    if (m_pSheet->m_bsPage.m_noSegment.m_bValue || !m_pSheet->m_bsPage.m_selectedSegment)
        return 1;
    VqsLockBag packs(VqsLongReadLock);
    try {
        CObList nodes;
        if (!LockPacks(m_pSheet->m_pEnterprise, packs, nodes))
            return 0;
        FindPackClashes(*m_pSheet, nodes, m_pSheet->m_bsPage.m_selectedSegment->GetName(), m_pSheet->m_bNTPackConflict,
                        m_pSheet->m_bUnixPackConflict);
    } catch (const VqException& error) {
        ShowErrorById(IDS_CANNOT_ACCESS_REPOSITORY, error);
        return 0;
    }
    m_pSheet->m_packBag = packs;
    m_bPackLocksHeld = 1;
    return 1;
}
