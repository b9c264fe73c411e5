#include "options/VqsOptionsGlobalLogic.h"

#include "proxy/PxVQGlobalLogicSoftLink.h"

namespace {

constexpr UINT IDS_ENVIRONMENT = 61561;

constexpr UINT IDD_TARSK_GL_ENVIRONMENT = 276;
constexpr UINT IDD_QSR_GL_ENVIRONMENT = 187;
constexpr UINT IDD_NT_GL_ENVIRONMENT = 198;
constexpr UINT IDD_UNIX_GL_ENVIRONMENT = 257;

constexpr UINT IDH_TARSK_GL_SHEET = 828;
constexpr UINT IDH_QSR_GL_SHEET = 827;
constexpr UINT IDH_NT_GL_SHEET = 825;
constexpr UINT IDH_UNIX_GL_SHEET = 826;

constexpr int IDC_SEPARATE_COMPILE = 1017;
constexpr int IDC_OBJECT_MODULE = 33083;

// "Separate Compile" follows the global logic itself before the record: a logic that
// cannot be performed is never compiled apart, one with parameters always is.
struct SeparateCompileShown {
    BOOL value;
    BOOL boxEnabled;
    BOOL objectModuleEnabled;
};

SeparateCompileShown DecideSeparateCompile(const PxVQOptionsPtr& options, BOOL stored)
{
    const PxVQGlobalLogicSoftLinkPtr logic(options->GetSoftLink());
    if (logic && !logic->GetPerformable())
        return {FALSE, FALSE, FALSE};
    if (logic && !logic->GetParameters().IsEmpty())
        return {TRUE, FALSE, TRUE};
    return {stored ? TRUE : FALSE, TRUE, stored ? TRUE : FALSE};
}

template <class RecordPtr>
SeparateCompileShown ShowSeparateCompile(const RecordPtr& options, VqsOptCtrlFlag& box)
{
    const SeparateCompileShown shown = DecideSeparateCompile(PxVQOptionsPtr(options), options->GetSeparateCompile());
    box.m_bValue = shown.value;
    box.Enable(shown.boxEnabled);
    return shown;
}

} // namespace

BEGIN_MESSAGE_MAP(VqsOptionPageTarskGLEnvir, VqsOptionPage)
    ON_BN_CLICKED(IDC_SEPARATE_COMPILE, &VqsOptionPageTarskGLEnvir::OnSeparateCompileClicked)
    ON_EN_CHANGE(IDC_OBJECT_MODULE, &VqsOptionPageTarskGLEnvir::OnObjectModuleChanged)
END_MESSAGE_MAP()

VqsOptionPageTarskGLEnvir::VqsOptionPageTarskGLEnvir(VqsOptions_GL_Tarsk_Sheet* sheet, UINT dialogId, int pageIndex)
    : VqsOptionPage(sheet, dialogId, IDS_ENVIRONMENT, pageIndex), m_pTypedSheet(sheet),
      m_separateCompile(&m_connector, IDC_SEPARATE_COMPILE), m_objectModule(&m_connector, IDC_OBJECT_MODULE, -1, 0)
{
    m_objectModule.SetMaxLength(static_cast<int>(sheet->GetTypedOptions()->GetMaxLengthGLGSOMName()));
}

void VqsOptionPageTarskGLEnvir::LoadOptions()
{
    const PxTarskGLGOptionsPtr& options = m_pTypedSheet->GetTypedOptions();
    m_objectModule.SetValue(options->GetGLGSOMName());
    const SeparateCompileShown shown = ShowSeparateCompile(options, m_separateCompile);
    m_objectModule.Enable(shown.objectModuleEnabled);
    UpdateData(FALSE);
}

void VqsOptionPageTarskGLEnvir::StoreOptions()
{
    const PxTarskGLGOptionsPtr& options = m_pTypedSheet->GetTypedOptions();
    options->SetSeparateCompile(m_separateCompile.m_bValue ? 1 : 0);
    options->SetGLGSOMName(m_objectModule.GetValue());
}

void VqsOptionPageTarskGLEnvir::ClearOptions()
{
    const PxTarskGLGOptionsPtr& options = m_pTypedSheet->GetTypedOptions();
    options->ClearSeparateCompile();
    options->ClearGLGSOMName();
}

BOOL VqsOptionPageTarskGLEnvir::IsNotUpdated()
{
    const PxTarskGLGOptionsPtr& options = m_pTypedSheet->GetTypedOptions();
    return !options->IsUpdatedSeparateCompile() && !options->IsUpdatedGLGSOMName();
}

void VqsOptionPageTarskGLEnvir::OnSeparateCompileClicked()
{
    if (OnOptionChanged(&m_separateCompile, TRUE))
        m_objectModule.Enable(m_separateCompile.m_bValue);
}

void VqsOptionPageTarskGLEnvir::OnObjectModuleChanged() { BeginModify(nullptr, TRUE); }

VqsOptionPageQSRGLEnvir::VqsOptionPageQSRGLEnvir(VqsOptions_GL_QSR_Sheet* sheet, UINT dialogId, int pageIndex)
    : VqsOptionPage(sheet, dialogId, IDS_ENVIRONMENT, pageIndex), m_pTypedSheet(sheet)
{
}

