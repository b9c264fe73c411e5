// The "Copy Audit to Tape Details" page of a QSR business segment: the user's own
// description of how the audit trail is copied to tape, at most 10 lines of 66 characters.
// It is editable while the Environment page's choice is the user-defined one. A business
// segment generated for the QSR host alone with Japanese support shows the text with shift
// marks around each double-byte run, as the host lays it out, and stores it without them.
#pragma once

#include "options/VqsTableOptionPage.h"
#include "options_qsr/VqsIndexedOptionRows.h"

class VqsOptions_BSeg_QSR_Sheet;

class VqsOptionPageQSRBSegAuditDetail : public VqsTableOptionPage {
public:
    VqsOptionPageQSRBSegAuditDetail(VqsOptions_BSeg_QSR_Sheet* sheet, UINT dialogId, int pageIndex);

    void LoadOptions() override;
    void StoreOptions() override;
    BOOL IsNotUpdated() override;
    void ClearOptions() override;

    // The Environment page's choice became, or stopped being, the user-defined one.
    void EnableDetails(BOOL enable);
    virtual BOOL UsesShiftMarkers() const;

protected:
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    void OnDetailsLeft();
    DECLARE_MESSAGE_MAP()

private:
    // The text as the host field shows it, or as stored.
    CString WithShiftMarkers(const CString& text);
    static CString WithoutShiftMarkers(const CString& text);
    BOOL ShowsShiftMarkers(const CString& text);

    VqsOptions_BSeg_QSR_Sheet* m_pQSRSheet;
    VqsIndexedOptionRows m_rows;
    VqsOptCtrlString m_details;
    // The text as last loaded or stored.
    CString m_strWorkingText;
};
