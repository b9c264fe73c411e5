#include "options/VqsOptionPagesIspec.h"

#include "proxy/PxVQIspecSoftLink.h"

namespace {

constexpr UINT IDS_ENVIRONMENT = 61561;
constexpr UINT IDS_OLTP = 61564;

constexpr int IDC_USE_PAINTER = 1434;
constexpr int IDC_BACKGROUND = 1435;
constexpr int IDC_FOREGROUND = 1436;
constexpr int IDC_SAMPLE_TEXT = 1107;

constexpr int IDC_USE_DEFAULT_SERVICE = 1110;
constexpr int IDC_SERVICE = 1405;

constexpr int kOutputUsage = 3;

constexpr const char* kColourNames[] = {"Black", "White", "Green", "Red", "Blue", "Yellow", "Magenta", "Cyan"};

} // namespace

BEGIN_MESSAGE_MAP(VqsOptionPageIspecEnv, VqsTableOptionPage)
    ON_WM_CTLCOLOR()
END_MESSAGE_MAP()

VqsOptionPageIspecEnv::VqsOptionPageIspecEnv(VqsOptions_Ispec_Sheet* sheet, UINT dialogId, int pageIndex)
    : VqsTableOptionPage(sheet, dialogId, IDS_ENVIRONMENT, pageIndex), m_pTypedSheet(sheet),
      m_usePainter(m_table.Flag(IDC_USE_PAINTER, VQS_OPTION(PxIspecOptions, UsePainter))),
      m_background(m_table.Colour(IDC_BACKGROUND, VQS_OPTION(PxIspecOptions, BColor))),
      m_foreground(m_table.Colour(IDC_FOREGROUND, VQS_OPTION(PxIspecOptions, FColor)))
{
}

BOOL VqsOptionPageIspecEnv::OnInitDialog()
{
    for (int id : {IDC_BACKGROUND, IDC_FOREGROUND})
        for (const char* name : kColourNames)
            SendDlgItemMessage(id, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name));
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
    const BOOL ownColours = !m_usePainter.m_bValue;
    if (CWnd* sample = m_hWnd ? GetDlgItem(IDC_SAMPLE_TEXT) : nullptr)
        sample->ShowWindow(ownColours ? SW_SHOW : SW_HIDE);
    m_background.Enable(ownColours);
    m_foreground.Enable(ownColours);
}

void VqsOptionPageIspecEnv::OnOptionTaken(UINT id)
{
    const PxIspecOptionsPtr& options = m_pTypedSheet->GetTypedOptions();
    switch (id) {
    case IDC_USE_PAINTER:
        if (m_usePainter.m_bValue) {
            m_background.SetValue(options->GetDefaultBColor());
            m_foreground.SetValue(options->GetDefaultFColor());
            m_background.SetNotAvailable();
            m_foreground.SetNotAvailable();
        } else {
            m_background.SetValue(m_background.GetValue());
            m_foreground.SetValue(m_foreground.GetValue());
        }
        EnableDependentControls();
        UpdateData(FALSE);
        break;
    case IDC_BACKGROUND:
        RepaintSample();
        break;
    case IDC_FOREGROUND:
        RepaintSample();
        UpdateData(FALSE);
        break;
    default:
        break;
    }
}

void VqsOptionPageIspecEnv::RepaintSample()
{
    if (CWnd* sample = GetDlgItem(IDC_SAMPLE_TEXT)) {
        sample->ShowWindow(SW_HIDE);
        sample->ShowWindow(SW_SHOW);
    }
}

HBRUSH VqsOptionPageIspecEnv::OnCtlColor(CDC* dc, CWnd* control, UINT)
{
    if (control && control->GetDlgCtrlID() == IDC_SAMPLE_TEXT && !m_usePainter.m_bValue)
        VqsOptCtrlColor::PaintSample(dc, m_foreground, m_background);
    return nullptr;
}

VqsOptionPageIspecOLTP::VqsOptionPageIspecOLTP(VqsOptions_Ispec_Sheet* sheet, UINT dialogId, int pageIndex)
    : VqsTableOptionPage(sheet, dialogId, IDS_OLTP, pageIndex), m_pTypedSheet(sheet),
      m_service(m_table.Text(IDC_SERVICE, VQS_TEXT_OPTION(PxIspecOptions, Service), 0)),
      m_useDefaultService(m_table.DefaultBox(IDC_USE_DEFAULT_SERVICE, IDC_SERVICE))
{
}

BOOL VqsOptionPageIspecOLTP::IsOltpApplicable() const
{
    const PxBSegOptionsPtr& segment = m_pTypedSheet->GetBSegOptions();
    if (!segment || !segment->GetEnableOLTP())
        return FALSE;
    const PxVQIspecSoftLinkPtr ispec(m_pTypedSheet->GetTypedOptions()->GetSoftLink());
    return !(ispec && ispec->GetIspecUsage() == kOutputUsage);
}

void VqsOptionPageIspecOLTP::EnableDependentControls()
{
    const BOOL applicable = IsOltpApplicable();
    m_useDefaultService.Enable(applicable);
    m_service.Enable(applicable && !m_useDefaultService.m_bValue);
}

void VqsOptionPageIspecOLTP::OnOptionTaken(UINT id)
{
    if (id != IDC_USE_DEFAULT_SERVICE)
        return;
    UpdateData(FALSE);
    EnableDependentControls();
}
