#include "config/VqsNewGenSetPages.h"

#include "config/VqsConfigNames.h"
#include "config/VqsNewGenSetSheet.h"
#include "config/VqsPackOverridePage.h"
#include "model/VqsLockScope.h"
#include "model/VqsModel.h"
#include "model/VqsModelNodeEnterprise.h"
#include "model/VqsModelNodeHost.h"
#include "model/VqsModelNodeLink.h"
#include "model/VqsModelNodeOSet.h"
#include "model/VqsModelNodeSystem.h"
#include "proxy/PxTypedList.h"
#include "proxy/VqException.h"
#include "shell/VqsDisplayNames.h"
#include "shell/VqsMsgBox.h"
#include "shell/VqsSysApp.h"
#include "win/CDataExchange.h"
#include "win/CPropertySheet.h"
#include "win/ListView.h"
#include "win/MbString.h"

namespace {

constexpr UINT IDS_NAME_NOT_UNIQUE = 61464;
constexpr UINT IDS_BUSINESS_SEGMENT = 61473;
constexpr UINT IDS_TYPE = 61532;
constexpr UINT IDS_PATH = 61533;
constexpr UINT IDS_TABLESPACE = 61534;
constexpr UINT IDS_NOT_AVAILABLE = 61554;
constexpr UINT IDS_CANNOT_ACCESS_OPTION_SETS = 61642;
constexpr UINT IDS_CANNOT_ACCESS_ENTRIES = 61720;
constexpr UINT IDS_ITEM_DELETED = 61746;
constexpr UINT IDS_CONTENTS_CHANGED = 61757;
constexpr UINT IDS_REPLACE_WITH = 61786;
constexpr UINT IDS_PACK_IS_TABLESPACE = 61787;
constexpr UINT IDS_PACK_IS_PATH = 61788;
constexpr UINT IDS_CURRENT_PACK = 61871;
constexpr int kValidatorEmpty = 0;
constexpr int kValidatorASCIIUppercase = 3;
constexpr int kReservedWordOrNil = 4;
constexpr int kListPackNameLimit = 17;
constexpr int kDescriptionLength = 30;

PxVQLink* Link()
{
    VqsSysApp* app = VqsGetApp();
    return app ? app->GetLink() : nullptr;
}

CString LoadText(UINT id)
{
    CString text;
    text.LoadString(id);
    return text;
}

template <class Visit>
void ForEachNode(const CObList& nodes, Visit visit)
{
    for (POSITION pos = nodes.GetHeadPosition(); pos;)
        visit(nodes.GetNext(pos));
}

} // namespace

// ---------------------------------------------------------------- the list of clashing packs

VqsListCtrlPackBSLink::VqsListCtrlPackBSLink() = default;

VqsListCtrlPackBSLink::~VqsListCtrlPackBSLink() { DeleteRows(); }

void VqsListCtrlPackBSLink::DeleteRows()
{
    while (!m_rows.IsEmpty())
        delete m_rows.RemoveHead();
}

void VqsListCtrlPackBSLink::InitColumns()
{
    ModifyStyle(0, LVS_REPORT | LVS_SHOWSELALWAYS | LVS_NOSORTHEADER);
    if (VqsSysApp* app = VqsGetApp())
        SetImageList(app->CopyImageList(&m_imageList), LVSIL_SMALL);
    CRect client;
    GetClientRect(&client);
    const int width = client.Width();
    const int first = width / 4;
    const int second = (width - first) / 3;
    const int third = (width - first - second) / 2;
    InsertColumn(0, LoadText(IDS_BUSINESS_SEGMENT), LVCFMT_LEFT, first);
    InsertColumn(1, LoadText(IDS_TYPE), LVCFMT_LEFT, second);
    InsertColumn(2, LoadText(IDS_CURRENT_PACK), LVCFMT_LEFT, third);
    InsertColumn(3, LoadText(IDS_REPLACE_WITH), LVCFMT_LEFT, width - first - second - third);
}

