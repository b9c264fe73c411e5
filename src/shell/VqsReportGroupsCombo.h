// The report-group box of the generate-report dialog: " All Reports" first (item data 0),
// then the report groups of one business-segment link under their names. The box holds the
// groups it lists.
#pragma once

#include "proxy/PxTypedList.h"
#include "proxy/PxVQBSSoftLink.h"
#include "proxy/PxVQReportGroup.h"
#include "win/CComboBox.h"
#include "win/CString.h"

class VqsReportGroupsCombo : public CComboBox {
public:
    VqsReportGroupsCombo();
    ~VqsReportGroupsCombo() override;

    void Fill(const PxVQBSSoftLinkPtr& bs);
    // Null for the label entry or no selection.
    PxVQReportGroupPtr GetSelectedGroup() const;
    // A null group selects the label entry; a group not listed leaves the selection alone.
    void SelectGroup(const PxVQReportGroupPtr& group);

protected:
    DECLARE_MESSAGE_MAP()

    PxTypedList<PxVQReportGroupPtr> m_groups;
    CString m_strLabel;
};
