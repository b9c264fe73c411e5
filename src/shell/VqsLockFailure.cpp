#include "shell/VqsLockFailure.h"

#include "proxy/PxLockErrorInfo.h"
#include "proxy/PxPersistentLock.h"
#include "proxy/PxProcess.h"
#include "proxy/PxVQHostPackData.h"
#include "proxy/PxVQPackInformation.h"
#include "proxy/PxVQOptionSet.h"
#include "proxy/PxVQOptions.h"
#include "proxy/PxVQSoftLink.h"
#include "proxy/PxVQLink.h"
#include "proxy/VqException.h"
#include "shell/VqsMsgBox.h"
#include "shell/VqsSysApp.h"

namespace {

constexpr UINT IDS_ASSOCIATION_OF = 61626;

CString PersistentLockText(const VqsLockFailure& failure)
{
    CString object = failure.objectText;
    if (object.IsEmpty())
        object.LoadString(61705);
    CString text;
    if (failure.userCode.IsEmpty())
        text.FormatMessage(61706u, object);
    else if (failure.manualLockCount == 0)
        text.FormatMessage(61707u, failure.userCode, object);
    else
        text.FormatMessage(61708u, failure.userCode, object);
    return text;
}

CString LockedByOtherUserText(const VqsLockFailure& failure)
{
    CString text;
    if (failure.objectText.IsEmpty())
        text.LoadString(61709);
    else
        text.FormatMessage(61710u, failure.objectText);
    return text;
}

// The object's name as the lists show it: its long name when the session allows long names
// and it has one, else its name. An object that cannot be read any more is described
// without a name.
CString NameOf(const PxObjectPtr& object, BOOL longNames)
{
    if (!object)
        return CString();
    try {
        if (longNames) {
            CString longName = object->GetStringProperty("longName");
            if (!longName.IsEmpty())
                return longName;
        }
        return object->GetStringProperty("name");
    } catch (const VqReportableException&) {
        return CString();
    }
}

// A pack's data on a host has no name of its own: it is known as its pack's association
// (packs have no long names).
CString PackAssociationText(const PxVQHostPackDataPtr& data)
{
    try {
        const PxVQPackInformationPtr pack = data->GetPackInformation();
        CString text;
        if (pack)
            text.Format(IDS_ASSOCIATION_OF, pack->GetName().GetString());
        return text;
    } catch (const VqReportableException&) {
        return CString();
    }
}

CString LockTargetText(const PxVQObjectPtr& object, BOOL longNames)
{
    if (const PxVQHostPackDataPtr data{object})
        return PackAssociationText(data);
    PxVQOptionsPtr options(object);
    if (!options)
        return NameOf(PxObjectPtr(object), longNames);
    try {
        return VqsOptionsLockText(NameOf(PxObjectPtr(options->GetSoftLink()), longNames),
                                  NameOf(PxObjectPtr(options->GetOptionSet()), longNames));
    } catch (const VqReportableException&) {
        return CString();
    }
}

// Whether the user code is the session user's, as a persistent lock knows its user.
bool IsSessionUsers(const CString& userCode)
{
    VqsSysApp* app = VqsGetApp();
    PxVQLink* link = app ? app->GetLink() : nullptr;
    PxProcess* process = link ? link->GetProcess() : nullptr;
    return process && !userCode.IsEmpty() && VqsShortUserCode(process->GetUserCode()) == VqsShortUserCode(userCode);
}

} // namespace

CString VqsOptionsLockText(LPCTSTR softLinkName, LPCTSTR optionSetName)
{
    CString text;
    text.FormatMessage(62131u, softLinkName, optionSetName);
    return text;
}

CString VqsShortUserCode(const CString& userCode)
{
    const int slash = userCode.Find('/');
    return slash > 0 ? userCode.Left(slash) : userCode;
}

CString VqsLockFailureMessage(const VqsLockFailure& failure)
{
    if (failure.code < 2 || failure.code > 7)
        return CString();
    CString reason = failure.code == 7 ? PersistentLockText(failure) : LockedByOtherUserText(failure);
    if (failure.code == 7 && failure.manualLockCount > 0 && failure.ownLock)
        return reason;
    CString message;
    message.FormatMessage(62136u, reason);
    return message;
}

bool VqsDescribeLockTarget(const PxLockErrorInfo& error)
{
    VqsLockFailure failure;
    failure.code = error.GetErrorCode();
    if (failure.code < 2 || failure.code > 7)
        return false;
    VqsSysApp* app = VqsGetApp();
    failure.objectText = LockTargetText(error.GetObject(), app && app->GetAllowLongNames());
    if (const PxPersistentLockPtr& lock = error.GetPersistentLock()) {
        failure.userCode = lock->GetUserCode();
        failure.manualLockCount = lock->GetManualLockCount();
        failure.ownLock = IsSessionUsers(failure.userCode);
    }
    const CString message = VqsLockFailureMessage(failure);
    VqsHideLockProgress();
    VqsErrorBox(message);
    return true;
}