int VqsListCtrlPackBSLink::Fill(const VqsBSPackReplacementList& records)
{
    DeleteAllItems();
    DeleteRows();
    try {
        for (POSITION pos = records.GetHeadPosition(); pos;) {
            const VqsBSPackReplacement& record = records.GetNext(pos);
            const CString text = VqsShownName(record.bsSoftLink);
            auto* row = new VqsBSPackReplacement(record);
            m_rows.AddTail(row);
            VqsImageRef image;
            image.nBase = record.origin == 0 ? 1 : 0;
            image.nVariant = record.bsSoftLink->IsObsolete() ? 2 : 0;
            const int item = InsertItem(GetItemCount(), text, VqsComputeImageIndex(image));
            SetItemData(item, reinterpret_cast<DWORD_PTR>(row));
            SetItemText(item, 1, LoadText(record.packKind == VQPackTablespace ? IDS_TABLESPACE : IDS_PATH));
            SetItemText(item, 2, record.packName);
            SetItemText(item, 3, record.newPackName);
        }
    } catch (const VqReportableException& error) {
        ShowErrorById(IDS_CANNOT_ACCESS_ENTRIES, error);
        return 0;
    }
    return 1;
}

void VqsListCtrlPackBSLink::SelectRow(const VqsBSPackReplacement& record)
{
    for (int item = 0, count = GetItemCount(); item < count; ++item) {
        const auto* row = reinterpret_cast<const VqsBSPackReplacement*>(GetItemData(item));
        SetItemState(item, row && row->Matches(record) ? LVIS_SELECTED : 0, LVIS_SELECTED);
    }
}

VqsBSPackReplacement* VqsListCtrlPackBSLink::GetSelectedRow() const
{
    for (int item = 0, count = GetItemCount(); item < count; ++item) {
        if (GetItemState(item, LVIS_SELECTED) & LVIS_SELECTED)
            return reinterpret_cast<VqsBSPackReplacement*>(GetItemData(item));
    }
    return nullptr;
}

VqsBSPackReplacement* VqsListCtrlPackBSLink::FindRow(const VqsBSPackReplacement& record) const
{
    for (POSITION pos = m_rows.GetHeadPosition(); pos;) {
        VqsBSPackReplacement* row = m_rows.GetNext(pos);
        if (row->Matches(record))
            return row;
    }
    return nullptr;
}

CString VqsListCtrlPackBSLink::GetReplacement(const VqsBSPackReplacement& record) const
{
    const VqsBSPackReplacement* row = FindRow(record);
    return row ? row->newPackName : CString();
}

void VqsListCtrlPackBSLink::SetReplacement(const VqsBSPackReplacement& record, const char* text)
{
    VqsBSPackReplacement* row = FindRow(record);
    if (!row)
        return;
    row->newPackName = text;
    for (int item = 0, count = GetItemCount(); item < count; ++item) {
        if (reinterpret_cast<VqsBSPackReplacement*>(GetItemData(item)) == row)
            SetItemText(item, 3, text);
    }
}

// ---------------------------------------------------------------- page 1

VqsGenSetOptPage::VqsGenSetOptPage()
    : VqsWizardPage(IDD, 0),
      m_name(&m_connector, IDC_NAME, m_bLongNames ? kVqsLongNameLength : kVqsGenSetNameLength,
             m_bLongNames ? kValidatorEmpty : kValidatorASCIIUppercase),
      m_shortName(&m_connector, IDC_SHORT_NAME, kVqsGenSetNameLength, kValidatorASCIIUppercase),
      m_description(&m_connector, IDC_DESCRIPTION, kDescriptionLength, kValidatorEmpty)
{
}

VqsGenSetOptPage::~VqsGenSetOptPage() = default;

void VqsGenSetOptPage::DoDataExchange(CDataExchange* pDX)
{
    VqsWizardPage::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_SOURCE, m_sourceCombo);
}

BOOL VqsGenSetOptPage::OnCmdMsg(UINT id, int code, void* extra, AFX_CMDHANDLERINFO* handlerInfo)
{
    const BOOL handled = VqsWizardPage::OnCmdMsg(id, code, extra, handlerInfo);
    if (handlerInfo || extra)
        return handled;
    if (id == IDC_DESCRIPTION && code == EN_KILLFOCUS) {
        OnDescriptionLeft();
        return TRUE;
    }
    if (id != IDC_SOURCE)
        return handled;
    if (IsComboEdit(code)) {
        OnSourceChanged();
        return TRUE;
    }
    return handled;
}

