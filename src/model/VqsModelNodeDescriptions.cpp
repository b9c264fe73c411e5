// What each node kind tells the user about itself: how much configuration hangs under it
// and where it is used. Values that cannot be had keep "***" or 0.
#include "model/VqsModelNodeEnterprise.h"
#include "model/VqsModelNodeGroups.h"
#include "model/VqsModelNodeHost.h"
#include "model/VqsModelNodeLink.h"
#include "model/VqsModelNodeOSet.h"
#include "model/VqsModelNodeOption.h"
#include "model/VqsModelNodeSystem.h"
#include "proxy/PxVQIspecSoftLink.h"
#include "proxy/PxVQProfileSoftLink.h"
#include "proxy/PxVQReportGroup.h"
#include "proxy/VqException.h"
#include "shell/VqsDisplayNames.h"
#include "shell/VqsMsgBox.h"
#include "shell/VqsSysApp.h"
#include "shell/VqsTime.h"

#include <vector>

namespace {

const UINT IDS_DESCRIBE_REPORT_GROUP = 61597;
const UINT IDS_DESCRIBE_REPORT_ALIAS = 61598;
const UINT IDS_SOFT_LINK_KIND_ISPEC = 61599;
const UINT IDS_SOME_OPTION_SET = 61600;
const UINT IDS_DESCRIBE_ELEMENT_LINK = 61601;
const UINT IDS_DESCRIBE_OLD_CONFIG = 61602;
const UINT IDS_DESCRIBE_SYSTEM = 61604;
const UINT IDS_DESCRIBE_BS_LINK = 61605;
const UINT IDS_DESCRIBE_OPTION_SET = 61606;
const UINT IDS_DESCRIBE_HOST = 61612;
const UINT IDS_DESCRIBE_PROFILE_UNDER_ISPEC = 61666;
const UINT IDS_DESCRIBE_ISPEC_BUNDLE_DATA = 61886;
const UINT IDS_DESCRIBE_BUNDLE = 61887;
const UINT IDS_NO_SETS = 61943;
const UINT IDS_EXPLICIT_BUNDLES = 61944;

const char kUnknown[] = "***";

bool LongNames()
{
    const VqsSysApp* app = VqsGetApp();
    return app && app->GetAllowLongNames();
}

// The object's long name when long names are allowed, else (or when it has none) its
// short name.
CString NameOf(const PxObjectPtr& object)
{
    if (LongNames()) {
        CString longName = object->GetStringProperty("longName");
        if (!longName.IsEmpty())
            return longName;
    }
    return object->GetStringProperty("name");
}

// Runs a step that gathers values; a repository failure leaves the values gathered so far.
template <class Step>
void Gather(Step step)
{
    try {
        step();
    } catch (const VqReportableException& error) {
        if (VqsIsLostConnection(error))
            throw;
        // The text is built from what was gathered; the rest keeps its start value.
    }
}

CString Join(const std::vector<CString>& items)
{
    CString joined;
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (i > 0)
            joined += ", ";
        joined += items[i];
    }
    return joined;
}

// The number of children after loading them (cached) when none are loaded yet.
template <class LoadAndCount>
int CountLoadingWhenEmpty(LoadAndCount count)
{
    int children = count(false);
    if (children == 0)
        Gather([&] { children = count(true); });
    return children;
}

} // namespace

CString VqsModelNodeHost::GetDescription()
{
    CString name = kUnknown;
    int inGenSets = 0;
    int inOldConfigs = 0;
    Gather([&] {
        const PxVQHostInformationPtr host = GetHostInformation();
        if (!host || !host->ObjectPresent())
            return;
        name = GetName();
        if (GetParent())
            GetParent()->CountHostUsage(name, inGenSets, inOldConfigs);
    });
    CString text;
    text.Format(IDS_DESCRIBE_HOST, name.GetString(), inGenSets, inOldConfigs);
    return text;
}

CString VqsModelNodeRepAlias::GetDescription()
{
    CString report = kUnknown;
    CString group = kUnknown;
    Gather([&] {
        const PxVQReportSoftLinkPtr link = GetReportAlias()->GetSoftLink();
        if (link)
            report = NameOf(link);
        const PxVQReportGroupPtr parentGroup = VqsObjectOf<PxVQReportGroupPtr>(GetParent());
        if (parentGroup)
            group = NameOf(parentGroup);
    });
    CString text;
    text.Format(IDS_DESCRIBE_REPORT_ALIAS, report.GetString(), group.GetString());
    return text;
}

CString VqsModelNodeRepGroup::GetDescription()
{
    CString name = kUnknown;
    Gather([&] { name = NameOf(GetReportGroup()); });
    const int reports = CountLoadingWhenEmpty([this](bool load) {
        if (load)
            LoadRepAliases(VqsLoadCached);
        return static_cast<int>(m_aliases.GetCount());
    });
    CString text;
    text.Format(IDS_DESCRIBE_REPORT_GROUP, name.GetString(), reports);
    return text;
}

