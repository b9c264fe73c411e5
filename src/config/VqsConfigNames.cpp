#include "config/VqsConfigNames.h"

#include "shell/VqsMsgBox.h"
#include "shell/VqsOptCtrlString.h"
#include "win/CDialog.h"
#include "win/Mbcs.h"

CString VqsDeriveShortName(const CString& name, int length)
{
    const std::size_t cut = mbcs::CutLength(name.str(), static_cast<std::size_t>(length));
    CString shortName = name.Left(static_cast<int>(cut));
    shortName.MakeUpper();
    return shortName;
}

BOOL VqsTakeNames(CDialog* dialog, BOOL longNames, VqsOptCtrlString& name, int nameId, VqsOptCtrlString& shortName,
                  int shortLength, CString& outName, CString& outShortName)
{
    name.SetValue(VqsTakenName(name.GetValue()));
    outName = name.GetValue();
    shortName.SetValue(VqsTakenName(shortName.GetValue()));
    const BOOL derived = shortName.GetValue().IsEmpty();
    if (derived)
        shortName.SetValue(VqsDeriveShortName(outName, shortLength));
    outShortName = shortName.GetValue();
    dialog->UpdateData(FALSE);
    if (const UINT refusal = VqsCheckTakenName(outName)) {
        dialog->GotoDlgCtrl(dialog->GetDlgItem(nameId));
        VqsErrorBoxId(refusal);
        return FALSE;
    }
    // A derived short name is checked like a typed one.
    return !(longNames && derived) || dialog->UpdateData(TRUE);
}

CString VqsWithShiftMarks(VqsOptCtrlString& binder, const CString& text, int length)
{
    std::string buffer(static_cast<std::size_t>(length) + 1, '\0');
    binder.InsertSokEok(length, buffer.data(), buffer.size(), text);
    return CString(buffer.c_str());
}

CString VqsWithoutShiftMarks(const CString& text)
{
    std::string buffer(text.str().size() + 1, '\0');
    VqsOptCtrlString::RemoveSokEok(buffer.data(), buffer.size(), text);
    return CString(buffer.c_str());
}

CString VqsReplaceFirstS(const CString& format, const CString& text)
{
    const int at = format.Find("%s");
    return at < 0 ? format : format.Left(at) + text + format.Mid(at + 2);
}
