#include "shell/VqsOpenDialogButton.h"

#include "shell/VqsSysApp.h"
#include "win/CDC.h"
#include "win/CGdiObject.h"
#include "win/CString.h"

namespace {

constexpr int kImages = 3;
constexpr int kTextTop = 4;

int ImageIndex(UINT state)
{
    if (state & ODS_DISABLED)
        return 2;
    return (state & ODS_SELECTED) ? 1 : 0;
}

// Draws the state's image at the left edge; the width of one image, 0 without the bitmap.
int DrawImage(CDC* dc, const CRect& rect, UINT state)
{
    VqsSysApp* app = VqsGetApp();
    CBitmap* bitmap = app ? app->GetCachedBitmap("NAV") : nullptr;
    BITMAP info{};
    if (!bitmap || !bitmap->GetSafeHandle() || !bitmap->GetBitmap(&info))
        return 0;
    const int width = info.bmWidth / kImages;
    CDC memory;
    memory.CreateCompatibleDC(dc);
    CBitmap* previous = memory.SelectObject(bitmap);
    dc->StretchBlt(0, 0, width - 2, rect.Height() - 1, &memory, ImageIndex(state) * width, 0, width, info.bmHeight,
                   SRCCOPY);
    memory.SelectObject(previous);
    memory.DeleteDC();
    return width;
}

// The text split at its first '&', which is not drawn; the character after it is underlined.
void DrawCaption(CDC* dc, int x, const CString& text)
{
    const int amp = text.Find('&');
    const CString before = amp < 0 ? text : text.Left(amp);
    const CString after = amp < 0 ? CString() : text.Mid(amp + 1);
    dc->TextOut(x, kTextTop, before);
    TEXTMETRIC metrics{};
    if (after.IsEmpty() || !dc->GetTextMetrics(&metrics))
        return;
    x += dc->GetTextExtent(before).cx;
    dc->TextOut(x, kTextTop, after);
    const int mnemonicWidth = dc->GetTextExtent(after.GetString(), 1).cx;
    CPen pen(PS_SOLID, 0, dc->GetTextColor());
    CPen* oldPen = dc->SelectObject(&pen);
    dc->MoveTo(x, metrics.tmHeight);
    dc->LineTo(x + mnemonicWidth, metrics.tmHeight);
    dc->SelectObject(oldPen);
    pen.DeleteObject();
}

} // namespace

BEGIN_MESSAGE_MAP(VqsOpenDialogButton, CButton)
END_MESSAGE_MAP()

VqsOpenDialogButton::VqsOpenDialogButton() = default;

VqsOpenDialogButton::~VqsOpenDialogButton() = default;

void VqsOpenDialogButton::DrawItem(LPDRAWITEMSTRUCT dis)
{
    CDC* dc = CDC::FromHandle(dis->hDC);
    const CRect rect(dis->rcItem);
    const int imageWidth = DrawImage(dc, rect, dis->itemState);
    CString text;
    GetWindowText(text);
    DrawCaption(dc, imageWidth + 4, text);
    if (((dis->itemAction & ODA_DRAWENTIRE) && (dis->itemState & ODS_FOCUS)) || (dis->itemAction & ODA_FOCUS)) {
        CRect focus = rect;
        focus.DeflateRect(0, 1);
        dc->DrawFocusRect(&focus);
    }
}
