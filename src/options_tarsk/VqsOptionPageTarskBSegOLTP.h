// The "OLTP" page of a Tarsk business segment: the on-line transaction settings of the
// generated system beside the platform-neutral ones. The configuration load and the ICP
// copies of a client-only system need the segment's two-phase commit.
#pragma once

#include "options/VqsOptionPagesBSeg.h"

#include <vector>

class VqsOptions_BSeg_Tarsk_Sheet;

class VqsOptionPageTarskBSegOLTP : public VqsOptionPageBSegOLTP {
public:
    VqsOptionPageTarskBSegOLTP(VqsOptions_BSeg_Tarsk_Sheet* sheet, UINT dialogId, int pageIndex);

    BOOL OnInitDialog() override;
    void StoreOptions() override;
    BOOL IsNotUpdated() override;
    void ClearOptions() override;

protected:
    void AdjustLoadedValues() override;
    void EnableDependentControls() override;
    void OnOptionTaken(UINT id) override;
    void OnRecoverMessagesChanged() { OnOptionChanged(&m_recoverMessages, TRUE); }
    DECLARE_MESSAGE_MAP()

private:
    // A segment the design repository does not know counts as two-phase commit, so that
    // nothing stored is cleared for want of it.
    BOOL ReadTwoPhaseCommit() const;
    // The configuration load and the ICP copies apply to a client and server, or to a
    // client only with two-phase commit.
    BOOL ConfigurationApplies() const;

    VqsOptions_BSeg_Tarsk_Sheet* m_pTarskSheet;
    BOOL m_bTwoPhaseCommit = FALSE;
    VqsOptCtrlString& m_transactionId;
    VqsOptCtrlFlag& m_useDefaultId;
    VqsOptCtrlInt& m_icpCopies;
    // Not in the table: a stored value outside the buttons leaves the choice as it was.
    VqsOptCtrlRadio m_recoverMessages;
    // The controls that apply exactly while OLTP is enabled.
    std::vector<VqsOptCtrl*> m_oltpControls;
};
