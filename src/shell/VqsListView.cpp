#include "shell/VqsListView.h"

#include "shell/VqsListFrame.h"

VqsListView::VqsListView() = default;

VqsListView::~VqsListView() = default;

VqsListFrame* VqsListView::GetListFrame() const { return dynamic_cast<VqsListFrame*>(GetParentFrame()); }

void VqsListView::GetSelectionContext(PxVQSystemPtr&, PxVQBSSoftLinkPtr&, PxVQElementSoftLinkPtr&, PxVQGenSetPtr&) {}

int VqsListView::GetCommandState(UINT, int*, int*) { return 0; }

void VqsListView::OnObjectChanged(int, const PxVQObjectPtr*, const PxVQObjectPtr*) {}

void VqsListView::OnFontChanged() {}