BOOL VqsGenSetOptPage::OnInitDialog()
{
    VqsWizardPage::OnInitDialog();
    if (!m_bLongNames)
        m_shortName.Show(FALSE);
    FillSourceCombo();
    if (m_pSheet && m_pSheet->m_pCreatorBag)
        m_pSheet->m_pCreatorBag->Release();
    return TRUE;
}

int VqsGenSetOptPage::FillSourceCombo()
{
    try {
        VqsModelNodeCurConfig* config = m_pSheet->m_pConfig;
        config->Refresh();
        config->LoadOptionSets(VqsLoadReread);
        CObList nodes;
        config->GetGenSetNodes(nodes);
        PxTypedList<PxVQGenSetPtr> genSets;
        ForEachNode(nodes, [&](CObject* node) {
            const PxVQGenSetPtr genSet = static_cast<VqsModelNodeGenSet*>(node)->GetGenSet();
            if (genSet && genSet->ObjectPresent())
                genSets.AddTail(genSet);
        });
        if (m_sourceCombo.Fill(genSets, m_source))
            return 1;
    } catch (const VqReportableException& error) {
        ShowErrorById(IDS_CANNOT_ACCESS_OPTION_SETS, error);
    }
    m_pSheet->CancelSheet();
    return 0;
}

void VqsGenSetOptPage::GiveBackLocks()
{
    m_pSheet->m_enterpriseBag.Release();
    m_pSheet->m_configBag.Release();
    if (m_source) {
        m_pSheet->m_sourceBag.Release();
        m_pSheet->m_sourceBag.UnlockAll();
    }
    m_pSheet->m_packBag.Release();
    m_pSheet->m_packBag.UnlockAll();
    m_bLocksHeld = 0;
}

BOOL VqsGenSetOptPage::OnSetActive()
{
    if (!VqsWizardPage::OnSetActive() || !m_pSheet)
        return FALSE;
    ShowShiftMarked(m_pSheet->UsesShiftMarkers(), m_description, kDescriptionLength, m_description.GetValue());
    PostWizardButtons(PSWIZB_NEXT);
    if (m_bLocksHeld)
        GiveBackLocks();
    return TRUE;
}

void VqsGenSetOptPage::OnDescriptionLeft()
{
    if (!m_pSheet)
        return;
    TakeShiftMarked(m_pSheet->UsesShiftMarkers(), m_description, kDescriptionLength);
    m_shortName.SetValue(m_shortName.GetControlText());
    m_name.SetValue(m_name.GetControlText());
    UpdateData(FALSE);
}

// Only the source's host type is needed here; the check runs under passing read locks.
void VqsGenSetOptPage::OnSourceChanged()
{
    m_source = m_sourceCombo.GetSelected();
    if (!m_source) {
        PostWizardButtons(PSWIZB_NEXT);
        return;
    }
    VqsModelNodeGenSet* node = m_pSheet->m_pConfig->FindGenSetNode(m_source);
    if (!node) {
        m_pSheet->CancelSheet();
        return;
    }
    try {
        VqsLockScope scope(Link());
        VqsLockBag check(VqsReadLock);
        if (!LockForPage([&] {
                return check.LockNode(m_pSheet->GetEnterpriseNode()) && check.LockNode(m_pSheet->m_pConfig) &&
                       check.LockNode(node);
            })) {
            m_pSheet->CancelSheet();
            return;
        }
        if (check.ReportDeleted(IDS_ITEM_DELETED, m_pSheet->m_pConfig)) {
            m_pSheet->CancelSheet();
            return;
        }
        if (check.ReportDeleted(IDS_ITEM_DELETED, node)) {
            m_source = PxVQGenSetPtr();
            FillSourceCombo();
            return;
        }
        m_nSourceHostType = m_source->GetHostType();
    } catch (const VqReportableException& error) {
        ShowErrorById(IDS_CANNOT_ACCESS_OPTION_SETS, error);
        m_pSheet->CancelSheet();
    }
}

