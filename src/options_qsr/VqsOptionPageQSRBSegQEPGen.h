// The "Configure/QEP Gen" page of a QSR business segment: how the system is configured on
// its host (remote-database and QEP generate sets, model base generate set, target host,
// language, host user code and packs, what becomes of an existing database) and the user
// codes, packs and family of QEP generation. Its "RDB Generate Set" governs the Remote DB page.
#pragma once

#include "options/VqsTableOptionPage.h"
#include "options_qsr/VqsIndexedOptionRows.h"

class VqsOptions_BSeg_QSR_Sheet;

class VqsOptionPageQSRBSegQEPGen : public VqsTableOptionPage {
public:
    VqsOptionPageQSRBSegQEPGen(VqsOptions_BSeg_QSR_Sheet* sheet, UINT dialogId, int pageIndex);

    void LoadOptions() override;
    void StoreOptions() override;
    BOOL IsNotUpdated() override;
    void ClearOptions() override;

    // "RDB Generate Set" as shown while the page has a window, else as stored.
    int GetCurrentConfigRDBGenSet() const;

protected:
    void AdjustLoadedValues() override;
    void OnOptionTaken(UINT id) override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

private:
    CStringArray LanguageNames() const;

    VqsOptions_BSeg_QSR_Sheet* m_pQSRSheet;
    VqsOptCtrlFlag& m_rdbGenerateSet;
    VqsOptCtrlCombo& m_language;
    VqsOptCtrlCombo& m_configureWorkPack;
    VqsOptCtrlCombo& m_dictionaryPack;
    VqsOptCtrlCombo& m_generateWorkPack;
    VqsIndexedOptionRows m_rows;
    // Not in the table: the last button stands for no own value.
    VqsOptCtrlRadio m_existingDatabase;
    // The stored value could not be read: it is never cleared unless the user picks a button.
    BOOL m_bExistingDatabaseUnread = FALSE;
};
