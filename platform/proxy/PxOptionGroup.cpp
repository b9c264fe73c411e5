#include "proxy/PxOptionGroup.h"

#include "proxy/PxClass.h"

#include <algorithm>
#include <set>
#include <string>
#include <string_view>
#include <utility>

namespace {

constexpr int kExtractFiles = 26;

bool IsExtractFileOption(const PxOptionField& field)
{
    const std::string_view name = field.name;
    return field.indexCount == kExtractFiles && (name.starts_with("ExtractFile") || name == "RecordFormat");
}

// "PxTarskReportOptions" gives "Tarsk Report Options".
CString GroupTitle(std::string_view className)
{
    static const std::pair<std::string_view, std::string_view> kKinds[] = {
        {"BSeg", "Business Segment"}, {"Comp", "Component"}, {"GLG", "Global Logic"}, {"VQ", "General"}};
    if (className.starts_with("Px"))
        className.remove_prefix(2);
    if (className.ends_with("Options"))
        className.remove_suffix(7);
    std::string title;
    for (std::string_view platform : {"NT", "QSR", "Tarsk", "Unix"}) {
        if (className.starts_with(platform) && className.size() > platform.size()) {
            title = std::string(platform) + " ";
            className.remove_prefix(platform.size());
            break;
        }
    }
    std::string kind(className);
    for (const auto& [shortName, longName] : kKinds)
        if (className == shortName)
            kind = longName;
    return CString((title + kind + " Options").c_str());
}

void CollectGroups(const PxClassInfo* info, const PxOptionsPtr& record, std::set<const PxOptionTable*>& seen,
                   std::vector<PxOptionGroup>& groups, PxOptionGroup& extractFiles)
{
    if (!info)
        return;
    CollectGroups(info->base, record, seen, groups, extractFiles);
    CollectGroups(info->base2, record, seen, groups, extractFiles);
    if (!info->options || !seen.insert(info->options).second)
        return;
    PxOptionGroup group(GroupTitle(info->name), record);
    for (std::size_t i = 0; i < info->options->count; ++i) {
        const PxOptionField& field = *info->options->fields[i];
        if (field.aliasOf)
            continue;
        (IsExtractFileOption(field) ? extractFiles : group).AddOption(field);
    }
    if (!group.IsEmpty())
        groups.push_back(std::move(group));
}

} // namespace

PxOptionItem::PxOptionItem(PxOptionsPtr record, const PxOptionField& field, int index)
    : m_record(std::move(record)), m_field(&field), m_index(index)
{
}

CString PxOptionItem::GetName() const
{
    if (m_field->indexCount == 0)
        return m_field->name;
    return CString((std::string(m_field->name) + "[" + std::to_string(m_index) + "]").c_str());
}

CString PxOptionItem::GetValueText() const { return m_record->GetOptionValueText(*m_field, m_index); }

BOOL PxOptionItem::IsSameOption(const PxOptionItem& other) const
{
    return m_index == other.m_index && std::string_view(m_field->name) == other.m_field->name;
}

PxOptionGroup::PxOptionGroup(CString name, PxOptionsPtr record) : m_name(std::move(name)), m_record(std::move(record))
{
}

BOOL PxOptionGroup::IsUpdated() const
{
    for (const PxOptionField* field : m_fields) {
        for (int index = 0; index < std::max(field->indexCount, 1); ++index) {
            if (m_record->IsOptionUpdated(*field, index))
                return TRUE;
        }
    }
    return FALSE;
}

void PxOptionGroup::GetOptionItems(std::vector<PxOptionItemPtr>& items) const
{
    items.clear();
    for (const PxOptionField* field : m_fields) {
        if (field->indexCount == 0)
            items.emplace_back(new PxOptionItem(m_record, *field, 0));
        for (int index = 0; index < field->indexCount; ++index)
            items.emplace_back(new PxOptionItem(m_record, *field, index));
    }
}

void PxOptions::GetListOfOptionGroups(std::vector<PxOptionGroup>& groups) const
{
    Enter("PxOptions::GetListOfOptionGroups");
    groups.clear();
    const PxOptionsPtr self(const_cast<PxOptions*>(this));
    PxOptionGroup extractFiles(kPxExtractFileGroupName, self);
    std::set<const PxOptionTable*> seen;
    CollectGroups(&GetClassInfo(), self, seen, groups, extractFiles);
    if (!extractFiles.IsEmpty())
        groups.push_back(std::move(extractFiles));
}
