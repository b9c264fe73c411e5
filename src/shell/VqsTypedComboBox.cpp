#include "shell/VqsTypedComboBox.h"

#include "proxy/PxVQHostPackData.h"
#include "proxy/PxVQIspecSoftLink.h"
#include "win/CDC.h"

namespace {

constexpr int kDefaultTextHeight = 8;
constexpr int kTarskPackIds = 8;

BOOL NtHasData(const PxVQKeshPackAssociationNTPtr& nt)
{
    return nt && (!nt->GetPath().IsEmpty() || !nt->GetTable().IsEmpty());
}

BOOL UnixHasData(const PxVQKeshPackAssociationUnixPtr& unix)
{
    return unix && (!unix->GetPath().IsEmpty() || !unix->GetTable().IsEmpty());
}

BOOL TarskHasData(const PxVQKeshPackAssociationTarskPtr& tarsk)
{
    if (!tarsk)
        return FALSE;
    if (!tarsk->GetFixedDisk() || !tarsk->GetEquipmentType().IsEmpty() || !tarsk->GetAcrName().IsEmpty())
        return TRUE;
    for (int number = 1; number <= kTarskPackIds; ++number) {
        if (!tarsk->GetPackId(number).IsEmpty())
            return TRUE;
    }
    return FALSE;
}

// Some host association of the pack holds data (the pack is in use somewhere).
BOOL PackHasAssociationData(const PxVQPackInformationPtr& pack)
{
    PxTypedList<PxVQHostPackDataPtr> entries;
    pack->GetListOfHostPackData(entries);
    for (POSITION pos = entries.GetHeadPosition(); pos;) {
        const PxVQHostPackDataPtr entry = entries.GetNext(pos);
        if (entry && (NtHasData(entry->GetPackAssociationNT()) || UnixHasData(entry->GetPackAssociationUnix()) ||
                      TarskHasData(entry->GetPackAssociationTarsk())))
            return TRUE;
    }
    return FALSE;
}

// Updated links show base 1, links that no longer match their design object overlay 2,
// links that are gone overlay 3.
BOOL SoftLinkImage(const PxVQSoftLinkPtr& link, VqsImageRef* image)
{
    if (!link || !link->ObjectPresent()) {
        image->nVariant = 3;
        return TRUE;
    }
    image->nBase = link->GetUpdatedFlag() ? 1 : 0;
    image->nVariant = link->IsObsolete() ? 2 : 0;
    return TRUE;
}

} // namespace

void VqsDrawComboItem(CComboBox* box, LPDRAWITEMSTRUCT dis, const VqsComboItemLook& look)
{
    CDC* dc = CDC::FromHandle(dis->hDC);
    const CRect rect(dis->rcItem);
    const int item = static_cast<int>(dis->itemID);
    const BOOL selected = (dis->itemState & ODS_SELECTED) != 0;

    const COLORREF oldBack = dc->GetBkColor();
    const COLORREF oldText = dc->GetTextColor();
    const COLORREF back = selected ? GetSysColor(COLOR_HIGHLIGHT) : oldBack;
    const COLORREF text = !look.present ? GetSysColor(COLOR_GRAYTEXT)
                          : selected    ? GetSysColor(COLOR_HIGHLIGHTTEXT)
                                        : oldText;
    dc->SetBkColor(back);
    dc->SetTextColor(text);
    dc->FillSolidRect(&rect, oldBack);

    int x = rect.left;
    VqsSysApp* app = VqsGetApp();
    if (look.hasImage && app) {
        app->DrawObjectImage(dc, look.image, x + 2, rect.top, 0, FALSE);
        x += app->GetImageSize().cx + 2;
    }
    dc->FillSolidRect(CRect(x, rect.top, rect.right, rect.bottom), back);
    if (item >= 0) {
        CString itemText;
        box->GetLBText(item, itemText);
        dc->TextOut(x + 2, rect.top + 1, itemText);
    }
    dc->SetBkColor(oldBack);
    dc->SetTextColor(oldText);
}

void VqsMeasureComboItem(CComboBox* box, LPMEASUREITEMSTRUCT mis)
{
    int height = kDefaultTextHeight;
    CClientDC dc(box);
    TEXTMETRIC metrics{};
    if (dc.GetTextMetrics(&metrics))
        height = metrics.tmHeight;
    mis->itemHeight = static_cast<UINT>(height + 2);
}

CString VqsTypedComboBox_Host::GetItemText(const PxVQHostInformationPtr& host) { return host->GetName(); }

CString VqsTypedComboBox_Pack::GetItemText(const PxVQPackInformationPtr& pack) { return pack->GetName(); }

BOOL VqsTypedComboBox_Pack::GetItemImage(const PxVQPackInformationPtr& pack, VqsImageRef* image)
{
    if (!pack || !pack->ObjectPresent()) {
        image->nVariant = 3;
        return TRUE;
    }
    image->nBase = PackHasAssociationData(pack) ? 1 : 0;
    return TRUE;
}

CString VqsTypedComboBox_ReportSoftLink::GetItemText(const PxVQReportSoftLinkPtr& link) { return VqsShownName(link); }

BOOL VqsTypedComboBox_ReportSoftLink::GetItemImage(const PxVQReportSoftLinkPtr& link, VqsImageRef* image)
{
    return SoftLinkImage(link, image);
}

CString VqsTypedComboBox_SoftLink::GetItemText(const PxVQSoftLinkPtr& link)
{
    if (link->_IsKindOf("PxVQProfileSoftLink")) {
        const PxVQProfileSoftLinkPtr profile(link);
        if (const PxVQIspecSoftLinkPtr component = profile->GetComponent()) {
            const CString ordinateLongName = VqsLongNamesShown() ? profile->GetOrdinateLongName() : CString();
            return VqsShownName(component) + " : " +
                   (ordinateLongName.IsEmpty() ? profile->GetOrdinateName() : ordinateLongName);
        }
    }
    return VqsShownName(link);
}

BOOL VqsTypedComboBox_SoftLink::GetItemImage(const PxVQSoftLinkPtr& link, VqsImageRef* image)
{
    return SoftLinkImage(link, image);
}
