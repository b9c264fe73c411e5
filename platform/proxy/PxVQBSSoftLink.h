// The soft link of a business segment in a configuration: its element soft links, report
// groups and bundles, the segment's languages (slots 1 to 15) and subsystem names, and
// what the last synchronisation with the design left.
#pragma once

#include "proxy/PxVQSoftLink.h"
#include "win/Collections.h"
#include "win/Types.h"

#include <string>
#include <utility>
#include <vector>

struct VqcSyncPair;

class PxVQBSSoftLink : public PxVQSoftLink {
    PX_DECLARE_CLASS(PxVQBSSoftLink, PxVQSoftLink)

    PxVQConfigPtr GetConfig() const;
    // The link's lists a walk through it reads, each with the list of their members it reads.
    static std::vector<std::pair<std::string, std::string>> ListsBelow();

    // type: VQSoftLinkType 1 to 5.
    PxVQElementSoftLinkPtr CreateElementSoftLink(const char* name, int type);
    void GetListOfElementSoftLinks(PxTypedList<PxVQElementSoftLinkPtr>& links) const;
    PxVQElementSoftLinkPtr GetElementSoftLink(const char* name) const;

    PxVQReportGroupPtr CreateReportGroup(const char* name);
    void GetListOfReportGroups(PxTypedList<PxVQReportGroupPtr>& groups) const;
    PxVQReportGroupPtr GetReportGroup(const char* name) const;

    PxVQBundlePtr CreateBundle(const char* name);
    void GetListOfBundles(PxTypedList<PxVQBundlePtr>& bundles) const;
    // The element links, report groups and bundles, as their three lists answer, read together.
    void GetListsOfContents(PxTypedList<PxVQElementSoftLinkPtr>& links, PxTypedList<PxVQReportGroupPtr>& groups,
                            PxTypedList<PxVQBundlePtr>& bundles) const;
    struct Contents {
        std::vector<PxObjectPtr> elementLinks;
        std::vector<PxObjectPtr> reportGroups;
        std::vector<PxObjectPtr> bundles;
    };
    // The same of several links, each of the three lists of all of them read together.
    static std::vector<Contents> ContentsOf(const std::vector<PxObjectPtr>& links);
    // The element links of several links, read together.
    static std::vector<std::vector<PxObjectPtr>> ElementSoftLinksOf(const std::vector<PxObjectPtr>& links);

    // Slots 1 to 15; an empty name leaves the slot without a language.
    void SetLanguage(int slot, const char* name);
    CString GetLanguage(int slot) const;
    // The slot of the primary language; -1 for none.
    PX_VALUE_PROPERTY(int, PrimaryLanguageSlot)
    // Subsystem codes "1" to "10", "A", "B", "C" and "LSS".
    void SetSubsystemName(const char* code, const char* name);
    CString GetSubsystemName(const char* code) const;
    PX_VALUE_PROPERTY(int, SysUseROC)

    PX_VALUE_PROPERTY(int, LastSyncOption)
    void SetSyncPairList(const CList<VqcSyncPair, const VqcSyncPair&>& pairs);
    void GetSyncPairList(CList<VqcSyncPair, const VqcSyncPair&>& pairs) const;
    void SetSyncGenRevisionGUID(const GUID& guid);
    GUID GetSyncGenRevisionGUID() const;

    int GetElementType() const override;

protected:
    PxVQBSSoftLink() = default;
    PxVQConfigPtr ConfigOfLink() const override;
};