int VqsGenSetOptPage::CheckNameUnique()
{
    const int field = FindFieldNamedAlike();
    if (field > 0)
        RefuseAt(IDS_NAME_NOT_UNIQUE, field);
    return field == 0 ? 1 : 0;
}

int VqsGenSetOptPage::FindFieldNamedAlike()
{
    bool nameUsed = false;
    bool shortNameUsed = false;
    if (!m_pSheet->m_pConfig->IsOptionSetNameUsed(m_name.GetValue(), nameUsed, m_shortName.GetValue(),
                                                  shortNameUsed, nullptr))
        return -1;
    if (!nameUsed && !shortNameUsed)
        return 0;
    return nameUsed ? IDC_NAME : IDC_SHORT_NAME;
}

VqsNameTaken VqsGenSetOptPage::FindNameTaken()
{
    m_pSheet->m_pConfig->LoadOptionSets(VqsLoadReread);
    const int field = FindFieldNamedAlike();
    if (field < 0)
        return [] {};
    if (field == 0)
        return {};
    return [this, field] { RefuseFinishAt(IDS_NAME_NOT_UNIQUE, field); };
}

LRESULT VqsGenSetOptPage::OnWizardNext()
{
    if (!m_pSheet)
        return kWizardStay;
    VqsDialogCtrlConnector::StrictControl strict = m_connector.MakeStrict();
    if (StripShiftMarks(m_pSheet->UsesShiftMarkers(), m_description, m_description.GetControlText())) {
        m_name.SetValue(m_name.GetControlText());
        m_shortName.SetValue(m_shortName.GetControlText());
        UpdateData(FALSE);
    }
    if (!UpdateData(TRUE))
        return kWizardStay;
    m_name.SetValue(VqsTakenName(m_name.GetValue()));
    CString shortName = VqsTakenName(m_bLongNames ? m_shortName.GetValue() : m_name.GetValue());
    if (shortName.IsEmpty())
        shortName = VqsDeriveShortName(m_name.GetValue(), kVqsGenSetNameLength);
    m_shortName.SetValue(shortName);
    UpdateData(FALSE);
    if (const UINT refusal = VqsCheckTakenName(m_name.GetValue())) {
        RefuseAt(refusal, IDC_NAME);
        return kWizardStay;
    }
    m_source = m_sourceCombo.GetSelected();
    const VqsCreatingWizard::LockStep step(CreatingWizard(), VqsLongReadLock);
    if (!LockAndAnalyse())
        return kWizardStay;
    if (!CheckNameUnique()) {
        GiveBackLocks();
        return kWizardStay;
    }
    return kWizardOnward;
}

int VqsGenSetOptPage::LockAndAnalyse()
{
    VqsLockScope scope(Link());
    VqsNewGenSetSheet& sheet = *m_pSheet;
    if (!LockBagObjects(sheet.m_enterpriseBag, VqsLongReadLock))
        return 0;
    if (!LockBagObjects(sheet.m_configBag, VqsFutureUpdateLock)) {
        sheet.m_enterpriseBag.Release();
        return 0;
    }
    auto giveBack = [&] {
        sheet.m_sourceBag.Release();
        sheet.m_sourceBag.UnlockAll();
        sheet.m_enterpriseBag.Release();
        sheet.m_configBag.Release();
    };
    if (sheet.m_configBag.ReportDeleted(IDS_ITEM_DELETED, sheet.m_pConfig)) {
        sheet.CancelSheet();
        giveBack();
        return 0;
    }
    if (m_source) {
        VqsModelNodeGenSet* node = sheet.m_pConfig->FindGenSetNode(m_source);
        if (!node) {
            giveBack();
            return 0;
        }
        sheet.m_sourceBag.LockNode(node);
        if (!LockBagObjects(sheet.m_sourceBag, VqsLongReadLock)) {
            giveBack();
            return 0;
        }
        if (sheet.m_sourceBag.ReportDeleted(IDS_ITEM_DELETED, node)) {
            m_source = PxVQGenSetPtr();
            FillSourceCombo();
            giveBack();
            return 0;
        }
    }
    if (!CollectPackConflicts()) {
        giveBack();
        return 0;
    }
    m_bLocksHeld = 1;
    return 1;
}

