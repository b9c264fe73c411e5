// The object behind one row of a list or tree view: the texts, images and measured width of
// the row, and whether the row exists.
#pragma once

#include "win/Object.h"

class CDC;
class CFont;
class VqsListView;
struct VqsImageRef;

class VqsListItem : public CObject {
public:
    VqsListItem();
    ~VqsListItem() override;

    // TRUE when the row shows this object image before its text.
    virtual BOOL GetOverlayImage(VqsImageRef& image);
    // The text that Find Next and the tree search look at.
    virtual const char* GetText() = 0;
    virtual BOOL IsTreeItem() = 0;
    // Pixels the item needs in that column; -1 when it has nothing to say.
    virtual int MeasureWidth(int column, CDC* dc, CFont* font);

    // Measures the item for the view's last column with the frame's font.
    void UpdateWidth(VqsListView* view);
    int GetWidth() const { return m_nWidth; }

    BOOL IsListed() const { return m_bListed; }
    virtual void SetListed(bool listed) { m_bListed = listed; }

private:
    int m_nWidth;
    bool m_bListed;
};
