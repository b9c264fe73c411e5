#include "model/VqsSyncDlgs.h"

#include "model/VqsModelNodeLink.h"

#include "win/CDataExchange.h"
#include "win/ListView.h"

BEGIN_TEMPLATE_MESSAGE_MAP(VqsSyncDeleteDlg, Traits, VqsDialog)
    ON_NOTIFY(LVN_ITEMCHANGED, Traits::kList, &ThisClass::OnItemChangedList)
    ON_BN_CLICKED(Traits::kInvert, &ThisClass::OnInvertSelection)
    ON_BN_CLICKED(Traits::kSelectAll, &ThisClass::OnSelectAll)
    ON_BN_CLICKED(IDKEEPALL, &ThisClass::OnKeepAllOptions)
END_MESSAGE_MAP()

template <class Traits>
void VqsSyncDeleteDlg<Traits>::DoDataExchange(CDataExchange* pDX)
{
    VqsDialog::DoDataExchange(pDX);
    DDX_Control(pDX, Traits::kList, m_list);
    DDX_Text(pDX, Traits::kCount, m_nCount);
}

template <class Traits>
BOOL VqsSyncDeleteDlg<Traits>::OnInitDialog()
{
    VqsDialog::OnInitDialog();
    if (!m_list.Init() || !m_pOffered || !m_list.SetObjects(*m_pOffered)) {
        EndDialog(IDCANCEL);
        return TRUE;
    }
    return TRUE;
}

template <class Traits>
void VqsSyncDeleteDlg<Traits>::OnOK()
{
    m_selected.RemoveAll();
    m_list.GetSelectedObjects(m_selected);
    EndDialog(IDOK);
}

template <class Traits>
void VqsSyncDeleteDlg<Traits>::OnItemChangedList(NMHDR* header, LRESULT* result)
{
    *result = 0;
    const auto* change = reinterpret_cast<const NMLISTVIEW*>(header);
    if (change->iItem == -1 || change->iSubItem != 0 || !(change->uChanged & LVIF_STATE))
        return;
    Recount();
}

template <class Traits>
void VqsSyncDeleteDlg<Traits>::OnInvertSelection()
{
    for (int row = 0, rows = m_list.GetItemCount(); row < rows; ++row) {
        const UINT selected = m_list.GetItemState(row, LVIS_SELECTED) & LVIS_SELECTED;
        m_list.SetItemState(row, selected ? 0 : LVIS_SELECTED, LVIS_SELECTED);
    }
    Recount();
}

template <class Traits>
void VqsSyncDeleteDlg<Traits>::OnSelectAll()
{
    for (int row = 0, rows = m_list.GetItemCount(); row < rows; ++row)
        m_list.SetItemState(row, LVIS_SELECTED, LVIS_SELECTED);
    Recount();
}

template <class Traits>
void VqsSyncDeleteDlg<Traits>::OnKeepAllOptions()
{
    EndDialog(IDKEEPALL);
}

template <class Traits>
void VqsSyncDeleteDlg<Traits>::Recount()
{
    const int rows = m_list.GetItemCount();
    m_nCount = static_cast<int>(m_list.GetSelectedCount());
    if (CWnd* selectAll = GetDlgItem(Traits::kSelectAll))
        selectAll->EnableWindow(m_nCount < rows);
    if (CWnd* deleteSelection = GetDlgItem(IDOK))
        deleteSelection->EnableWindow(m_nCount > 0);
    ShowCount();
}

template <class Traits>
void VqsSyncDeleteDlg<Traits>::ShowCount()
{
    CString text;
    text.Format("%d", m_nCount);
    SetDlgItemText(Traits::kCount, text);
}

template class VqsSyncDeleteDlg<VqsSyncDelBSTraits>;
template class VqsSyncDeleteDlg<VqsSyncElementsTraits>;

bool VqsAskElementLinksToDelete(VqsModelNodeBSLink* segmentNode, const std::vector<VqsModelNodeElementLink*>& offered,
                                std::vector<VqsModelNodeElementLink*>& chosen)
{
    PxTypedList<PxVQElementSoftLinkPtr> links;
    for (VqsModelNodeElementLink* node : offered)
        links.AddTail(node->GetElementSoftLink());
    VqsSyncElementsDlg dialog(nullptr, PxVQObjectPtr(segmentNode->GetBSSoftLink()), &links);
    const INT_PTR answer = dialog.DoModal();
    if (answer != IDOK && answer != IDKEEPALL)
        return false;
    const CList<PxVQElementSoftLinkPtr, const PxVQElementSoftLinkPtr&>& selected = dialog.GetSelected();
    for (VqsModelNodeElementLink* node : offered) {
        for (POSITION pos = selected.GetHeadPosition(); pos;) {
            if (selected.GetNext(pos)->IsSameOid(node->GetElementSoftLink())) {
                chosen.push_back(node);
                break;
            }
        }
    }
    return true;
}
