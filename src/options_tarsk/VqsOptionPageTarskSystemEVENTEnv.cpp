#include "options_tarsk/VqsOptionPageTarskSystemEVENTEnv.h"

#include "options_tarsk/VqsOptionsBSegTarskSheet.h"
#include "proxy/PxLSEAssociation.h"
#include "proxy/PxLSEBusinessSegment.h"
#include "proxy/PxLSEEnterprise.h"
#include "proxy/PxLSEProfile.h"
#include "proxy/PxTypedList.h"
#include "proxy/PxVQBSSoftLink.h"
#include "proxy/PxVQProfileSoftLink.h"
#include "shell/VqsSysApp.h"

namespace {

constexpr UINT IDS_ENVIRONMENT = 61561;

constexpr int IDC_MAXIMUM_IN_ISPECS = 32963;
constexpr int IDC_MAXIMUM_IN_REPORTS = 32964;
constexpr int IDC_PRIMARY_EVENT_PROFILE = 32962;

constexpr int kNoValidation = 0;
constexpr int kMaximumCharacters = 2;

// A relation string with an "O" marks the ordinate relation.
BOOL IsOrdinateRelation(const PxLSERelation& relation)
{
    CString text = relation.GetRelationString();
    text.TrimLeft();
    return text.Find('O') >= 0 || text.Find('o') >= 0;
}

BOOL IsEvent(const PxLSEDskObjectPtr& target) { return target && target->GetClassName().CompareNoCase("LSEEvent") == 0; }

} // namespace

VqsOptionPageTarskSystemEVENTEnv::VqsOptionPageTarskSystemEVENTEnv(VqsOptions_BSeg_Tarsk_Sheet* sheet,
                                                                   UINT dialogId, int pageIndex)
    : VqsTableOptionPage(sheet, dialogId, IDS_ENVIRONMENT, pageIndex), m_pTarskSheet(sheet),
      m_maximumInIspecs(
          m_table.Number(IDC_MAXIMUM_IN_ISPECS, VQS_NUMBER_OPTION(PxTarskBSegOptions, EventMaximumInIspecs))),
      m_maximumInReports(
          m_table.Number(IDC_MAXIMUM_IN_REPORTS, VQS_NUMBER_OPTION(PxTarskBSegOptions, EventMaximumInReports))),
      m_primaryProfile(m_table.Combo(IDC_PRIMARY_EVENT_PROFILE,
                                     VQS_TEXT_OPTION(PxTarskBSegOptions, PrimaryEventProfile), kNoValidation))
{
}

BOOL VqsOptionPageTarskSystemEVENTEnv::OnInitDialog()
{
    VqsTableOptionPage::OnInitDialog();
    const PxTarskBSegOptionsPtr& options = m_pTarskSheet->GetTarskOptions();
    std::int64_t upper = 0;
    if (options->HasUpperLimitEventMaximumInIspecs(upper))
        m_maximumInIspecs.SetTextLimit(kMaximumCharacters, 0);
    if (options->HasUpperLimitEventMaximumInReports(upper))
        m_maximumInReports.SetTextLimit(kMaximumCharacters, 0);
    return TRUE;
}

void VqsOptionPageTarskSystemEVENTEnv::AdjustLoadedValues()
{
    const CString shown = m_primaryProfile.GetValue();
    m_primaryProfile.SetItems(EventProfiles());
    m_primaryProfile.SetValue(shown);
}

CStringArray VqsOptionPageTarskSystemEVENTEnv::EventProfiles() const
{
    CStringArray offered;
    offered.Add("");
    const PxVQBSSoftLinkPtr segment(m_pTarskSheet->GetTarskOptions()->GetSoftLink());
    if (!segment)
        return offered;
    CStringArray profiles;
    PxTypedList<PxVQElementSoftLinkPtr> links;
    segment->GetListOfElementSoftLinks(links);
    for (POSITION pos = links.GetHeadPosition(); pos;) {
        const PxVQProfileSoftLinkPtr profile(links.GetNext(pos));
        if (!profile)
            continue;
        profiles.Add(profile->GetName());
        if (profile->GetOverEvent())
            offered.Add(profile->GetName());
    }
    if (offered.GetSize() == 1 && profiles.GetSize() > 0)
        AddDesignEventProfiles(profiles, offered);
    return offered;
}

void VqsOptionPageTarskSystemEVENTEnv::AddDesignEventProfiles(const CStringArray& profiles,
                                                              CStringArray& offered) const
{
    VqsSysApp* app = VqsGetApp();
    const PxLSEEnterprisePtr enterprise = app ? app->GetLSEEnterprise() : PxLSEEnterprisePtr();
    const PxVQBSSoftLinkPtr segmentLink(m_pTarskSheet->GetTarskOptions()->GetSoftLink());
    const PxLSEBusinessSegmentPtr segment = enterprise && segmentLink
                                                ? enterprise->GetBusinessSegment(segmentLink->GetName())
                                                : PxLSEBusinessSegmentPtr();
    if (!segment)
        return;
    for (int i = 0; i < profiles.GetSize(); ++i) {
        const PxLSEProfilePtr profile(segment->GetElement(profiles[i]));
        if (!profile)
            continue;
        PxTypedList<PxLSERelationPtr> relations;
        profile->GetTargetList(relations);
        for (POSITION pos = relations.GetHeadPosition(); pos;) {
            const PxLSERelationPtr relation = relations.GetNext(pos);
            if (IsOrdinateRelation(*relation) && IsEvent(relation->GetTarget())) {
                offered.Add(profiles[i]);
                break;
            }
        }
    }
}
