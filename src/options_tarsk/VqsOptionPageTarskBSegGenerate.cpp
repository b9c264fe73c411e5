#include "options_tarsk/VqsOptionPageTarskBSegGenerate.h"

#include "proxy/PxTarskBSegOptions.h"

namespace {

constexpr int IDC_GEN_VUL_CODE = 1557;
constexpr int IDC_CONFIRM_WITH_INSTALL = 1558;
constexpr int IDC_GEN_HDBA_INTERFACE = 2019;
constexpr int IDC_USE_DEFAULT_TRANS_ID = 1559;
constexpr int IDC_USE_DEFAULT_ENVIRONMENT = 1560;
constexpr int IDC_TRANS_ID = 1561;
constexpr int IDC_TO_ENVIRONMENT = 1562;
constexpr int IDC_LIBRARY_NUMBER = 1563;
constexpr int IDC_TRANS_NUMBER = 1564;
constexpr int IDC_DBANK_SIZE = 1565;

constexpr int kNoValidation = 0;
constexpr int kNameStartingWithLetter = 1;

} // namespace

VqsOptionPageTarskBSegGenerate::VqsOptionPageTarskBSegGenerate(VqsOptions_BSeg_Sheet* sheet, UINT dialogId,
                                                               int pageIndex)
    : VqsOptionPageBSegGenerate(sheet, dialogId, pageIndex),
      m_toEnvironment(m_table.Text(IDC_TO_ENVIRONMENT, VQS_TEXT_OPTION(PxTarskBSegOptions, ToEnvironment),
                                   kNameStartingWithLetter)),
      m_libraryNumber(m_table.Number(IDC_LIBRARY_NUMBER, VQS_NUMBER_OPTION(PxTarskBSegOptions, HVQUBLibNum))),
      m_transactionNumber(
          m_table.Number(IDC_TRANS_NUMBER, VQS_NUMBER_OPTION(PxTarskBSegOptions, GenQUBTransNumber))),
      m_dbankSize(m_table.Number(IDC_DBANK_SIZE, VQS_NUMBER_OPTION(PxTarskBSegOptions, DBankSize)))
{
    m_table.Flag(IDC_GEN_VUL_CODE, VQS_OPTION(PxTarskBSegOptions, GenVULcode));
    m_table.Flag(IDC_CONFIRM_WITH_INSTALL, VQS_OPTION(PxTarskBSegOptions, ConfirmGenWithInstall));
    m_table.Flag(IDC_GEN_HDBA_INTERFACE, VQS_OPTION(PxTarskBSegOptions, GenerateHDBAInterface));
    m_table.Text(IDC_TRANS_ID, VQS_TEXT_OPTION(PxTarskBSegOptions, GenQUBTransId), kNoValidation);
    m_table.DefaultBox(IDC_USE_DEFAULT_TRANS_ID, IDC_TRANS_ID);
    m_table.DefaultBox(IDC_USE_DEFAULT_ENVIRONMENT, IDC_TO_ENVIRONMENT);
}

BOOL VqsOptionPageTarskBSegGenerate::OnInitDialog()
{
    VqsOptionPageBSegGenerate::OnInitDialog();
    if (CWnd* vulCode = GetDlgItem(IDC_GEN_VUL_CODE))
        vulCode->ShowWindow(SW_HIDE);
    const PxTarskBSegOptionsPtr options(m_pTypedSheet->GetTypedOptions());
    std::int64_t upper = 0;
    if (options->HasUpperLimitHVQUBLibNum(upper))
        m_libraryNumber.SetTextLimit(2, 0);
    if (options->HasUpperLimitGenQUBTransNumber(upper))
        m_transactionNumber.SetTextLimit(4, 0);
    if (options->HasUpperLimitDBankSize(upper))
        m_dbankSize.SetTextLimit(6, 0);
    return TRUE;
}

// An environment that could not be read is shown as not available and cannot be edited.
void VqsOptionPageTarskBSegGenerate::EnableDependentControls()
{
    VqsOptionPageBSegGenerate::EnableDependentControls();
    if (m_toEnvironment.IsNotAvailable())
        m_toEnvironment.Enable(FALSE);
}
