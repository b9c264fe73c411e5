#include "sysview/VqsOptionSetView.h"

int VqsOptionSetView::CompareListItems(VqsListItem* a, VqsListItem* b) { return CompareItems(0, TRUE, a, b); }

VqsListItem* VqsOptionSetView::ItemFromData(LPARAM itemData) { return reinterpret_cast<VqsListItem*>(itemData); }

CString VqsOptionSetView::GetColumnText(VqsListItem*, int) { return CString(); }

int VqsOptionSetView::GetItemImage(VqsListItem*) { return 0; }

void VqsOptionSetView::Refresh(VqsModel*) {}

int VqsOptionSetView::GetColumnCount() { return 1; }

CString VqsOptionSetView::GetFindTitle() { return CString(); }

void VqsOptionSetView::SetConfig(const PxVQConfigPtr& config) { m_config = config; }

void VqsOptionSetView::RefreshOptionSets() {}

PxVQOptionSetPtr VqsOptionSetView::GetSelectedOptionSet() { return PxVQOptionSetPtr(); }
