#include "options_tarsk/VqsOptionPageTarskBSegPacks.h"

#include "options/VqsEnterprisePackNames.h"
#include "options_tarsk/VqsOptionsBSegTarskSheet.h"

namespace {

constexpr UINT IDS_PACK_ALLOCATION = 61565;

constexpr int IDC_DEFAULT_PACK = 1067;
constexpr int IDC_USE_DEFAULT_DEFAULT = 1088;
constexpr int IDC_OBJECT_PACK = 1087;
constexpr int IDC_USE_DEFAULT_OBJECT = 1089;
constexpr int IDC_DATABASE_PACK = 1625;
constexpr int IDC_USE_DEFAULT_DATABASE = 1593;
constexpr int IDC_WORK_PACK = 1626;
constexpr int IDC_USE_DEFAULT_WORK = 1594;

constexpr int kRequiredPackName = 3;

} // namespace

VqsOptionPageTarskBSegPacks::VqsOptionPageTarskBSegPacks(VqsOptions_BSeg_Tarsk_Sheet* sheet, UINT dialogId,
                                                         int pageIndex)
    : VqsTableOptionPage(sheet, dialogId, IDS_PACK_ALLOCATION, pageIndex), m_pTarskSheet(sheet),
      m_defaultPack(m_table.Combo(IDC_DEFAULT_PACK, VQS_TEXT_OPTION(PxBSegOptions, DefPack), kRequiredPackName)),
      m_useDefaultDefault(m_table.DefaultBox(IDC_USE_DEFAULT_DEFAULT, IDC_DEFAULT_PACK)),
      m_objectPack(m_table.Combo(IDC_OBJECT_PACK, VQS_TEXT_OPTION(PxTarskBSegOptions, ObjPack), kRequiredPackName)),
      m_useDefaultObject(m_table.DefaultBox(IDC_USE_DEFAULT_OBJECT, IDC_OBJECT_PACK)),
      m_databasePack(m_table.Combo(IDC_DATABASE_PACK, VQS_TEXT_OPTION(PxTarskBSegOptions, DBPack), kRequiredPackName)),
      m_useDefaultDatabase(m_table.DefaultBox(IDC_USE_DEFAULT_DATABASE, IDC_DATABASE_PACK)),
      m_workPack(m_table.Combo(IDC_WORK_PACK, VQS_TEXT_OPTION(PxTarskBSegOptions, WorkPack), kRequiredPackName)),
      m_useDefaultWork(m_table.DefaultBox(IDC_USE_DEFAULT_WORK, IDC_WORK_PACK))
{
    m_databasePack.SetValue(sheet->GetTarskOptions()->GetDBPack());
}

void VqsOptionPageTarskBSegPacks::AdjustLoadedValues()
{
    const CStringArray names = VqsEveryEnterprisePackName();
    for (VqsOptCtrlCombo* pack : {&m_defaultPack, &m_objectPack, &m_databasePack, &m_workPack}) {
        const CString shown = pack->GetValue();
        pack->SetItems(names);
        if (!pack->IsNotAvailable())
            pack->SetValue(shown);
    }
}

void VqsOptionPageTarskBSegPacks::Follow(VqsOptCtrlCombo& pack, const VqsOptCtrlFlag& box,
                                         const VqsOptCtrlCombo& source)
{
    if (box.m_bValue)
        pack.SetValue(source.GetValue());
}

void VqsOptionPageTarskBSegPacks::ObjectToWork() { Follow(m_workPack, m_useDefaultWork, m_objectPack); }

void VqsOptionPageTarskBSegPacks::TellDatabasePack() { m_pTarskSheet->SetInternDbPagePackName(GetDatabasePack()); }

void VqsOptionPageTarskBSegPacks::DefaultToDependants()
{
    if (m_useDefaultObject.m_bValue) {
        Follow(m_objectPack, m_useDefaultObject, m_defaultPack);
        ObjectToWork();
    }
    if (m_useDefaultDatabase.m_bValue) {
        Follow(m_databasePack, m_useDefaultDatabase, m_defaultPack);
        TellDatabasePack();
    }
}

void VqsOptionPageTarskBSegPacks::OnOptionTaken(UINT id)
{
    switch (id) {
    case IDC_USE_DEFAULT_DEFAULT:
    case IDC_DEFAULT_PACK:
        DefaultToDependants();
        break;
    case IDC_USE_DEFAULT_OBJECT:
        Follow(m_objectPack, m_useDefaultObject, m_defaultPack);
        ObjectToWork();
        break;
    case IDC_OBJECT_PACK:
        ObjectToWork();
        break;
    case IDC_USE_DEFAULT_DATABASE:
        Follow(m_databasePack, m_useDefaultDatabase, m_defaultPack);
        TellDatabasePack();
        break;
    case IDC_DATABASE_PACK:
        TellDatabasePack();
        break;
    case IDC_USE_DEFAULT_WORK:
        Follow(m_workPack, m_useDefaultWork, m_objectPack);
        break;
    default:
        return;
    }
    UpdateData(FALSE);
}
