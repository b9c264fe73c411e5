#include "OptionsTestSupport.h"

#include "model/VqsOptionNodeRegister.h"
#include "options/VqsOptionsGenericSheets.h"
#include "options/VqsOptionsGlobalLogic.h"
#include "options/VqsOptionsSheet.h"
#include "options/VqsSheetRegister.h"
#include "proxy/PxIspecOptions.h"
#include "win/CButton.h"
#include "win/CTabCtrl.h"
#include "win/UserActions.h"

namespace optionstest {

OpenedOptions::OpenedOptions(const PxVQSoftLinkPtr& link, const PxVQOptionSetPtr& optionSet, UINT selectPage)
{
    m_linkNode = m_model.FindOptionNodeOfOSet(link);
    VqsModelNodeOption* optionNode = m_model.FindOptionNode(link->GetOptions(optionSet));
    EXPECT_TRUE(m_linkNode && optionNode);
    EXPECT_TRUE(m_creatorBag.LockNode(m_linkNode) && m_creatorBag.LockNode(optionNode));
    m_dialog = std::make_unique<VqsSoftLinkOptionsDlg>(&m_creatorBag, m_linkNode, optionNode, selectPage, nullptr);
}

void ShowPage(VqsSoftLinkOptionsDlg& dialog, int page)
{
    vqui::user::SelectIndex(dialog.GetSheet()->GetTabControl()->m_hWnd, page);
}

HWND PageItem(VqsSoftLinkOptionsDlg& dialog, int id)
{
    CPropertyPage* page = dialog.GetSheet()->GetActivePage();
    CWnd* item = page ? page->GetDlgItem(id) : nullptr;
    return item ? item->m_hWnd : nullptr;
}

int TabImage(VqsSoftLinkOptionsDlg& dialog, int page)
{
    TCITEM item{};
    item.mask = TCIF_IMAGE;
    dialog.GetSheet()->GetTabControl()->GetItem(page, &item);
    return item.iImage;
}

void ClickOnPage(VqsSoftLinkOptionsDlg& dialog, int id) { vqui::user::Click(PageItem(dialog, id)); }

void TypeOnPage(VqsSoftLinkOptionsDlg& dialog, int id, const char* text)
{
    vqui::user::ReplaceText(PageItem(dialog, id), text);
}

BOOL IsCheckedOnPage(VqsSoftLinkOptionsDlg& dialog, int id)
{
    return ::SendMessage(PageItem(dialog, id), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

namespace {

class TestIspecOptionNode : public VqsModelNodeOptionOf<PxIspecOptions> {
public:
    using VqsModelNodeOptionOf::VqsModelNodeOptionOf;
};

} // namespace

void UsePlatformNeutralSheets()
{
    VqsSheetRegister::FreeFactories();
    VqsSheetRegister::AddFactory(&VqsMakeOptionsSheet<VqsOptions_GL_Tarsk_Sheet, PxTarskGLGOptionsPtr>);
    VqsSheetRegister::AddFactory(&VqsMakeOptionsSheet<VqsOptions_GL_QSR_Sheet, PxQSRGLGOptionsPtr>);
    VqsSheetRegister::AddFactory(&VqsMakeOptionsSheet<VqsOptions_GL_NT_Sheet, PxNTGLGOptionsPtr>);
    VqsSheetRegister::AddFactory(&VqsMakeOptionsSheet<VqsOptions_GL_Unix_Sheet, PxUnixGLGOptionsPtr>);
    VqsSheetRegister::AddFactory(&VqsMakeOptionsSheet<VqsOptions_BSeg_Generic_Sheet, PxBSegOptionsPtr>);
    VqsSheetRegister::AddFactory(&VqsMakeOptionsSheet<VqsOptions_Ispec_Generic_Sheet, PxIspecOptionsPtr>);
    VqsSheetRegister::AddFactory(&VqsMakeOptionsSheet<VqsOptions_Profile_Generic_Sheet, PxProfileOptionsPtr>);
    VqsSheetRegister::AddFactory(&VqsMakeOptionsSheet<VqsOptions_Report_Generic_Sheet, PxReportOptionsPtr>);
}

OptionsTest::OptionsTest()
{
    ui.WheneverDialog(kLockProgressDialog);
    VqsOptionNodeRegister::Register(&VqsMakeOptionNode<TestIspecOptionNode>);
}

PxVQOptionSetPtr OptionsTest::OptionSet(const char* name) const
{
    return System("SYS1")->GetCurConfig()->GetOptionSet(name);
}

} // namespace optionstest

namespace optionstest {

std::vector<std::string> OptionsTest::MessageBoxes()
{
    std::vector<std::string> texts;
    for (const vqui::TranscriptEntry& entry : vqui::Transcript()) {
        if (entry.event.kind == vqui::EventKind::MessageBox)
            texts.push_back(entry.event.text.str());
    }
    return texts;
}

} // namespace optionstest