CString VqsModelNodeIspecBundleData::GetDescription()
{
    CString ispec = kUnknown;
    CString bundle = kUnknown;
    Gather([&] {
        const PxVQIspecSoftLinkPtr link = GetIspecBundleData()->GetIspecInformation();
        if (link)
            ispec = NameOf(link);
        const PxVQBundlePtr parentBundle = VqsObjectOf<PxVQBundlePtr>(GetParent());
        if (parentBundle)
            bundle = parentBundle->GetName();
    });
    CString text;
    text.Format(IDS_DESCRIBE_ISPEC_BUNDLE_DATA, ispec.GetString(), bundle.GetString());
    return text;
}

CString VqsModelNodeBundle::GetDescription()
{
    CString name = kUnknown;
    Gather([&] { name = GetBundle()->GetName(); });
    const int entries = CountLoadingWhenEmpty([this](bool load) {
        if (load)
            LoadIspecBundleData(VqsLoadCached);
        return static_cast<int>(m_entries.GetCount());
    });
    CString text;
    text.Format(IDS_DESCRIBE_BUNDLE, name.GetString(), entries);
    return text;
}

CString VqsModelNodeBSLink::GetDescription()
{
    CString name = kUnknown;
    int groups = 0;
    int bundles = 0;
    int updated = 0;
    Gather([&] {
        const PxVQBSSoftLinkPtr link = GetBSSoftLink();
        name = NameOf(link);
        if (!m_elementLinks.IsEmpty()) {
            for (POSITION pos = m_elementLinks.GetHeadPosition(); pos;)
                updated += m_elementLinks.GetNext(pos)->GetSoftLink()->GetUpdatedFlag() ? 1 : 0;
        } else {
            PxTypedList<PxVQElementSoftLinkPtr> links;
            link->GetListOfElementSoftLinks(links);
            for (POSITION pos = links.GetHeadPosition(); pos;)
                updated += links.GetNext(pos)->GetUpdatedFlag() ? 1 : 0;
        }
        if (!m_reportGroups.IsEmpty()) {
            PxTypedList<PxVQReportGroupPtr> list;
            link->GetListOfReportGroups(list);
            groups = static_cast<int>(list.GetCount());
        }
        if (!m_bundles.IsEmpty()) {
            PxTypedList<PxVQBundlePtr> list;
            link->GetListOfBundles(list);
            bundles = static_cast<int>(list.GetCount());
        }
    });
    CString text;
    text.Format(IDS_DESCRIBE_BS_LINK, name.GetString(), groups, bundles, updated);
    return text;
}

CString VqsModelNodeOSet::GetDescription()
{
    CString name = kUnknown;
    int segments = 0;
    int elements = 0;
    int unused = 0;
    Gather([&] {
        const PxVQOptionSetPtr optionSet = GetOptionSet();
        name = NameOf(optionSet);
        std::vector<PxOptionsPtr> records;
        if (!m_options.IsEmpty()) {
            for (POSITION pos = m_options.GetHeadPosition(); pos;)
                records.push_back(m_options.GetNext(pos)->GetOptions());
        } else {
            PxTypedList<PxOptionsPtr> list;
            optionSet->GetAllOptions(list);
            for (POSITION pos = list.GetHeadPosition(); pos;)
                records.push_back(list.GetNext(pos));
        }
        for (const PxOptionsPtr& record : records) {
            if (!record || !record->IsUpdated())
                continue;
            const PxVQOptionsPtr options(record);
            const PxVQSoftLinkPtr link = options ? options->GetSoftLink() : PxVQSoftLinkPtr();
            if (link && link->IsObsolete())
                ++unused;
            if (record->_IsKindOf("PxBSegOptions"))
                ++segments;
            else
                ++elements;
        }
    });
    CString text;
    text.Format(IDS_DESCRIBE_OPTION_SET, name.GetString(), segments, elements, unused);
    return text;
}

CString VqsModelNodeOldConfig::GetDescription()
{
    CString time;
    CString optionSetName = kUnknown;
    CString host = kUnknown;
    CString asSystem = kUnknown;
    CString asDatabase = kUnknown;
    const PxVQOldConfigPtr config = GetOldConfig();
    FormatTime64(config->GetCreatedTimeStamp(), time, "%x %X");
    Gather([&] {
        const PxVQOptionSetPtr optionSet = config->GetOptionSet();
        if (!optionSet)
            return;
        optionSetName = NameOf(optionSet);
        if (const PxVQGenSetPtr genSet{optionSet})
            host = genSet->GetHostName();
        PxTypedList<PxOptionsPtr> records;
        optionSet->GetAllOptions(records);
        for (POSITION pos = records.GetHeadPosition(); pos;) {
            const PxBSegOptionsPtr segment{records.GetNext(pos)};
            if (segment) {
                asSystem = segment->GetAsSys();
                asDatabase = segment->GetAsDBase();
                break;
            }
        }
    });
    CString text;
    text.Format(IDS_DESCRIBE_OLD_CONFIG, time.GetString(), optionSetName.GetString(), host.GetString(),
                asSystem.GetString(), asDatabase.GetString());
    return text;
}

