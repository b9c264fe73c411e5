#include "model/VqsBSLock.h"

#include "proxy/PxLockErrorInfo.h"
#include "shell/VqsLockFailure.h"
#include "shell/VqsMsgBox.h"
#include "shell/VqsSysApp.h"
#include "win/MbString.h"

VqsBSLock::~VqsBSLock()
{
    try {
        Unlock();
    } catch (...) {
        // The host's callback failed; nothing more can be given back here.
    }
}

int VqsBSLock::Lock(const char* name)
{
    const char* segment = name ? name : "";
    if (m_bHeld && _mbsicmp(m_strName.GetString(), segment) == 0)
        return 1;
    const VqsSysApp* app = VqsGetApp();
    if (app && !app->WyrQuery(segment))
        return 0;
    Unlock();
    m_bHeld = TRUE;
    m_strName = segment;
    return 1;
}

int VqsBSLock::LockForGeneration(const char* name)
{
    if (Lock(name))
        return 1;
    ReportHeldByOther(name);
    return 0;
}

void VqsBSLock::ReportHeldByOther(const char* name)
{
    VqsLockFailure failure;
    failure.code = PxLockHeldByOther;
    failure.objectText = name ? name : "";
    VqsErrorBox(VqsLockFailureMessage(failure));
}

void VqsBSLock::Unlock()
{
    if (!m_bHeld)
        return;
    if (const VqsSysApp* app = VqsGetApp())
        app->WyrNotify(m_strName.GetString());
    m_bHeld = FALSE;
}
