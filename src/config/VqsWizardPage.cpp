#include "config/VqsWizardPage.h"

#include "model/VqsLockBag.h"
#include "model/VqsLockScope.h"
#include "shell/VqsMsgBox.h"
#include "shell/VqsSysApp.h"
#include "win/CPropertySheet.h"

VqsWizardPage::VqsWizardPage(UINT templateId, UINT captionId) : VqsPropertyPage(templateId, captionId) {}

VqsWizardPage::~VqsWizardPage() = default;

void VqsWizardPage::PostWizardButtons(DWORD buttons)
{
    if (CPropertySheet* sheet = dynamic_cast<CPropertySheet*>(GetParent()))
        sheet->SetWizardButtons(buttons);
}

void VqsWizardPage::FocusControl(int id)
{
    if (CWnd* control = GetDlgItem(id))
        GotoDlgCtrl(control);
}

void VqsWizardPage::RefuseAt(UINT messageId, int id)
{
    FocusControl(id);
    VqsErrorBoxId(messageId);
}

int VqsWizardPage::LockBagObjects(VqsLockBag& bag, int kind)
{
    VqsLockScope scope(SessionLink());
    return bag.LockObjects(kind);
}

PxVQLink* VqsWizardPage::SessionLink()
{
    VqsSysApp* app = VqsGetApp();
    return app ? app->GetLink() : nullptr;
}
