#include "options/VqsOptionPagesIspec.h"

#include "options/VqsCopiedIspec.h"

namespace {

constexpr UINT IDS_ENVIRONMENT = 61561;
constexpr UINT IDS_OLTP = 61564;

constexpr int IDC_USE_PAINTER = 1434;
constexpr int IDC_BACKGROUND = 1435;
constexpr int IDC_FOREGROUND = 1436;

constexpr int IDC_USE_DEFAULT_SERVICE = 1110;
constexpr int IDC_SERVICE = 1405;

} // namespace

BEGIN_MESSAGE_MAP(VqsOptionPageIspecEnv, VqsTableOptionPage)
    ON_WM_CTLCOLOR()
END_MESSAGE_MAP()

VqsOptionPageIspecEnv::VqsOptionPageIspecEnv(VqsOptions_Ispec_Sheet* sheet, UINT dialogId, int pageIndex)
    : VqsTableOptionPage(sheet, dialogId, IDS_ENVIRONMENT, pageIndex), m_pTypedSheet(sheet),
      m_usePainter(m_table.Flag(IDC_USE_PAINTER, VQS_OPTION(PxIspecOptions, UsePainter))),
      m_background(m_table.Colour(IDC_BACKGROUND, VQS_OPTION(PxIspecOptions, BColor))),
      m_foreground(m_table.Colour(IDC_FOREGROUND, VQS_OPTION(PxIspecOptions, FColor))),
      m_sample(*this, m_usePainter, m_background, m_foreground)
{
}

BOOL VqsOptionPageIspecEnv::OnInitDialog()
{
    m_sample.FillColourNames(IDC_BACKGROUND, IDC_FOREGROUND);
    return VqsTableOptionPage::OnInitDialog();
}

void VqsOptionPageIspecEnv::AdjustLoadedValues()
{
    if (m_usePainter.m_bValue) {
        m_background.SetNotAvailable();
        m_foreground.SetNotAvailable();
    }
}

void VqsOptionPageIspecEnv::EnableDependentControls()
{
    m_sample.EnableByPainter();
}

void VqsOptionPageIspecEnv::OnOptionTaken(UINT id)
{
    const PxIspecOptionsPtr& options = m_pTypedSheet->GetTypedOptions();
    switch (id) {
    case IDC_USE_PAINTER:
        if (m_usePainter.m_bValue) {
            vqsoptiontable::ShowDefaultOver(m_background, options->GetDefaultBColor());
            vqsoptiontable::ShowDefaultOver(m_foreground, options->GetDefaultFColor());
            m_background.SetNotAvailable();
            m_foreground.SetNotAvailable();
        } else {
            vqsoptiontable::ShowValueAgain(m_background);
            vqsoptiontable::ShowValueAgain(m_foreground);
        }
        EnableDependentControls();
        UpdateData(FALSE);
        break;
    case IDC_BACKGROUND:
        m_sample.Repaint();
        break;
    case IDC_FOREGROUND:
        m_sample.Repaint();
        UpdateData(FALSE);
        break;
    default:
        break;
    }
}

HBRUSH VqsOptionPageIspecEnv::OnCtlColor(CDC* dc, CWnd* control, UINT)
{
    return m_sample.OnCtlColor(dc, control);
}

VqsOptionPageIspecOLTP::VqsOptionPageIspecOLTP(VqsOptions_Ispec_Sheet* sheet, UINT dialogId, int pageIndex)
    : VqsTableOptionPage(sheet, dialogId, IDS_OLTP, pageIndex), m_pTypedSheet(sheet),
      m_service(m_table.Text(IDC_SERVICE, VQS_TEXT_OPTION(PxIspecOptions, Service), 0)),
      m_useDefaultService(m_table.DefaultBox(IDC_USE_DEFAULT_SERVICE, IDC_SERVICE, FALSE))
{
}

BOOL VqsOptionPageIspecOLTP::IsOltpApplicable() const
{
    const PxBSegOptionsPtr& segment = m_pTypedSheet->GetBSegOptions();
    if (!segment || !segment->GetEnableOLTP())
        return FALSE;
    return !VqsTakesNoOwnService(m_pTypedSheet->GetTypedOptions()->GetSoftLink());
}

void VqsOptionPageIspecOLTP::EnableDependentControls()
{
    const BOOL applicable = IsOltpApplicable();
    m_useDefaultService.Enable(applicable);
    m_service.Enable(applicable && !m_useDefaultService.m_bValue && !m_service.IsNotAvailable());
}

void VqsOptionPageIspecOLTP::OnOptionTaken(UINT id)
{
    if (id != IDC_USE_DEFAULT_SERVICE)
        return;
    UpdateData(FALSE);
    EnableDependentControls();
}
