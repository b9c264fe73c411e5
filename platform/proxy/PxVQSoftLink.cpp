#include "proxy/PxVQSoftLink.h"

#include "proxy/PxObjectKind.h"
#include "proxy/PxOptionRecords.h"
#include "proxy/PxOptions.h"
#include "proxy/PxTesting.h"
#include "proxy/PxTypedList.h"
#include "proxy/PxVQConfig.h"
#include "proxy/PxVQOptionSet.h"

PX_IMPLEMENT_CLASS(PxVQSoftLink, 0)

PX_IMPLEMENT_TEXT_PROPERTY(PxVQSoftLink, Name, "name")
PX_IMPLEMENT_TEXT_PROPERTY(PxVQSoftLink, LongName, "longName")
PX_IMPLEMENT_TEXT_PROPERTY(PxVQSoftLink, Description, "description")
PX_IMPLEMENT_VALUE_PROPERTY(PxVQSoftLink, std::int64_t, RefTime, "refTime")
PX_IMPLEMENT_VALUE_PROPERTY(PxVQSoftLink, int, UpdatedFlag, "updatedFlag")

void PxVQSoftLink::SetGuidBlob(const void* bytes, int length)
{
    Enter("PxVQSoftLink::SetGuidBlob");
    SetAttributeBlob("guidBlob", bytes, length > 0 ? static_cast<std::size_t>(length) : 0);
}

std::vector<BYTE> PxVQSoftLink::GetGuidBlob() const
{
    Enter("PxVQSoftLink::GetGuidBlob");
    return GetAttributeBlob("guidBlob");
}

void PxVQSoftLink::SetUnusedMark(int value)
{
    WriteInt("PxVQSoftLink::SetUnusedMark", "unusedMark", value != 0 ? 1 : 0);
}

int PxVQSoftLink::GetUnusedMark() const { return static_cast<int>(ReadInt("PxVQSoftLink::GetUnusedMark", "unusedMark")); }

BOOL PxVQSoftLink::IsObsolete() const
{
    return ReadInt("PxVQSoftLink::IsObsolete", "unusedMark") != 0;
}

int PxVQSoftLink::GetState() const { return ReadInt("PxVQSoftLink::GetState", "unusedMark") != 0 ? 0 : 1; }

int PxVQSoftLink::GetElementType() const
{
    Enter("PxVQSoftLink::GetElementType");
    return VQSoftLinkBusinessSegment;
}

PxVQConfigPtr PxVQSoftLink::ConfigOfLink() const { return PxVQConfigPtr(); }

void PxVQSoftLink::CreateBlankOptions()
{
    Enter("PxVQSoftLink::CreateBlankOptions");
    PxOptionRecords::CreateForLink(PxVQSoftLinkPtr(this), ConfigOfLink());
}

void PxVQSoftLink::GetAllOptions(PxObjectCollection& options) const
{
    ReadList("PxVQSoftLink::GetAllOptions", PxOptionRecords::kRole, options);
}

std::vector<std::vector<PxObjectPtr>> PxVQSoftLink::AllOptionsOf(const std::vector<PxObjectPtr>& links)
{
    return ReadMembersOf("PxVQSoftLink::AllOptionsOf", links, PxOptionRecords::kRole);
}

PxOptionsPtr PxVQSoftLink::GetOptions(const PxVQOptionSetPtr& optionSet) const
{
    Enter("PxVQSoftLink::GetOptions");
    PxTesting::NoteListRead("PxVQSoftLink::GetOptions");
    return optionSet ? PxOptionRecords::Find(*this, *optionSet) : PxOptionsPtr();
}

std::vector<PxOptionsPtr> PxVQSoftLink::OptionsOf(const std::vector<PxObjectPtr>& links,
                                                  const PxVQOptionSetPtr& optionSet)
{
    std::vector<PxOptionsPtr> options(links.size());
    if (!optionSet || links.empty())
        return options;
    const std::vector<std::vector<PxObjectPtr>> records = AllOptionsOf(links);
    for (std::size_t index = 0; index < links.size(); ++index)
        options[index] = PxOptionRecords::FindIn(records[index], *optionSet);
    return options;
}

void PxVQSoftLink::RenewOptions() { PxOptionRecords::Renew(PxVQSoftLinkPtr(this), ConfigOfLink()); }
