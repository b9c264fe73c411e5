#include "win/CListView.h"

CListView::CListView() = default;

CListView::~CListView() { m_listCtrl.m_hWnd = nullptr; }

CListCtrl& CListView::GetListCtrl() const
{
    m_listCtrl.m_hWnd = m_hWnd;
    return m_listCtrl;
}

void CListView::DrawItem(LPDRAWITEMSTRUCT) {}

BOOL CListView::PreCreateWindow(CREATESTRUCT& cs)
{
    vqwin::RegisterListViewClasses();
    if (!cs.lpszClass)
        cs.lpszClass = WC_LISTVIEW;
    return CView::PreCreateWindow(cs);
}
