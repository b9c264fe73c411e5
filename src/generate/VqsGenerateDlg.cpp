#include "generate/VqsGenerateDlg.h"

#include "generate/VqsGenerateHosts.h"
#include "proxy/PxVQBSSoftLink.h"
#include "proxy/PxVQConfig.h"
#include "proxy/PxVQTypes.h"
#include "win/CDataExchange.h"

#include <vector>

namespace {

constexpr UINT kGenerateTemplate = 160;
constexpr int kGenSetCombo = 1021;
constexpr int kGenerateReportsCheck = 1789;
constexpr int kSystemEdit = 1047;
constexpr int kVersionEdit = 1048;
constexpr int kHostCombo = 1790;
constexpr int kReportElementType = 2;

// A link the walk passes over: none, gone, or no longer valid.
bool Skipped(const PxVQSoftLinkPtr& link) { return !link || !link->ObjectPresent() || link->IsObsolete(); }

} // namespace

BEGIN_MESSAGE_MAP(VqsGenerateDlg, VqsDialog)
    ON_CBN_SELENDOK(kGenSetCombo, &VqsGenerateDlg::OnSelEndOkGenSet)
END_MESSAGE_MAP()

VqsGenerateDlg::VqsGenerateDlg(CWnd* parent) : VqsDialog(kGenerateTemplate, parent) {}

VqsGenerateDlg::~VqsGenerateDlg() = default;

void VqsGenerateDlg::DoDataExchange(CDataExchange* pDX)
{
    VqsDialog::DoDataExchange(pDX);
    DDX_Control(pDX, kGenSetCombo, m_genSetCombo);
    DDX_Control(pDX, kGenerateReportsCheck, m_generateReportsButton);
    DDX_Text(pDX, kSystemEdit, m_strSystem);
    DDX_Text(pDX, kVersionEdit, m_nVersionNumber);
    DDX_Control(pDX, kHostCombo, m_hostCombo);
    if (pDX->m_bSaveAndValidate)
        m_strHostName = VqsChosenGenerateHost(m_hostCombo);
    DDX_Check(pDX, kGenerateReportsCheck, m_bGenerateReports);
}

BOOL VqsGenerateDlg::OnInitDialog()
{
    VqsDialog::OnInitDialog();
    if (!m_genSetCombo.Fill(m_genSets, m_genSet))
        EndDialog(IDCANCEL);
    UpdateHostAndReports();
    return TRUE;
}

void VqsGenerateDlg::OnSelEndOkGenSet() { UpdateHostAndReports(); }

void VqsGenerateDlg::OnOK()
{
    VqsDialogCtrlConnector::StrictControl strict(&m_connector);
    m_genSet = m_genSetCombo.GetSelected();
    if (m_genSet)
        VqsDialog::OnOK();
}

void VqsGenerateDlg::UpdateHostAndReports()
{
    m_genSet = m_genSetCombo.GetSelected();
    VqsFillGenerateHosts(m_hostCombo, m_genSet);
    if (!m_genSet)
        return;
    m_generateReportsButton.EnableWindow(ConfigHasReportLink());
}

BOOL VqsGenerateDlg::ConfigHasReportLink() const
{
    PxVQConfigPtr config = m_genSet->GetConfig();
    if (!config)
        return FALSE;
    PxTypedList<PxVQBSSoftLinkPtr> segments;
    config->GetListOfBSSoftLinks(segments);
    const CList<PxVQBSSoftLinkPtr, const PxVQBSSoftLinkPtr&>& segmentList = segments;
    for (POSITION pos = segmentList.GetHeadPosition(); pos;) {
        const PxVQBSSoftLinkPtr& segment = segmentList.GetNext(pos);
        if (Skipped(PxVQSoftLinkPtr(segment)))
            continue;
        PxTypedList<PxVQElementSoftLinkPtr> elements;
        segment->GetListOfElementSoftLinks(elements);
        const std::vector<bool> present = PxObject::ArePresent(elements.Objects());
        const CList<PxVQElementSoftLinkPtr, const PxVQElementSoftLinkPtr&>& elementList = elements;
        std::size_t index = 0;
        for (POSITION at = elementList.GetHeadPosition(); at; ++index) {
            const PxVQElementSoftLinkPtr& element = elementList.GetNext(at);
            if (present[index] && !element->IsObsolete() && element->GetElementType() == kReportElementType)
                return TRUE;
        }
    }
    return FALSE;
}
