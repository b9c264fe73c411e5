#include "TestOptionSheet.h"

#include "options/VqsSheetRegister.h"
#include "shell/VqsExceptionData.h"

namespace optionstest {

namespace {

constexpr int kFlag = 1017;

} // namespace

TestFlagPage::Option TestFlagPage::FullKeshOff()
{
    return {&PxBSegOptions::GetFullKESHOFF, &PxBSegOptions::SetFullKESHOFF, &PxBSegOptions::ClearFullKESHOFF,
            &PxBSegOptions::IsUpdatedFullKESHOFF};
}

TestFlagPage::Option TestFlagPage::EnableOltp()
{
    return {&PxBSegOptions::GetEnableOLTP, &PxBSegOptions::SetEnableOLTP, &PxBSegOptions::ClearEnableOLTP,
            &PxBSegOptions::IsUpdatedEnableOLTP};
}

TestFlagPage::Option TestFlagPage::PceCapable()
{
    return {&PxBSegOptions::GetPCEcap, &PxBSegOptions::SetPCEcap, &PxBSegOptions::ClearPCEcap,
            &PxBSegOptions::IsUpdatedPCEcap};
}

CString TestFlagPage::s_refusal;

BEGIN_MESSAGE_MAP(TestFlagPage, VqsOptionPage)
    ON_BN_CLICKED(kFlag, &TestFlagPage::OnFlagClicked)
END_MESSAGE_MAP()

TestFlagPage::TestFlagPage(VqsOptions_BSeg_Sheet* sheet, int pageIndex, Option option, UINT templateId)
    : VqsOptionPage(sheet, templateId, 0, pageIndex), m_pTypedSheet(sheet), m_option(option),
      m_flag(&m_connector, kFlag)
{
}

PxBSegOptions& TestFlagPage::Record() const { return *m_pTypedSheet->GetTypedOptions(); }

void TestFlagPage::StoreOptions()
{
    (Record().*m_option.set)(m_flag.m_bValue ? 1 : 0);
    if (!s_refusal.IsEmpty())
        throw VqsExceptionData(s_refusal, __FILE__, __LINE__);
}

BOOL TestFlagPage::IsNotUpdated() { return !(Record().*m_option.isUpdated)(); }

void TestFlagPage::ClearOptions() { (Record().*m_option.clear)(); }

void TestFlagPage::LoadOptions()
{
    m_flag.m_bValue = (Record().*m_option.get)() ? TRUE : FALSE;
    UpdateData(FALSE);
}

void TestFlagPage::OnFlagClicked() { OnOptionChanged(&m_flag, TRUE); }

TestOptionSheet::TestOptionSheet(VqsSoftLinkOptionsDlg* ownerDialog, const PxBSegOptionsPtr& options,
                                 UINT selectPage)
    : VqsOptions_BSeg_Sheet(ownerDialog, options, selectPage), m_generate(this, 0, TestFlagPage::FullKeshOff()),
      m_oltp(this, 1, TestFlagPage::EnableOltp()), m_glimmerdesk(this, 2, TestFlagPage::PceCapable())
{
    AddPage(&m_generate);
    AddPage(&m_oltp);
    AddPage(&m_glimmerdesk);
}

void TestOptionSheet::Register()
{
    VqsSheetRegister::AddFactory(&VqsMakeOptionsSheet<TestOptionSheet, PxTarskBSegOptionsPtr>);
}

} // namespace optionstest
