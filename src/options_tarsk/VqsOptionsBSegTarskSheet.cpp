#include "options_tarsk/VqsOptionsBSegTarskSheet.h"

#include "options/VqsSheetRegister.h"

namespace {

constexpr UINT IDD_TARSK_BSEG_ENVIRONMENT = 271;
constexpr UINT IDD_TARSK_BSEG_GLIMMERDESK = 272;
constexpr UINT IDD_TARSK_BSEG_GENERATE = 273;
constexpr UINT IDD_TARSK_BSEG_OLTP = 274;
constexpr UINT IDD_TARSK_BSEG_PACKS = 275;
constexpr UINT IDD_TARSK_BSEG_QUORBIT = 123;
constexpr UINT IDD_TARSK_SYSTEM_INTERNAL_DB = 319;
constexpr UINT IDD_TARSK_SYSTEM_EVENT_ENVIRONMENT = 317;
constexpr UINT IDD_TARSK_SYSTEM_EVENT_DB = 316;
constexpr UINT IDD_TARSK_BSEG_WRENFIELD_TEST = 331;

} // namespace

VqsOptions_BSeg_Tarsk_Sheet::VqsOptions_BSeg_Tarsk_Sheet(VqsSoftLinkOptionsDlg* ownerDialog,
                                                         const PxTarskBSegOptionsPtr& options, UINT selectPage)
    : VqsTypedSheetLevel(ownerDialog, options, selectPage),
      m_environment(this, IDD_TARSK_BSEG_ENVIRONMENT, 0), m_glimmerdesk(this, IDD_TARSK_BSEG_GLIMMERDESK, 1),
      m_generate(this, IDD_TARSK_BSEG_GENERATE, 2), m_oltp(this, IDD_TARSK_BSEG_OLTP, 3),
      m_packs(this, IDD_TARSK_BSEG_PACKS, 4), m_quorbit(this, IDD_TARSK_BSEG_QUORBIT, 5),
      m_internDb(this, IDD_TARSK_SYSTEM_INTERNAL_DB, 6),
      m_eventEnvironment(this, IDD_TARSK_SYSTEM_EVENT_ENVIRONMENT, 0),
      m_eventDatabase(this, IDD_TARSK_SYSTEM_EVENT_DB, 1), m_bulkOptions(this, 7),
      m_wrenfieldTest(this, IDD_TARSK_BSEG_WRENFIELD_TEST, 8)
{
    if (InEventView(ownerDialog)) {
        AddPage(&m_eventEnvironment);
        AddPage(&m_eventDatabase);
        return;
    }
    AddPage(&m_environment);
    AddPage(&m_glimmerdesk);
    AddPage(&m_generate);
    AddPage(&m_oltp);
    AddPage(&m_packs);
    AddPage(&m_quorbit);
    AddPage(&m_internDb);
    AddPage(&m_bulkOptions);
    AddPage(&m_wrenfieldTest);
}

VqsOptionsSheet* VqsOptions_BSeg_Tarsk_Sheet::CreateSheet(VqsSoftLinkOptionsDlg* ownerDialog,
                                                          const PxOptionsPtr& options, UINT selectPage)
{
    return VqsMakeOptionsSheet<VqsOptions_BSeg_Tarsk_Sheet, PxTarskBSegOptionsPtr>(ownerDialog, options, selectPage);
}

void VqsOptions_BSeg_Tarsk_Sheet::OnPageNotify(int notification) { m_internDb.RefillTableGrid(notification); }

void VqsOptions_BSeg_Tarsk_Sheet::RefreshInternDbPagePacks(BOOL allQubDuplex)
{
    m_internDb.OnAllQUBduplexChanged(allQubDuplex);
}

void VqsOptions_BSeg_Tarsk_Sheet::SetInternDbPageDefaultPack(const CString& pack) { m_internDb.ApplyDuplexPack(pack); }

void VqsOptions_BSeg_Tarsk_Sheet::SetInternDbPagePackName(const CString& pack) { m_internDb.ApplyDatabasePack(pack); }
