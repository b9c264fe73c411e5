// The "Wrenfield Test" page of a Tarsk business segment: the host server of the test tool
// (host database access and its port, remote CALL statements with their security
// environment and data translation, site-defined authentication) and the code set data is
// translated with. A business segment with Japanese support keeps its code set.
#pragma once

#include "options/VqsTableOptionPage.h"

#include <optional>

class VqsOptions_BSeg_Tarsk_Sheet;

class VqsOptionPageTarskBSegWrenfieldTest : public VqsTableOptionPage {
public:
    VqsOptionPageTarskBSegWrenfieldTest(VqsOptions_BSeg_Tarsk_Sheet* sheet, UINT dialogId, int pageIndex);

    BOOL OnInitDialog() override;
    void StoreOptions() override;
    BOOL IsNotUpdated() override;
    void ClearOptions() override;

protected:
    void AdjustLoadedValues() override;
    void EnableDependentControls() override;
    void OnOptionTaken(UINT id) override;
    void OnCodeSetChanged() { OnOptionChanged(&m_codeSet, TRUE); }
    void OnCodeSetDefaultChanged();
    DECLARE_MESSAGE_MAP()

private:
    BOOL HasJapaneseSupport() const;
    void LoadCodeSets();
    // The number of the code set named as the combo shows it; 0 for "NONE" or a name the
    // library does not know; none when the library fails, so that the stored number stays.
    std::optional<int> ShownCodeSetNumber() const;

    VqsOptions_BSeg_Tarsk_Sheet* m_pTarskSheet;
    BOOL m_bJapaneseSupport;
    VqsOptCtrlFlag& m_enableHdba;
    VqsOptCtrlFlag& m_enableRemoteCall;
    VqsOptCtrlFlag& m_dataTranslation;
    VqsOptCtrlString& m_securityEnvironment;
    VqsOptCtrlFlag& m_useDefaultSecurity;
    VqsOptCtrlInt& m_portNumber;
    VqsOptCtrlFlag& m_useDefaultPort;
    // Not in the table: the option is a number, the combo shows the code set's name, and
    // setting the box shows "NONE" without reading the default.
    VqsOptCtrlCombo m_codeSet;
    VqsOptCtrlFlag m_useDefaultCodeSet;
};
