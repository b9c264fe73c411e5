#include "shell/VqsLockFailure.h"

namespace {

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

} // namespace

CString VqsOptionsLockText(LPCTSTR softLinkName, LPCTSTR optionSetName)
{
    CString text;
    text.FormatMessage(62131u, softLinkName, optionSetName);
    return text;
}

CString VqsLockFailureMessage(const VqsLockFailure& failure)
{
    if (failure.code < 2 || failure.code > 7)
        return CString();
    CString reason = failure.code == 7 ? PersistentLockText(failure) : LockedByOtherUserText(failure);
    CString message;
    message.FormatMessage(62136u, reason);
    return message;
}