int VqsGenSetOptPage::CollectPackConflicts()
{
    VqsNewGenSetSheet& sheet = *m_pSheet;
    sheet.m_packBag.UnlockAll();
    sheet.m_ntReplacements.RemoveAll();
    sheet.m_unixReplacements.RemoveAll();
    VqsLockScope scope(Link());
    VqsLockBag local(VqsLongReadLock);
    try {
        CObList packs;
        if (!LockPacks(sheet.GetEnterpriseNode(), local, packs))
            return 0;
        sheet.m_pConfig->Refresh();
        sheet.m_pConfig->LoadBSLinks(VqsLoadDropVanished);
        CObList links;
        sheet.m_pConfig->GetBSLinkNodes(links);
        for (POSITION pos = links.GetHeadPosition(); pos;) {
            auto* link = static_cast<VqsModelNodeBSLink*>(links.GetNext(pos));
            if (!LockForPage([&] { return local.LockNode(link); }))
                return 0;
            link->Refresh();
            for (int hostType : {VQHostNT, VQHostUnix}) {
                VqsBSPackReplacementList records;
                link->CollectBSegPackReplacements(hostType, m_source, records);
                for (POSITION at = records.GetHeadPosition(); at;) {
                    const VqsBSPackReplacement& record = records.GetNext(at);
                    const int otherKind = record.packKind == VQPackTablespace ? VQPackPath : VQPackTablespace;
                    BOOL clashes = FALSE;
                    ForEachNode(packs, [&](CObject* node) {
                        const auto* pack = static_cast<const VqsModelNodePack*>(node);
                        clashes = clashes || (pack->GetPackType() == otherKind &&
                                              _mbsicmp(pack->GetName().GetString(), record.packName.GetString()) == 0);
                    });
                    if (!record.packName.IsEmpty() && clashes)
                        sheet.GetReplacementList(hostType)->AddTail(record);
                }
            }
        }
    } catch (const VqReportableException& error) {
        ShowErrorById(IDS_CANNOT_ACCESS_ENTRIES, error);
        return 0;
    }
    sheet.m_packBag = local;
    return 1;
}

// ---------------------------------------------------------------- page 2

namespace {

const VqsTargetHostPageTraits kGenSetTypePageTraits = {
    VqsGenSetTypePage::IDD,     VqsGenSetTypePage::IDC_WINDOWS, VqsGenSetTypePage::IDC_UNIX,
    VqsGenSetTypePage::IDC_QSR, VqsGenSetTypePage::IDC_TARSK,   VqsGenSetTypePage::IDC_HOST,
    VqsGenSetHostPage::IDD,     FALSE};

} // namespace

VqsGenSetTypePage::VqsGenSetTypePage() : VqsTargetHostPage(kGenSetTypePageTraits) {}

BOOL VqsGenSetTypePage::OnInitDialog()
{
    if (m_pSheet && m_pSheet->m_optPage.m_source)
        m_nHostType = m_pSheet->m_optPage.m_nSourceHostType;
    VqsTargetHostPage::OnInitDialog();
    ShowWarning();
    return TRUE;
}

BOOL VqsGenSetTypePage::OnSetActive()
{
    if (!VqsTargetHostPage::OnSetActive())
        return FALSE;
    ShowWarning();
    return TRUE;
}

BOOL VqsGenSetTypePage::OnCmdMsg(UINT id, int code, void* extra, AFX_CMDHANDLERINFO* handlerInfo)
{
    const BOOL handled = VqsTargetHostPage::OnCmdMsg(id, code, extra, handlerInfo);
    if (!handlerInfo && !extra && handled &&
        (id == IDC_WINDOWS || id == IDC_UNIX || id == IDC_QSR || id == IDC_TARSK || id == IDC_HOST))
        ShowWarning();
    return handled;
}

