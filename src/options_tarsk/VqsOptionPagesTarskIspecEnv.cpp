#include "options_tarsk/VqsOptionPagesTarskIspecEnv.h"

#include "options_tarsk/VqsOptionsElementTarskSheets.h"
#include "proxy/PxVQIspecSoftLink.h"

namespace {

constexpr int IDC_INTERNAL_AND_EXTERNAL = 1695;
constexpr int IDC_EXTERNAL_ONLY = 1696;
constexpr int IDC_ALLOW_EXTERNAL = 1697;
constexpr int IDC_MAXIMUM_IN_ISPECS = 1703;
constexpr int IDC_MAXIMUM_IN_REPORTS = 1704;
constexpr int IDC_OBJECT_MODULE = 33083;
constexpr int IDC_VOLUME = 1111;

// The controls an Ispec of each usage does without.
constexpr int kInputUsage = 2;
constexpr int kOutputUsage = 3;
constexpr int kHiddenForInput[] = {1695, 1696, 1697, 1703, 1704, 32966, 32967, 32968, 32969};
constexpr int kHiddenForOutput[] = {33083, 33086};

constexpr int kNoValidation = 0;

void LimitWhenBounded(VqsOptCtrlInt& box, BOOL bounded, int characters)
{
    if (bounded)
        box.SetTextLimit(characters, 0);
}

} // namespace

VqsOptionPageTarskIspecEnv::VqsOptionPageTarskIspecEnv(VqsOptions_Ispec_Tarsk_Sheet* sheet, UINT dialogId,
                                                       int pageIndex)
    : VqsOptionPageIspecEnv(sheet, dialogId, pageIndex), m_pTarskIspecSheet(sheet)
{
}

BOOL VqsOptionPageTarskIspecEnv::IsNotUpdated()
{
    return VqsOptionPageIspecEnv::IsNotUpdated() &&
           !m_pTarskIspecSheet->GetTarskIspecOptions()->IsUpdatedUserPrivilege();
}

VqsOptionPageTarskComponentEnv::VqsOptionPageTarskComponentEnv(VqsOptions_Component_Tarsk_Sheet* sheet,
                                                               UINT dialogId, int pageIndex)
    : VqsOptionPageTarskIspecEnv(sheet, dialogId, pageIndex), m_pTypedSheet(sheet),
      m_internalAndExternal(
          m_table.Flag(IDC_INTERNAL_AND_EXTERNAL, VQS_OPTION(PxTarskCompOptions, InternalAndExternal))),
      m_externalOnly(m_table.Flag(IDC_EXTERNAL_ONLY, VQS_OPTION(PxTarskCompOptions, ExternalOnly))),
      m_allowExternal(m_table.Flag(IDC_ALLOW_EXTERNAL, VQS_OPTION(PxTarskCompOptions, AllowExternal))),
      m_maximumInIspecs(m_table.Number(IDC_MAXIMUM_IN_ISPECS,
                                       VQS_NUMBER_OPTION(PxTarskCompOptions, MultirecordMaximumInIspecs),
                                       VqsOptionTable::Validate)),
      m_maximumInReports(m_table.Number(IDC_MAXIMUM_IN_REPORTS,
                                        VQS_NUMBER_OPTION(PxTarskCompOptions, MultirecordMaximumInReports),
                                        VqsOptionTable::Validate))
{
    m_table.Text(IDC_OBJECT_MODULE, VQS_TEXT_OPTION(PxTarskIspecOptions, SOMName), kNoValidation);
}

BOOL VqsOptionPageTarskComponentEnv::OnInitDialog()
{
    VqsOptionPageTarskIspecEnv::OnInitDialog();
    const PxTarskCompOptionsPtr& options = m_pTypedSheet->GetTarskOptions();
    std::int64_t bound = 0;
    LimitWhenBounded(m_maximumInIspecs, options->HasUpperLimitMultirecordMaximumInIspecs(bound), 2);
    LimitWhenBounded(m_maximumInReports, options->HasUpperLimitMultirecordMaximumInReports(bound), 2);
    HideForUsage();
    return TRUE;
}

// Hidden controls keep their options: they are still loaded and stored.
void VqsOptionPageTarskComponentEnv::HideForUsage()
{
    const PxVQIspecSoftLinkPtr ispec(m_pTypedSheet->GetTarskOptions()->GetSoftLink());
    const int usage = ispec ? ispec->GetIspecUsage() : 0;
    auto hide = [this](const auto& ids) {
        for (int id : ids)
            if (CWnd* item = GetDlgItem(id))
                item->ShowWindow(SW_HIDE);
    };
    if (usage == kInputUsage)
        hide(kHiddenForInput);
    else if (usage == kOutputUsage)
        hide(kHiddenForOutput);
}

// "External Only Access" excludes the other two, which may be set together.
void VqsOptionPageTarskComponentEnv::AdjustLoadedValues()
{
    VqsOptionPageTarskIspecEnv::AdjustLoadedValues();
    if (m_internalAndExternal.m_bValue)
        m_externalOnly.m_bValue = FALSE;
    if (m_externalOnly.m_bValue)
        m_allowExternal.m_bValue = FALSE;
}

void VqsOptionPageTarskComponentEnv::EnableDependentControls()
{
    VqsOptionPageTarskIspecEnv::EnableDependentControls();
    EnableAccess();
}

void VqsOptionPageTarskComponentEnv::EnableAccess()
{
    m_externalOnly.Enable(!m_internalAndExternal.m_bValue && !m_allowExternal.m_bValue);
    m_internalAndExternal.Enable(!m_externalOnly.m_bValue);
    m_allowExternal.Enable(!m_externalOnly.m_bValue);
}

void VqsOptionPageTarskComponentEnv::OnOptionTaken(UINT id)
{
    switch (id) {
    case IDC_INTERNAL_AND_EXTERNAL:
    case IDC_ALLOW_EXTERNAL:
        if (m_internalAndExternal.m_bValue || m_allowExternal.m_bValue)
            m_externalOnly.m_bValue = FALSE;
        break;
    case IDC_EXTERNAL_ONLY:
        if (m_externalOnly.m_bValue) {
            m_internalAndExternal.m_bValue = FALSE;
            m_allowExternal.m_bValue = FALSE;
        }
        break;
    default:
        VqsOptionPageTarskIspecEnv::OnOptionTaken(id);
        return;
    }
    EnableAccess();
    UpdateData(FALSE);
}

VqsOptionPageTarskEventEnv::VqsOptionPageTarskEventEnv(VqsOptions_Event_Tarsk_Sheet* sheet, UINT dialogId,
                                                       int pageIndex)
    : VqsOptionPageTarskIspecEnv(sheet, dialogId, pageIndex), m_pTypedSheet(sheet),
      m_volume(m_table.Number(IDC_VOLUME, VQS_NUMBER_OPTION(PxEventOptions, Volume)))
{
    m_table.Text(IDC_OBJECT_MODULE, VQS_TEXT_OPTION(PxTarskIspecOptions, SOMName), kNoValidation);
}

BOOL VqsOptionPageTarskEventEnv::OnInitDialog()
{
    VqsOptionPageTarskIspecEnv::OnInitDialog();
    std::int64_t bound = 0;
    LimitWhenBounded(m_volume, m_pTypedSheet->GetTarskOptions()->HasUpperLimitVolume(bound), 10);
    return TRUE;
}
