// The grid of the internal FOLN page: one row per system table of the category shown, each
// cell grey while it holds the default and black once it holds a value of its own.
#pragma once

#include "win/CListCtrl.h"
#include "win/ListView.h"

class VqsOptionPageTarskSystemInternDb;

class VqsListCtrlTarsk : public CListCtrl {
public:
    explicit VqsListCtrlTarsk(VqsOptionPageTarskSystemInternDb* owner) : m_pOwner(owner) {}

protected:
    void OnCustomDraw(NMHDR* header, LRESULT* result);
    DECLARE_MESSAGE_MAP()

private:
    VqsOptionPageTarskSystemInternDb* m_pOwner;
};