void VqsGenSetTypePage::ShowWarning()
{
    const BOOL show = m_pSheet && m_pSheet->m_optPage.m_source && m_pSheet->m_optPage.m_nSourceHostType != m_nHostType;
    for (int id : {IDC_WARNING_ICON, IDC_WARNING}) {
        if (CWnd* control = GetDlgItem(id))
            control->ShowWindow(show ? SW_SHOW : SW_HIDE);
    }
}

BOOL VqsGenSetTypePage::Recheck(DWORD pressed)
{
    if (!CheckSegmentTargetHost())
        return FALSE;
    {
        VqsDialogCtrlConnector::StrictControl strict = m_connector.MakeStrict();
        if (!UpdateData(TRUE))
            return FALSE;
    }
    FillHostCombo();
    if (!(GetWizardButtons(m_nHostType) & pressed)) {
        VqsMessageBoxId(IDS_CONTENTS_CHANGED);
        return FALSE;
    }
    return TRUE;
}

LRESULT VqsGenSetTypePage::OnWizardNext()
{
    if (!m_pSheet || !Recheck(PSWIZB_NEXT))
        return kWizardStay;
    if (m_pSheet->IsPackOverrideNeeded(m_nHostType))
        return kWizardOnward;
    return static_cast<LRESULT>(VqsGenSetHostPage::IDD);
}

BOOL VqsGenSetTypePage::OnWizardFinish()
{
    if (!m_pSheet || !Recheck(PSWIZB_FINISH))
        return FALSE;
    return LockAndFinish(m_pSheet->m_configBag);
}

// ---------------------------------------------------------------- page 3

VqsGenSetPackPage::VqsGenSetPackPage()
    : VqsWizardPage(IDD, 0), m_replacement(&m_connector, IDC_REPLACEMENT, kReservedWordOrNil)
{
    m_replacement.SetTextLimit(kListPackNameLimit);
}

VqsGenSetPackPage::~VqsGenSetPackPage() = default;

void VqsGenSetPackPage::DoDataExchange(CDataExchange* pDX)
{
    VqsWizardPage::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_ROWS, m_rows);
}

BOOL VqsGenSetPackPage::OnCmdMsg(UINT id, int code, void* extra, AFX_CMDHANDLERINFO* handlerInfo)
{
    const BOOL handled = VqsWizardPage::OnCmdMsg(id, code, extra, handlerInfo);
    if (handlerInfo || extra || id != IDC_REPLACEMENT)
        return handled;
    if (IsComboEdit(code)) {
        OnReplacementChanged();
        return TRUE;
    }
    return handled;
}

BOOL VqsGenSetPackPage::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    if (IsSelectionChange(lParam, IDC_ROWS))
        EditRow(m_rows.GetSelectedRow());
    return VqsWizardPage::OnNotify(wParam, lParam, result);
}

BOOL VqsGenSetPackPage::OnInitDialog()
{
    VqsWizardPage::OnInitDialog();
    m_rows.InitColumns();
    return TRUE;
}

VqsBSPackReplacementList& VqsGenSetPackPage::List() const
{
    VqsBSPackReplacementList* list = m_pSheet->GetReplacementList(m_pSheet->GetWizardHostType());
    return list ? *list : m_pSheet->m_unixReplacements;
}

void VqsGenSetPackPage::EditRow(VqsBSPackReplacement* row)
{
    if (!row) {
        if (m_pEditedRow) {
            m_replacement.ShowNotAvailable(IDS_NOT_AVAILABLE);
            m_replacement.Enable(FALSE);
            m_pEditedRow = nullptr;
        }
        return;
    }
    if (m_pEditedRow == row)
        return;
    CStringList names;
    CObList packs;
    m_pSheet->GetEnterpriseNode()->GetPackNodes(packs);
    ForEachNode(packs, [&](CObject* node) {
        const auto* pack = static_cast<const VqsModelNodePack*>(node);
        if (pack->GetPackType() == VQPackNotDefined || pack->GetPackType() == row->packKind)
            names.AddTail(pack->GetName());
    });
    const VqsBSPackReplacementList& list = List();
    for (POSITION pos = list.GetHeadPosition(); pos;) {
        const VqsBSPackReplacement& record = list.GetNext(pos);
        const CString chosen = m_rows.GetReplacement(record);
        if (record.packKind == row->packKind && !chosen.IsEmpty() && !names.Find(chosen))
            names.AddTail(chosen);
    }
    m_replacement.SetItems(names);
    m_replacement.SetValue(row->newPackName);
    m_replacement.Enable(TRUE);
    UpdateData(FALSE);
    m_pEditedRow = row;
}

