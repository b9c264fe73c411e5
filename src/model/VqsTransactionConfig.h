// Transactions on a configuration: the soft links of business segments and their elements,
// with the data they copy from the design (revision GUIDs, colours, languages, subsystems,
// usages and kinds); and, on the current configuration, new generate sets.
#pragma once

#include "model/VqsTransaction.h"
#include "proxy/PxLSEBusinessSegment.h"
#include "proxy/PxVQConfig.h"
#include "proxy/PxVQSoftLink.h"
#include "win/Collections.h"
#include "win/Types.h"

#include <cstdint>
#include <vector>

// Revision GUIDs in the order they are stored in a soft link's GUID blob.
using VqsGuidArray = std::vector<GUID>;

class VqsTransactionConfig : public VqsTransaction {
public:
    explicit VqsTransactionConfig(const PxVQConfigPtr& config);

    // When the transaction began (seconds).
    std::int64_t GetTimeStamp() const { return m_timeStamp; }

    // The segment's soft link, with blank options and the segment's data.
    PxVQBSSoftLinkPtr CreateBSLink(const PxLSEBusinessSegmentPtr& segment);
    void CreateBSLinkOptions(const PxLSEBusinessSegmentPtr& segment, const PxVQBSSoftLinkPtr& bsSoftLink);
    // The element's soft link of its kind, with blank options and the element's data; empty
    // for an element of another kind. A global logic takes `globalLogicId` as its unique id,
    // which is then 0 (used); with 0 it gets no link.
    PxVQElementSoftLinkPtr AddElementSoftLink(const PxVQBSSoftLinkPtr& bsSoftLink, const PxLSEElementPtr& element,
                                              const CStringList& primaryProfiles, WORD& globalLogicId);
    // The automatic profile link of an Ispec.
    PxVQProfileSoftLinkPtr AddProfileSoftLink(const PxVQBSSoftLinkPtr& bsSoftLink, const PxLSEProfilePtr& profile,
                                              const PxVQIspecSoftLinkPtr& ispecSoftLink);
    void SetProfileLinkData(const PxLSEProfilePtr& profile, const PxVQProfileSoftLinkPtr& profileSoftLink);
    // Copies the element's data into its link; nothing without both.
    void SetElementLinkData(const PxLSEElementPtr& element, const PxVQElementSoftLinkPtr& elementSoftLink,
                            const CStringList& primaryProfiles);
    void RefreshSoftLinkFromElement(const PxLSEElementPtr& element, const PxVQSoftLinkPtr& softLink,
                                    const VqsGuidArray& guids);

protected:
    PxVQConfigPtr m_pConfig;

private:
    PxVQElementSoftLinkPtr CreateElementSoftLink(const PxVQBSSoftLinkPtr& bsSoftLink, const PxLSEElementPtr& element,
                                                 const CStringList& primaryProfiles, WORD& globalLogicId);
    bool CollectElementRevisions(const PxLSEElementPtr& element, VqsGuidArray& guids);
    void TakeIspecData(const PxLSEIspecPtr& ispec, const PxVQElementSoftLinkPtr& link);
    static void TakeReportData(const PxLSEReportPtr& report, const PxVQElementSoftLinkPtr& link);
    static void TakeProfileData(const PxLSEProfilePtr& profile, const PxVQElementSoftLinkPtr& link,
                                const CStringList& primaryProfiles);
    static void TakeGlobalLogicData(const PxLSEGlobalLogicPtr& logic, const PxVQElementSoftLinkPtr& link);

    std::int64_t m_timeStamp;
};

class VqsTransactionCurConfig : public VqsTransactionConfig {
public:
    explicit VqsTransactionCurConfig(const PxVQCurConfigPtr& curConfig)
        : VqsTransactionConfig(PxVQConfigPtr(curConfig)), m_pCurConfig(curConfig)
    {
    }

    // A new generate set with blank options; with a source set, a copy of its options.
    PxVQGenSetPtr CopyOptions(LPCTSTR name, LPCTSTR shortName, LPCTSTR description, int hostType, LPCTSTR hostName,
                              const PxVQGenSetPtr& sourceGenSet);

private:
    bool CopyRecords(const PxVQGenSetPtr& target, const PxVQGenSetPtr& source);

    PxVQCurConfigPtr m_pCurConfig;
};

// The names of the primary profiles that the segment's events and components name, in
// element order.
void CollectBusinessSegmentIspecs(const PxLSEBusinessSegmentPtr& segment, CStringList& primaryProfiles);