CString VqsModelNodeSystem::GetDescription()
{
    CString name = kUnknown;
    int segments = 0;
    int optionSets = 0;
    int oldConfigs = 0;
    // A repository failure keeps the start values here too, as every other kind does.
    Gather([&] {
        const PxVQSystemPtr system = GetSystem();
        name = NameOf(system);
        oldConfigs = system->CountOfOldConfigs();
        const PxVQCurConfigPtr current = system->GetCurConfig();
        if (current) {
            segments = current->CountOfBSSoftLinks();
            optionSets = current->CountOfOptionSets();
        }
    });
    CString text;
    text.Format(IDS_DESCRIBE_SYSTEM, name.GetString(), segments, optionSets, oldConfigs);
    return text;
}

namespace {

// The kind word of an element link's type (1 Ispec, 2 report, 3 profile, 4 global logic);
// empty for a type that has none. The element-kind names count the component and the
// event apart, so a report is kind 3 there.
CString ElementKindText(int type)
{
    CString text;
    if (type == 1)
        text.LoadString(IDS_SOFT_LINK_KIND_ISPEC);
    else if (type >= 2 && type <= 4)
        text = VqsGetElementKindName(type + 1);
    return text;
}

// The names of the option sets in which the links have updated options, each once.
std::vector<CString> SetsWithUpdatedOptions(const std::vector<PxVQSoftLinkPtr>& links)
{
    std::vector<CString> names;
    auto add = [&](const CString& name) {
        for (const CString& known : names) {
            if (known == name)
                return;
        }
        names.push_back(name);
    };
    for (const PxVQSoftLinkPtr& link : links) {
        PxTypedList<PxOptionsPtr> records;
        link->GetAllOptions(records);
        for (POSITION pos = records.GetHeadPosition(); pos;) {
            const PxOptionsPtr record = records.GetNext(pos);
            if (!record || !record->IsUpdated())
                continue;
            CString name;
            try {
                const PxVQOptionsPtr options(record);
                const PxVQOptionSetPtr optionSet = options ? options->GetOptionSet() : PxVQOptionSetPtr();
                if (optionSet)
                    name = NameOf(optionSet);
            } catch (const VqReportableException& error) {
                if (VqsIsLostConnection(error))
                    throw;
                name.Empty();
            }
            if (name.IsEmpty())
                name.LoadString(IDS_SOME_OPTION_SET);
            add(name);
        }
    }
    return names;
}

// The short names of the bundles, not holding every Ispec, that list the Ispec.
std::vector<CString> ExplicitBundles(const PxVQIspecSoftLinkPtr& ispec)
{
    std::vector<CString> names;
    PxTypedList<PxVQIspecBundleDataPtr> entries;
    ispec->GetListOfIspecBundleData(entries);
    for (POSITION pos = entries.GetHeadPosition(); pos;) {
        const PxVQBundlePtr bundle = entries.GetNext(pos)->GetBundleInformation();
        if (bundle && !bundle->GetContainsAllIspecs())
            names.push_back(bundle->GetName());
    }
    return names;
}

} // namespace

CString VqsModelNodeElementLink::GetDescription()
{
    const PxVQElementSoftLinkPtr link = GetElementSoftLink();
    if (!link)
        return CString();
    const CString kind = ElementKindText(link->GetElementType());
    if (kind.IsEmpty())
        return CString();
    const CString element = NameOf(link);
    CString ispecName = kUnknown;
    CString ordinate = kUnknown;
    if (m_pIspecNode) {
        Gather([&] {
            ispecName = NameOf(m_pIspecNode->GetSoftLink());
            const PxVQProfileSoftLinkPtr profile{link};
            ordinate = LongNames() ? profile->GetOrdinateLongName() : profile->GetOrdinateName();
        });
    }
    std::vector<PxVQSoftLinkPtr> links{link};
    for (POSITION pos = m_profiles.GetHeadPosition(); pos;)
        links.push_back(m_profiles.GetNext(pos)->GetSoftLink());
    std::vector<CString> sets = SetsWithUpdatedOptions(links);
    if (sets.empty()) {
        CString none;
        none.LoadString(IDS_NO_SETS);
        sets.push_back(none);
    }
    CString text;
    if (m_pIspecNode)
        text.FormatMessage(IDS_DESCRIBE_PROFILE_UNDER_ISPEC, ispecName.GetString(), ordinate.GetString());
    else
        text.FormatMessage(IDS_DESCRIBE_ELEMENT_LINK, kind.GetString(), element.GetString());
    text += Join(sets) + ". ";
    if (const PxVQIspecSoftLinkPtr ispec{link}) {
        const std::vector<CString> bundles = ExplicitBundles(ispec);
        if (!bundles.empty()) {
            CString line;
            line.LoadString(IDS_EXPLICIT_BUNDLES);
            text += line + Join(bundles) + ".";
        }
    }
    return text;
}
