#include "options/VqsPrDialog.h"

namespace {

constexpr UINT kProgressTemplate = 156;

} // namespace

CPrDialog::CPrDialog(CWnd* parent) : CDialog(kProgressTemplate, parent) {}

BOOL CPrDialog::Create() { return CDialog::Create(kProgressTemplate, m_pParentWnd); }

// The window stays: the printer takes it down when it ends.
void CPrDialog::OnCancel() { m_bCancelled = TRUE; }
