#include "shell/VqsReportGroupsCombo.h"

namespace {

constexpr UINT IDS_ALL_REPORTS = 61912;

} // namespace

BEGIN_MESSAGE_MAP(VqsReportGroupsCombo, CComboBox)
END_MESSAGE_MAP()

VqsReportGroupsCombo::VqsReportGroupsCombo() { m_strLabel.LoadString(IDS_ALL_REPORTS); }

VqsReportGroupsCombo::~VqsReportGroupsCombo() = default;

void VqsReportGroupsCombo::Fill(const PxVQBSSoftLinkPtr& bs)
{
    ResetContent();
    m_groups.RemoveAll();
    const int label = AddString(m_strLabel);
    if (label >= 0)
        SetItemData(label, 0);
    if (bs)
        bs->GetListOfReportGroups(m_groups);
    for (POSITION pos = m_groups.GetHeadPosition(); pos; m_groups.GetNext(pos)) {
        PxVQReportGroupPtr& group = m_groups.GetAt(pos);
        const int index = AddString(group->GetName());
        if (index >= 0)
            SetItemDataPtr(index, &group);
    }
}

PxVQReportGroupPtr VqsReportGroupsCombo::GetSelectedGroup() const
{
    const int selected = GetCurSel();
    if (selected < 0)
        return PxVQReportGroupPtr();
    const auto* group = static_cast<const PxVQReportGroupPtr*>(GetItemDataPtr(selected));
    return group ? *group : PxVQReportGroupPtr();
}

void VqsReportGroupsCombo::SelectGroup(const PxVQReportGroupPtr& group)
{
    const int count = GetCount();
    if (count <= 0)
        return;
    if (!group) {
        const int label = FindStringExact(-1, m_strLabel);
        if (label >= 0)
            SetCurSel(label);
        return;
    }
    for (int index = 0; index < count; ++index) {
        const auto* listed = static_cast<const PxVQReportGroupPtr*>(GetItemDataPtr(index));
        if (listed && (*listed)->IsSameOid(group)) {
            SetCurSel(index);
            return;
        }
    }
}
