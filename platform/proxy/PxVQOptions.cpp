#include "proxy/PxVQOptions.h"

#include "proxy/PxException.h"
#include "proxy/PxTypedList.h"
#include "proxy/PxVQOptionSet.h"
#include "proxy/PxVQSoftLink.h"

PX_IMPLEMENT_CLASS(PxVQOptions, 0)

namespace {

constexpr const char* kSubOptions = "subOptions";

} // namespace

PxVQOptionsPtr PxVQOptions::ParentOptions() const
{
    if (HasAttribute("softLink"))
        return PxVQOptionsPtr();
    return GetOwner();
}

PxVQSoftLinkPtr PxVQOptions::OwnerSoftLink() const
{
    if (PxVQOptionsPtr parent = ParentOptions())
        return parent->OwnerSoftLink();
    return GetAttributeObject("softLink");
}

PxVQOptionSetPtr PxVQOptions::OwnerOptionSet() const
{
    if (PxVQOptionsPtr parent = ParentOptions())
        return parent->OwnerOptionSet();
    return GetAttributeObject("optionSet");
}

PxVQSoftLinkPtr PxVQOptions::GetSoftLink() const
{
    Enter("PxVQOptions::GetSoftLink");
    return OwnerSoftLink();
}

std::vector<PxVQSoftLinkPtr> PxVQOptions::SoftLinksOf(const std::vector<PxVQOptionsPtr>& records)
{
    // A record names its link itself, read alone for all of them together; one that names no
    // link present (a sub-record asks its record) is asked on its own.
    std::vector<PxObjectPtr> objects;
    for (const PxVQOptionsPtr& record : records) {
        record->Enter("PxVQOptions::GetSoftLink");
        objects.push_back(record);
    }
    const std::vector<PxObjectPtr> named = AttributeObjectsOf(objects, "softLink");
    std::vector<PxVQSoftLinkPtr> links;
    links.reserve(records.size());
    for (std::size_t index = 0; index < records.size(); ++index)
        links.push_back(named[index] ? PxVQSoftLinkPtr(named[index]) : records[index]->OwnerSoftLink());
    return links;
}

PxVQOptionSetPtr PxVQOptions::GetOptionSet() const
{
    Enter("PxVQOptions::GetOptionSet");
    return OwnerOptionSet();
}

CString PxVQOptions::GetName() const
{
    Enter("PxVQOptions::GetName");
    if (HasAttribute("name"))
        return GetAttributeText("name");
    PxVQSoftLinkPtr link = OwnerSoftLink();
    return link ? link->GetName() : CString();
}

const char* PxVQOptions::SubOptionsClass() const { return nullptr; }

PxVQOptionsPtr PxVQOptions::CreateSubOptions(const char* name)
{
    Enter("PxVQOptions::CreateSubOptions");
    const char* className = SubOptionsClass();
    if (!className)
        PX_THROW("The options of class %1 take no sub-options.", GetClassName());
    PxVQOptionsPtr sub = CreateMember(kSubOptions, className);
    sub->SetAttributeText("name", name);
    return sub;
}

PxVQOptionsPtr PxVQOptions::GetSubOptions(const char* name) const
{
    Enter("PxVQOptions::GetSubOptions");
    return FindMember(kSubOptions, "name", name);
}

void PxVQOptions::DeleteSubOptions(const char* name)
{
    Enter("PxVQOptions::DeleteSubOptions");
    if (PxVQOptionsPtr sub = FindMember(kSubOptions, "name", name))
        sub->DeleteObject();
}

void PxVQOptions::GetListOfSubOptions(PxTypedList<PxVQOptionsPtr>& subOptions) const
{
    ReadList("PxVQOptions::GetListOfSubOptions", kSubOptions, subOptions);
}
