#include "options_tarsk/VqsTarskSizingPxAdapters.h"

#include "options_tarsk/VqsTarskBulkRows.h"
#include "proxy/PxTarskProfileOptions.h"

#include <algorithm>

VqsElementListCtrlTarskProfileSizingPxAdapter::VqsElementListCtrlTarskProfileSizingPxAdapter(
    VqsOptCtrlCombo* typeCombo, VqsOptCtrlString* valueEdit)
    : VqsSizingPxAdapter(typeCombo, valueEdit,
                         {VqsSizingKind::Default, VqsSizingKind::Expected, VqsSizingKind::Percent, VqsSizingKind::Pages})
{
}

BOOL VqsElementListCtrlTarskProfileSizingPxAdapter::GetSizing(PxOptionsPtr* row, VqsSizing& sizing)
{
    const PxTarskProfileOptionsPtr profile(row ? *row : PxOptionsPtr());
    if (!profile)
        return FALSE;
    if (!profile->IsDefaultExpectedOrVolume())
        sizing = {VqsSizingKind::Expected, profile->GetExpectedOrVolume()};
    else if (!profile->IsDefaultPercent())
        sizing = {VqsSizingKind::Percent, profile->GetPercent()};
    else if (profile->GetProMaxPagesSpecify())
        sizing = {VqsSizingKind::Pages, profile->GetProMaxPages()};
    else
        sizing = {VqsSizingKind::Default, 0};
    return TRUE;
}

void VqsElementListCtrlTarskProfileSizingPxAdapter::SetSizing(PxOptionsPtr* row, const VqsSizing& sizing)
{
    const PxTarskProfileOptionsPtr profile(*row);
    if (sizing.kind == VqsSizingKind::Pages) {
        profile->SetProMaxPages(std::max(sizing.number, kVqsMinimumMaxPages));
        profile->SetProMaxPagesSpecify(1);
    } else {
        profile->SetProMaxPagesSpecify(0);
    }
    if (sizing.kind == VqsSizingKind::Expected && sizing.number != 0)
        profile->SetExpectedOrVolume(sizing.number);
    else
        profile->MakeDefaultExpectedOrVolume();
    if (sizing.kind == VqsSizingKind::Percent)
        profile->SetPercent(sizing.number);
    else
        profile->MakeDefaultPercent();
}

VqsTarskIspecSizingPxAdapter::VqsTarskIspecSizingPxAdapter(VqsOptCtrlCombo* typeCombo, VqsOptCtrlString* valueEdit)
    : VqsSizingPxAdapter(typeCombo, valueEdit, {VqsSizingKind::Expected, VqsSizingKind::Pages})
{
}

BOOL VqsTarskIspecSizingPxAdapter::GetSizing(PxOptionsPtr* row, VqsSizing& sizing)
{
    if (const PxTarskEventOptionsPtr event = vqstarskbulk::EventOf(row)) {
        sizing = {VqsSizingKind::Expected, event->GetVolume()};
        return TRUE;
    }
    const PxTarskCompOptionsPtr component = vqstarskbulk::ComponentOf(row);
    if (!component)
        return FALSE;
    if (component->GetCompMaxPagesSpecify())
        sizing = {VqsSizingKind::Pages, component->GetCompMaxPages()};
    else
        sizing = {VqsSizingKind::Expected, component->GetExpected()};
    return TRUE;
}

void VqsTarskIspecSizingPxAdapter::SetSizing(PxOptionsPtr* row, const VqsSizing& sizing)
{
    if (const PxTarskEventOptionsPtr event = vqstarskbulk::EventOf(row)) {
        event->SetVolume(sizing.number);
        return;
    }
    const PxTarskCompOptionsPtr component = vqstarskbulk::ComponentOf(row);
    if (sizing.kind == VqsSizingKind::Pages) {
        component->SetCompMaxPages(std::max(sizing.number, kVqsMinimumMaxPages));
        component->SetCompMaxPagesSpecify(1);
    } else {
        component->SetCompMaxPagesSpecify(0);
        component->SetExpected(sizing.number);
    }
}