DWORD VqsGenSetPackPage::GetWizardButtons() const
{
    const VqsBSPackReplacementList& list = List();
    for (POSITION pos = list.GetHeadPosition(); pos;) {
        if (m_rows.GetReplacement(list.GetNext(pos)).IsEmpty())
            return PSWIZB_BACK;
    }
    return m_pSheet->GetHostsOfTypeExist() ? PSWIZB_BACK | PSWIZB_FINISH : PSWIZB_BACK | PSWIZB_NEXT;
}

BOOL VqsGenSetPackPage::OnSetActive()
{
    if (!VqsWizardPage::OnSetActive() || !m_pSheet)
        return FALSE;
    EditRow(nullptr);
    const VqsBSPackReplacementList& list = List();
    if (!m_rows.Fill(list)) {
        m_pSheet->CancelSheet();
        return TRUE;
    }
    if (!list.IsEmpty())
        m_rows.SelectRow(list.GetHead());
    EditRow(m_rows.GetSelectedRow());
    if (m_rows.GetSelectedRow())
        FocusControl(IDC_REPLACEMENT);
    m_nButtons = GetWizardButtons();
    PostWizardButtons(m_nButtons);
    return TRUE;
}

void VqsGenSetPackPage::OnReplacementChanged()
{
    if (!m_pEditedRow || !UpdateData(TRUE))
        return;
    m_rows.SetReplacement(*m_pEditedRow, m_replacement.GetValue());
    PostChangedWizardButtons(GetWizardButtons(), m_nButtons);
}

int VqsGenSetPackPage::StoreReplacements(BOOL validate)
{
    VqsBSPackReplacementList& list = List();
    for (POSITION pos = list.GetHeadPosition(); pos;) {
        VqsBSPackReplacement& record = list.GetNext(pos);
        const CString chosen = m_rows.GetReplacement(record);
        if (validate && chosen.IsEmpty())
            return 0;
        if (validate && !VqsIsPackUsableAs(m_pSheet->GetEnterpriseNode(), record.packKind, chosen)) {
            m_rows.SelectRow(record);
            EditRow(m_rows.FindRow(record));
            FocusControl(IDC_REPLACEMENT);
            CString message;
            AfxFormatString2(message, record.packKind == VQPackTablespace ? IDS_PACK_IS_PATH : IDS_PACK_IS_TABLESPACE,
                             chosen, VqsShownName(record.bsSoftLink));
            VqsErrorBox(message);
            return 0;
        }
        record.newPackName = chosen;
    }
    return 1;
}

LRESULT VqsGenSetPackPage::OnWizardBack()
{
    if (!m_pSheet || !UpdateData(TRUE))
        return kWizardStay;
    StoreReplacements(FALSE);
    return VqsWizardPage::OnWizardBack();
}

LRESULT VqsGenSetPackPage::OnWizardNext()
{
    if (!m_pSheet)
        return kWizardStay;
    VqsDialogCtrlConnector::StrictControl strict = m_connector.MakeStrict();
    return UpdateData(TRUE) && StoreReplacements(TRUE) ? VqsWizardPage::OnWizardNext() : kWizardStay;
}

BOOL VqsGenSetPackPage::OnWizardFinish()
{
    if (!m_pSheet)
        return FALSE;
    VqsDialogCtrlConnector::StrictControl strict = m_connector.MakeStrict();
    if (!UpdateData(TRUE) || !StoreReplacements(TRUE))
        return FALSE;
    return LockAndFinish(m_pSheet->m_configBag);
}
