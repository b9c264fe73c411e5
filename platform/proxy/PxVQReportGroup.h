// A report group of a business segment's soft link, and its entries: aliases of report
// soft links, each with the name to generate the report as. An alias goes with its
// group and with its report link.
#pragma once

#include "proxy/PxForward.h"
#include "proxy/PxProperty.h"
#include "proxy/PxVQObject.h"

class PxVQReportGroup : public PxVQObject {
    PX_DECLARE_CLASS(PxVQReportGroup, PxVQObject)

    PX_TEXT_PROPERTY(Name)
    PX_TEXT_PROPERTY(LongName)
    PX_TEXT_PROPERTY(Description)
    PxVQBSSoftLinkPtr GetBSSoftLink() const;

    PxVQReportSoftLinkAliasPtr CreateReportSoftLinkAlias(const PxVQReportSoftLinkPtr& report);
    void GetListOfReportSoftLinkAliases(PxTypedList<PxVQReportSoftLinkAliasPtr>& aliases) const;
    // The number of aliases of each of these report groups, read together.
    static std::vector<int> CountsOfReportSoftLinkAliases(const std::vector<PxObjectPtr>& groups);
    // The aliases of each of these groups, as GetListOfReportSoftLinkAliases of each gives
    // them, read together.
    static std::vector<std::vector<PxObjectPtr>> ReportSoftLinkAliasesOf(const std::vector<PxObjectPtr>& groups);
    // The same read, to be read with others (PxObject::ReadMembersOfEach).
    static MembersAsked ReportSoftLinkAliasesAsked(const std::vector<PxObjectPtr>& groups);

    // The list of a group that holds its aliases.
    static constexpr const char* kAliases = "aliases";

protected:
    PxVQReportGroup() = default;
};

class PxVQReportSoftLinkAlias : public PxVQObject {
    PX_DECLARE_CLASS(PxVQReportSoftLinkAlias, PxVQObject)

    PX_TEXT_PROPERTY(GenerateAs)
    PxVQReportSoftLinkPtr GetSoftLink() const;
    // The report link of each of these aliases, as GetSoftLink of each answers, read together.
    static std::vector<PxObjectPtr> SoftLinksOf(const std::vector<PxObjectPtr>& aliases);
    // The same read, to be read with others (PxObject::ReadObjectsOfEach).
    static ReferencesAsked SoftLinksAsked(const std::vector<PxObjectPtr>& aliases);
    PxVQReportGroupPtr GetReportGroup() const;

protected:
    PxVQReportSoftLinkAlias() = default;
};
