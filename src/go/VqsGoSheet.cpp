#include "go/VqsGoSheet.h"

#include "model/VqsModel.h"
#include "model/VqsModelNodeSystem.h"
#include "win/CDataExchange.h"

namespace {

constexpr UINT IDS_GO = 61716;
constexpr int kStay = -1;

} // namespace

// ---------------------------------------------------------------- command page

BEGIN_MESSAGE_MAP(VqsGoCommandPage, VqsPropertyPage)
    ON_CBN_SELCHANGE(VqsGoCommandPage::IDC_SYSTEM, &VqsGoCommandPage::OnSystemChanged)
    ON_CBN_KILLFOCUS(VqsGoCommandPage::IDC_SYSTEM, &VqsGoCommandPage::OnSystemChanged)
    ON_CBN_CLOSEUP(VqsGoCommandPage::IDC_SYSTEM, &VqsGoCommandPage::OnSystemChanged)
    ON_EN_CHANGE(VqsGoCommandPage::IDC_GO_TEXT, &VqsGoCommandPage::OnTextChanged)
END_MESSAGE_MAP()

VqsGoCommandPage::VqsGoCommandPage() : VqsPropertyPage(IDD, 0), m_goText(&m_connector, IDC_GO_TEXT, -1, 0) {}

VqsGoCommandPage::~VqsGoCommandPage() = default;

void VqsGoCommandPage::DoDataExchange(CDataExchange* pDX)
{
    VqsPropertyPage::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_SYSTEM, m_systemCombo);
}

DWORD VqsGoCommandPage::GetWizardButtons() const
{
    if (m_goText.GetValue().IsEmpty())
        return 0;
    return m_spec ? PSWIZB_NEXT : PSWIZB_FINISH;
}

void VqsGoCommandPage::PostButtons(DWORD flags)
{
    if (m_pSheet)
        m_pSheet->SetWizardButtons(flags);
}

void VqsGoCommandPage::ParseText()
{
    m_spec = VqsGoDispatcher::Instance()->ParseGoText(m_goText.GetValue(), m_arguments);
}

BOOL VqsGoCommandPage::OnInitDialog()
{
    VqsPropertyPage::OnInitDialog();
    PxTypedList<PxVQSystemPtr> systems;
    CObList nodes;
    m_pSheet->m_pModel->GetRootNode().GetSystemNodes(nodes);
    for (POSITION pos = nodes.GetHeadPosition(); pos;)
        systems.AddTail(static_cast<VqsModelNodeSystem*>(nodes.GetNext(pos))->GetSystem());
    VqsGoContext& context = *m_pSheet->m_pContext;
    if (!systems.IsEmpty() && !context.m_pSystem)
        context.m_pSystem = systems.GetHead();
    if (!m_systemCombo.Fill(systems, context.m_pSystem)) {
        m_pSheet->CancelSheet();
        return TRUE;
    }
    if (systems.IsEmpty())
        m_systemCombo.EnableWindow(FALSE);
    ParseText();
    return TRUE;
}

BOOL VqsGoCommandPage::OnSetActive()
{
    if (!VqsPropertyPage::OnSetActive())
        return FALSE;
    PostButtons(GetWizardButtons());
    return TRUE;
}

void VqsGoCommandPage::OnTextChanged()
{
    const DWORD before = GetWizardButtons();
    if (!UpdateData(TRUE))
        return;
    ParseText();
    const DWORD after = GetWizardButtons();
    if (after != before)
        PostButtons(after);
}

void VqsGoCommandPage::OnSystemChanged()
{
    if (!m_pSheet)
        return;
    VqsGoContext& context = *m_pSheet->m_pContext;
    const VqsGoContext& saved = m_pSheet->m_savedContext;
    context.m_pSystem = m_systemCombo.GetSelected();
    if (context.m_pSystem && saved.m_pSystem && context.m_pSystem->IsSameOid(saved.m_pSystem)) {
        context.m_pBSLink = saved.m_pBSLink;
        context.m_pElementLink = saved.m_pElementLink;
        context.m_pGenSet = saved.m_pGenSet;
    } else {
        context.m_pBSLink = PxVQBSSoftLinkPtr();
        context.m_pElementLink = PxVQElementSoftLinkPtr();
        context.m_pGenSet = PxVQGenSetPtr();
    }
}

LRESULT VqsGoCommandPage::OnWizardNext()
{
    {
        VqsDialogCtrlConnector::StrictControl strict = m_connector.MakeStrict();
        if (!UpdateData(TRUE))
            return kStay;
    }
    if (!m_pSheet || !m_spec)
        return kStay;
    if (!m_spec->Filter(m_pSheet->m_parseReturn, *m_pSheet->m_pModel, *m_pSheet->m_pContext, m_arguments))
        return kStay;
    CString message;
    if (m_pSheet->m_parseReturn.GetMessage(message)) {
        VqsGoErrorPage& errorPage = m_pSheet->m_errorPage;
        errorPage.m_strMessage = message;
        errorPage.m_strTitle.LoadString(m_spec->GetTitleId());
        errorPage.m_strSyntax.LoadString(m_spec->GetSyntaxId());
        return VqsPropertyPage::OnWizardNext();
    }
    m_pSheet->PressButton(PSBTN_FINISH);
    m_bFinished = 1;
    return kStay;
}

BOOL VqsGoCommandPage::OnWizardFinish()
{
    {
        VqsDialogCtrlConnector::StrictControl strict = m_connector.MakeStrict();
        if (!UpdateData(TRUE) || !m_pSheet)
            return FALSE;
    }
    return VqsPropertyPage::OnWizardFinish();
}

// ---------------------------------------------------------------- error page

VqsGoErrorPage::VqsGoErrorPage() : VqsPropertyPage(IDD, 0) {}

VqsGoErrorPage::~VqsGoErrorPage() = default;

void VqsGoErrorPage::DoDataExchange(CDataExchange* pDX)
{
    VqsPropertyPage::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_MESSAGE, m_strMessage);
    DDX_Text(pDX, IDC_TITLE, m_strTitle);
    DDX_Text(pDX, IDC_SYNTAX, m_strSyntax);
}

BOOL VqsGoErrorPage::OnSetActive()
{
    if (m_pSheet)
        m_pSheet->SetWizardButtons(PSWIZB_BACK);
    return VqsPropertyPage::OnSetActive();
}

LRESULT VqsGoErrorPage::OnWizardBack() { return VqsGoCommandPage::IDD; }

// ---------------------------------------------------------------- sheet

VqsGoSheet::VqsGoSheet(VqsModel& model, VqsGoContext& context, CWnd* parent)
    : VqsPropertySheet(IDS_GO, parent, 0), m_pModel(&model), m_pContext(&context), m_savedContext(context)
{
    AddPage(&m_commandPage);
    AddPage(&m_errorPage);
    m_commandPage.m_pSheet = this;
    m_errorPage.m_pSheet = this;
    SetWizardMode();
}

VqsGoSheet::~VqsGoSheet() = default;
