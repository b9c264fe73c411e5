#include "sysview/VqsOptionPreview.h"

int VqsOptionPreview::CompareListItems(VqsListItem* a, VqsListItem* b) { return CompareItems(0, TRUE, a, b); }

VqsListItem* VqsOptionPreview::ItemFromData(LPARAM itemData) { return reinterpret_cast<VqsListItem*>(itemData); }

CString VqsOptionPreview::GetColumnText(VqsListItem*, int) { return CString(); }

int VqsOptionPreview::GetItemImage(VqsListItem*) { return 0; }

void VqsOptionPreview::Refresh(VqsModel*) {}

int VqsOptionPreview::GetColumnCount() { return 1; }

CString VqsOptionPreview::GetFindTitle() { return CString(); }

void VqsOptionPreview::ShowOptionSet(const PxVQOptionSetPtr& optionSet, const VqsObjectList& objects)
{
    m_optionSet = optionSet;
    m_nObjects = objects.GetCount();
}
