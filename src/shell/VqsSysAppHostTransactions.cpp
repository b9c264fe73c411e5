// The host's transactions: announced by a prepare, ended by closed or failed; renames and
// creations of design elements come in between.
#include "shell/VqsSysApp.h"

#include "shell/VqsMsgBox.h"
#include "win/LibraryLoader.h"

namespace {

constexpr UINT IDS_INTERNAL_ERROR = 61498;
constexpr UINT IDS_WRONG_PARAMETERS = 61658;
constexpr UINT IDS_NOT_INITIALISED = 61659;
constexpr UINT IDS_UNKNOWN_OBJECT_TYPE = 61660;

constexpr int kHintEnterpriseRenamed = 8;

bool IsGiven(LPCTSTR text) { return AfxIsValidString(text) && *text; }

bool IsElementKeyword(const CString& keyword)
{
    return keyword == "lsecomponent" || keyword == "lseevent" || keyword == "lsereport" ||
           keyword == "lseprofile" || keyword == "lsegloballogic";
}

} // namespace

BOOL VqsSysApp::PrepareForTransaction(LPCTSTR, int)
{
    BeginTransaction();
    return TRUE;
}

BOOL VqsSysApp::Rename(LPCTSTR kindKeyword, LPCTSTR newName, LPCTSTR oldName, LPCTSTR businessSegment)
{
    if (!AfxIsValidString(kindKeyword) || !AfxIsValidString(newName)) {
        VqsErrorBoxId(IDS_WRONG_PARAMETERS);
        return FALSE;
    }
    if (!m_pEnterprise) {
        VqsErrorBoxId(IDS_NOT_INITIALISED);
        return FALSE;
    }
    CString keyword(kindKeyword);
    keyword.MakeLower();
    if (keyword == "lseenterprise") {
        BroadcastObjectChange(kHintEnterpriseRenamed, nullptr, nullptr, nullptr);
        return TRUE;
    }
    if (keyword == "lsebusinesssegment" || keyword == "lsekeyword")
        return TRUE;
    if (!IsElementKeyword(keyword)) {
        VqsErrorBoxId(IDS_UNKNOWN_OBJECT_TYPE);
        return FALSE;
    }
    if (!AfxIsValidString(oldName) || !AfxIsValidString(businessSegment)) {
        VqsErrorBoxId(IDS_WRONG_PARAMETERS);
        return FALSE;
    }
    return TRUE;
}

BOOL VqsSysApp::Create(LPCTSTR kindKeyword, LPCTSTR elementName, LPCTSTR businessSegment)
{
    if (!IsGiven(kindKeyword) || !IsGiven(elementName) || !IsGiven(businessSegment)) {
        VqsErrorBoxId(IDS_INTERNAL_ERROR);
        return FALSE;
    }
    if (!m_pEnterprise) {
        VqsErrorBoxId(IDS_NOT_INITIALISED);
        return FALSE;
    }
    return TRUE;
}

BOOL VqsSysApp::IspecTypeChange(LPCTSTR businessSegment, LPCTSTR, LPCTSTR)
{
    return PrepareForTransaction(businessSegment, 0);
}

void VqsSysApp::TransactionClosed() { FinishTransaction(true); }

void VqsSysApp::TransactionFailed() { FinishTransaction(false); }
