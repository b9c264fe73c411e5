// The "Environment" pages of an NT and a Unix business segment. Both log activities, and
// log transactions only while activities are logged. The Unix page adds the delimiters,
// the multiple record maxima and the CCs version support with its collating sequence.
#pragma once

#include "options/VqsOptionPagesBSeg.h"
#include "proxy/PxNTBSegOptions.h"
#include "proxy/PxUnixBSegOptions.h"

// The logging options of a platform's record.
template <class Record>
class VqsOptionPageLoggingBSegEnv : public VqsOptionPageBSegEnv {
public:
    VqsOptionPageLoggingBSegEnv(VqsOptions_BSeg_Sheet* sheet, UINT dialogId, int pageIndex);

protected:
    void AdjustLoadedValues() override;
    void EnableDependentControls() override;
    void OnOptionTaken(UINT id) override;

    VqsOptCtrlFlag& m_logActivities;
    VqsOptCtrlFlag& m_logTransactions;
};

class VqsOptionPageNTBSegEnv : public VqsOptionPageLoggingBSegEnv<PxNTBSegOptions> {
public:
    using VqsOptionPageLoggingBSegEnv::VqsOptionPageLoggingBSegEnv;
};

class VqsOptionPageUnixBSegEnv : public VqsOptionPageLoggingBSegEnv<PxUnixBSegOptions> {
public:
    VqsOptionPageUnixBSegEnv(VqsOptions_BSeg_Sheet* sheet, UINT dialogId, int pageIndex);

    BOOL OnInitDialog() override;
    void StoreOptions() override;
    BOOL IsNotUpdated() override;
    void ClearOptions() override;

protected:
    void AdjustLoadedValues() override;
    void EnableDependentControls() override;
    void OnOptionTaken(UINT id) override;
    void OnCollatingSequenceChanged() { BeginModify(nullptr, TRUE); }
    void OnUseDefaultCollatingClicked();
    DECLARE_MESSAGE_MAP()

private:
    PxUnixBSegOptions& UnixRecord() const;
    // The design business segment supports CCs versions; one that cannot be found counts
    // as supporting them.
    BOOL HasCcsVersionSupport() const;
    void EnableCcsControls();

    BOOL m_bCcsVersionSupport = TRUE;
    VqsOptCtrlInt& m_maxInIspecs;
    VqsOptCtrlInt& m_maxInReports;
    VqsOptCtrlFlag& m_ignoreNationalItems;
    // Not in the table: stored without its leading blanks, and as the default when it is
    // empty or the default's text.
    VqsOptCtrlString m_collatingSequence;
    VqsOptCtrlFlag m_useDefaultCollating;
};
