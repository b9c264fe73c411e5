// Help requests: described for the developer when "debughelp" is set, pop-ups turned into
// context help when "helpNoPopup" is set.
#include "shell/VqsSysApp.h"

#include "shell/VqsMsgBox.h"
#include "win/Help.h"
#include "win/LibraryLoader.h"

namespace {

CString TopicText(DWORD_PTR data)
{
    CString text;
    const auto id = static_cast<unsigned>(data);
    text.Format("topic with ID = %u (0x%X hex)", id, id);
    return text;
}

// The text a keyword request carries; empty when it cannot be read.
CString TextAt(DWORD_PTR data)
{
    const auto* text = reinterpret_cast<LPCSTR>(data);
    return AfxIsValidString(text) ? CString(text) : CString();
}

CString AlternativeTableText(DWORD_PTR data)
{
    const auto* request = reinterpret_cast<const MULTIKEYHELP*>(data);
    CString text = "topic in alterntive table:\n";
    if (!AfxIsValidString(reinterpret_cast<LPCSTR>(request), sizeof(MULTIKEYHELP)))
        return text;
    text += "table character = ";
    text += request->mkKeylist;
    text += " topic = ";
    text += TextAt(reinterpret_cast<DWORD_PTR>(request->szKeyphrase));
    return text;
}

// What the request asks for, after "Help debug. Requesting Help ".
CString RequestText(DWORD_PTR data, UINT& command, BOOL noPopup)
{
    switch (command & ~HELP_TCARD) {
    case HELP_CONTEXT:
        return TopicText(data);
    case HELP_QUIT:
        return "to terminate.";
    case HELP_INDEX:
        return "contents or index (obsolete form)";
    case HELP_HELPONHELP:
        return "on Help";
    case HELP_SETINDEX:
        return "contents topic to be\nthe " + TopicText(data);
    case HELP_CONTEXTPOPUP:
        if (!noPopup)
            return "popup window for " + TopicText(data);
        command = HELP_CONTEXT | (command & HELP_TCARD);
        return "popup window (replaced with ordinary context call) for\n" + TopicText(data);
    case HELP_FORCEFILE:
        return "Force File command";
    case HELP_CONTEXTMENU:
        return "context menu... (list of ID is omitted)";
    case HELP_FINDER:
        return "topics";
    case HELP_WM_HELP:
        return "for given window... (map list omitted).";
    case HELP_SETPOPUP_POS:
        return "to set popup window position to ...";
    case HELP_KEY:
        return "topic by a keyword:\n" + TextAt(data);
    case HELP_COMMAND:
        return "macro:\n" + TextAt(data);
    case HELP_PARTIALKEY:
        return "topic by a partial keyword:\n" + TextAt(data);
    case HELP_MULTIKEY:
        return AlternativeTableText(data);
    case HELP_SETWINPOS:
        return "to set help window position to ...";
    default:
        return {};
    }
}

} // namespace

void VqsSysApp::WinHelp(DWORD_PTR data, UINT command)
{
    CString description = (command & HELP_TCARD) ? "Traning Card " : "";
    description += "Help debug. Requesting Help ";
    description += RequestText(data, command, GetHelpNoPopup());
    if (GetHelpDebug())
        VqsMessageBox(description);
    CWinApp::WinHelp(data, command);
}