BEGIN_MESSAGE_MAP(VqsOptionPageNTGLEnvir, VqsOptionPage)
    ON_BN_CLICKED(IDC_SEPARATE_COMPILE, &VqsOptionPageNTGLEnvir::OnSeparateCompileClicked)
END_MESSAGE_MAP()

VqsOptionPageNTGLEnvir::VqsOptionPageNTGLEnvir(VqsOptions_GL_NT_Sheet* sheet, UINT dialogId, int pageIndex)
    : VqsOptionPage(sheet, dialogId, IDS_ENVIRONMENT, pageIndex), m_pTypedSheet(sheet),
      m_separateCompile(&m_connector, IDC_SEPARATE_COMPILE)
{
}

void VqsOptionPageNTGLEnvir::LoadOptions()
{
    ShowSeparateCompile(m_pTypedSheet->GetTypedOptions(), m_separateCompile);
    UpdateData(FALSE);
}

void VqsOptionPageNTGLEnvir::StoreOptions()
{
    m_pTypedSheet->GetTypedOptions()->SetSeparateCompile(m_separateCompile.m_bValue ? 1 : 0);
}

void VqsOptionPageNTGLEnvir::ClearOptions() { m_pTypedSheet->GetTypedOptions()->ClearSeparateCompile(); }

BOOL VqsOptionPageNTGLEnvir::IsNotUpdated() { return !m_pTypedSheet->GetTypedOptions()->IsUpdatedSeparateCompile(); }

void VqsOptionPageNTGLEnvir::OnSeparateCompileClicked() { BeginModify(nullptr, TRUE); }

BEGIN_MESSAGE_MAP(VqsOptionPageUnixGLEnvir, VqsOptionPage)
    ON_BN_CLICKED(IDC_SEPARATE_COMPILE, &VqsOptionPageUnixGLEnvir::OnSeparateCompileClicked)
END_MESSAGE_MAP()

VqsOptionPageUnixGLEnvir::VqsOptionPageUnixGLEnvir(VqsOptions_GL_Unix_Sheet* sheet, UINT dialogId, int pageIndex)
    : VqsOptionPage(sheet, dialogId, IDS_ENVIRONMENT, pageIndex), m_pTypedSheet(sheet),
      m_separateCompile(&m_connector, IDC_SEPARATE_COMPILE)
{
}

void VqsOptionPageUnixGLEnvir::LoadOptions()
{
    ShowSeparateCompile(m_pTypedSheet->GetTypedOptions(), m_separateCompile);
    UpdateData(FALSE);
}

void VqsOptionPageUnixGLEnvir::StoreOptions()
{
    m_pTypedSheet->GetTypedOptions()->SetSeparateCompile(m_separateCompile.m_bValue ? 1 : 0);
}

void VqsOptionPageUnixGLEnvir::ClearOptions() { m_pTypedSheet->GetTypedOptions()->ClearSeparateCompile(); }

BOOL VqsOptionPageUnixGLEnvir::IsNotUpdated()
{
    return !m_pTypedSheet->GetTypedOptions()->IsUpdatedSeparateCompile();
}

void VqsOptionPageUnixGLEnvir::OnSeparateCompileClicked() { BeginModify(nullptr, TRUE); }

VqsOptions_GL_Tarsk_Sheet::VqsOptions_GL_Tarsk_Sheet(VqsSoftLinkOptionsDlg* ownerDialog,
                                                     const PxTarskGLGOptionsPtr& options, UINT selectPage)
    : VqsOptionsSheetTemplate(ownerDialog, options, selectPage), m_environment(this, IDD_TARSK_GL_ENVIRONMENT, 0)
{
    AddPage(&m_environment);
}

UINT VqsOptions_GL_Tarsk_Sheet::GetHelpContextId() { return IDH_TARSK_GL_SHEET; }

VqsOptions_GL_QSR_Sheet::VqsOptions_GL_QSR_Sheet(VqsSoftLinkOptionsDlg* ownerDialog, const PxQSRGLGOptionsPtr& options,
                                                 UINT selectPage)
    : VqsOptionsSheetTemplate(ownerDialog, options, selectPage), m_environment(this, IDD_QSR_GL_ENVIRONMENT, 0)
{
    AddPage(&m_environment);
}

UINT VqsOptions_GL_QSR_Sheet::GetHelpContextId() { return IDH_QSR_GL_SHEET; }

VqsOptions_GL_NT_Sheet::VqsOptions_GL_NT_Sheet(VqsSoftLinkOptionsDlg* ownerDialog, const PxNTGLGOptionsPtr& options,
                                               UINT selectPage)
    : VqsOptionsSheetTemplate(ownerDialog, options, selectPage), m_environment(this, IDD_NT_GL_ENVIRONMENT, 0)
{
    AddPage(&m_environment);
}

UINT VqsOptions_GL_NT_Sheet::GetHelpContextId() { return IDH_NT_GL_SHEET; }

VqsOptions_GL_Unix_Sheet::VqsOptions_GL_Unix_Sheet(VqsSoftLinkOptionsDlg* ownerDialog,
                                                   const PxUnixGLGOptionsPtr& options, UINT selectPage)
    : VqsOptionsSheetTemplate(ownerDialog, options, selectPage), m_environment(this, IDD_UNIX_GL_ENVIRONMENT, 0)
{
    AddPage(&m_environment);
}

UINT VqsOptions_GL_Unix_Sheet::GetHelpContextId() { return IDH_UNIX_GL_SHEET; }
