// The "Pack Allocation" page of a Tarsk business segment: the default, object, database and
// work packs, each with a "Use default" box. The object and database packs default to the
// default pack and the work pack to the object pack, as the user types; the internal
// database page hears of every change of the database pack.
#pragma once

#include "options/VqsTableOptionPage.h"

class VqsOptions_BSeg_Tarsk_Sheet;

class VqsOptionPageTarskBSegPacks : public VqsTableOptionPage {
public:
    VqsOptionPageTarskBSegPacks(VqsOptions_BSeg_Tarsk_Sheet* sheet, UINT dialogId, int pageIndex);

    // The database pack as the page holds it: the record's until the page is loaded.
    CString GetDatabasePack() const { return m_databasePack.GetValue(); }

protected:
    void AdjustLoadedValues() override;
    void OnOptionTaken(UINT id) override;

private:
    void ObjectToWork();
    void DefaultToDependants();
    void TellDatabasePack();
    // Sets the value of a defaulted pack to the text of its source, when its box is set.
    static void Follow(VqsOptCtrlCombo& pack, const VqsOptCtrlFlag& box, const VqsOptCtrlCombo& source);

    VqsOptions_BSeg_Tarsk_Sheet* m_pTarskSheet;
    VqsOptCtrlCombo& m_defaultPack;
    VqsOptCtrlFlag& m_useDefaultDefault;
    VqsOptCtrlCombo& m_objectPack;
    VqsOptCtrlFlag& m_useDefaultObject;
    VqsOptCtrlCombo& m_databasePack;
    VqsOptCtrlFlag& m_useDefaultDatabase;
    VqsOptCtrlCombo& m_workPack;
    VqsOptCtrlFlag& m_useDefaultWork;
};
