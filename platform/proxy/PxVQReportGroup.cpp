#include "proxy/PxVQReportGroup.h"

#include "proxy/PxException.h"
#include "proxy/PxObjectKind.h"
#include "proxy/PxTypedList.h"
#include "proxy/PxVQBSSoftLink.h"
#include "proxy/PxVQReportSoftLink.h"

PX_IMPLEMENT_CLASS(PxVQReportGroup, PxKindReportGroup)
PX_IMPLEMENT_CLASS(PxVQReportSoftLinkAlias, PxKindReportAlias)

PX_IMPLEMENT_TEXT_PROPERTY(PxVQReportGroup, Name, "name")
PX_IMPLEMENT_TEXT_PROPERTY(PxVQReportGroup, LongName, "longName")
PX_IMPLEMENT_TEXT_PROPERTY(PxVQReportGroup, Description, "description")
PX_IMPLEMENT_TEXT_PROPERTY(PxVQReportSoftLinkAlias, GenerateAs, "generateAs")

namespace {


} // namespace

PxVQBSSoftLinkPtr PxVQReportGroup::GetBSSoftLink() const
{
    Enter("PxVQReportGroup::GetBSSoftLink");
    return GetOwner();
}

PxVQReportSoftLinkAliasPtr PxVQReportGroup::CreateReportSoftLinkAlias(const PxVQReportSoftLinkPtr& report)
{
    Enter("PxVQReportGroup::CreateReportSoftLinkAlias");
    if (!report)
        PX_THROW("Cannot add a null report to a report group.");
    PxVQReportSoftLinkAliasPtr alias = CreateSharedMember(kAliases, "PxVQReportSoftLinkAlias", report, kAliases);
    alias->SetAttributeObject("softLink", report);
    alias->SetAttributeObject("reportGroup", PxObjectPtr(this));
    return alias;
}

void PxVQReportGroup::GetListOfReportSoftLinkAliases(PxTypedList<PxVQReportSoftLinkAliasPtr>& aliases) const
{
    ReadList("PxVQReportGroup::GetListOfReportSoftLinkAliases", kAliases, aliases);
}

std::vector<std::vector<PxObjectPtr>> PxVQReportGroup::ReportSoftLinkAliasesOf(const std::vector<PxObjectPtr>& groups)
{
    return std::move(ReadMembersOfEach({ReportSoftLinkAliasesAsked(groups)}).front());
}

PxObject::MembersAsked PxVQReportGroup::ReportSoftLinkAliasesAsked(const std::vector<PxObjectPtr>& groups)
{
    return {"PxVQReportGroup::ReportSoftLinkAliasesOf", groups, kAliases};
}

std::vector<int> PxVQReportGroup::CountsOfReportSoftLinkAliases(const std::vector<PxObjectPtr>& groups)
{
    return ReadListSizes("PxVQReportGroup::CountsOfReportSoftLinkAliases", groups, kAliases);
}

PxVQReportSoftLinkPtr PxVQReportSoftLinkAlias::GetSoftLink() const
{
    return ReadObject("PxVQReportSoftLinkAlias::GetSoftLink", "softLink");
}

std::vector<PxObjectPtr> PxVQReportSoftLinkAlias::SoftLinksOf(const std::vector<PxObjectPtr>& aliases)
{
    return std::move(ReadObjectsOfEach({SoftLinksAsked(aliases)}).front());
}

PxObject::ReferencesAsked PxVQReportSoftLinkAlias::SoftLinksAsked(const std::vector<PxObjectPtr>& aliases)
{
    return {"PxVQReportSoftLinkAlias::SoftLinksOf", aliases, "softLink"};
}

PxVQReportGroupPtr PxVQReportSoftLinkAlias::GetReportGroup() const
{
    return ReadObject("PxVQReportSoftLinkAlias::GetReportGroup", "reportGroup");
}
