#include "model/VqsTransactionConfig.h"

#include "proxy/PxTypedList.h"
#include "proxy/PxVQOptionSet.h"
#include "proxy/PxVQOptions.h"
#include "proxy/PxVQSoftLink.h"
#include "shell/VqsMsgBox.h"

namespace {

constexpr UINT IDS_CANNOT_ADD_OPTION_SET = 61551;
constexpr UINT IDS_NOT_A_GENERATE_SET = 61654;
constexpr UINT IDS_INCOMPATIBLE_GENERATE_SET = 61655;

// Takes the source's record of the same soft link out of the list; null when it has none.
PxVQOptionsPtr TakeRecordOfLink(PxTypedList<PxVQOptionsPtr>& sources, const PxVQSoftLinkPtr& link)
{
    for (POSITION position = sources.GetHeadPosition(); position;) {
        POSITION current = position;
        PxVQOptionsPtr source = sources.GetNext(position);
        if (source->GetSoftLink()->IsSameOid(link)) {
            sources.RemoveAt(current);
            return source;
        }
    }
    return PxVQOptionsPtr();
}

} // namespace

PxVQGenSetPtr VqsTransactionCurConfig::CopyOptions(LPCTSTR name, LPCTSTR shortName, LPCTSTR description,
                                                   int hostType, LPCTSTR hostName, const PxVQGenSetPtr& sourceGenSet)
{
    return Write<PxVQGenSetPtr>({m_pCurConfig}, IDS_CANNOT_ADD_OPTION_SET, [&] {
        PxVQOptionSetPtr optionSet = m_pCurConfig->CreateOptionSet(RepositoryName(name, shortName), hostType);
        if (AllowLongNames())
            optionSet->SetLongName(name);
        optionSet->SetDescription(description);
        PxVQGenSetPtr genSet(optionSet);
        if (!genSet) {
            VqsErrorBoxId(IDS_NOT_A_GENERATE_SET);
            SetFailed();
            return PxVQGenSetPtr();
        }
        // The source's host, when none is named, only for a set of the host's own type.
        CString host(hostName);
        if (host.IsEmpty() && sourceGenSet && sourceGenSet->GetHostType() == hostType)
            host = sourceGenSet->GetHostName();
        genSet->SetHostName(host);
        genSet->CreateBlankOptions();
        if (sourceGenSet && !CopyRecords(genSet, sourceGenSet)) {
            VqsErrorBoxId(IDS_INCOMPATIBLE_GENERATE_SET);
            SetFailed();
            return PxVQGenSetPtr();
        }
        return genSet;
    });
}

// Each record of the new set takes the data of the source's record of the same soft link
// (converted from another host type), with its sub-records; false when the source has none
// for one of them.
bool VqsTransactionCurConfig::CopyRecords(const PxVQGenSetPtr& target, const PxVQGenSetPtr& source)
{
    PxTypedList<PxVQOptionsPtr> targets;
    PxTypedList<PxVQOptionsPtr> sources;
    target->GetAllOptions(targets);
    source->GetAllOptions(sources);
    for (POSITION position = targets.GetHeadPosition(); position;) {
        PxVQOptionsPtr record = targets.GetNext(position);
        PxVQOptionsPtr sourceRecord = TakeRecordOfLink(sources, record->GetSoftLink());
        if (!sourceRecord)
            return false;
        record->CopyData(sourceRecord);
        // Sub-records are of one host type's records only.
        if (record->GetOptionsType() != sourceRecord->GetOptionsType())
            continue;
        PxTypedList<PxVQOptionsPtr> subRecords;
        sourceRecord->GetListOfSubOptions(subRecords);
        for (POSITION sub = subRecords.GetHeadPosition(); sub;) {
            PxVQOptionsPtr subRecord = subRecords.GetNext(sub);
            record->CreateSubOptions(subRecord->GetName())->CopyData(subRecord);
        }
    }
    return true;
}
