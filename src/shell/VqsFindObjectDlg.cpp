#include "shell/VqsFindObjectDlg.h"

#include "win/CDataExchange.h"

namespace {

constexpr UINT kFindTemplate = 143;
constexpr int kSearchTextEdit = 1403;

// The title template formatted printf-style with one text. The template comes from the
// resource library, so only "%s" (the word) and "%%" are taken as directives; anything
// else stays as written instead of reaching the formatter with an argument it does not get.
CString FormatTitle(const CString& format, const CString& word)
{
    CString title;
    const std::string& text = format.str();
    bool wordUsed = false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '%' && i + 1 < text.size() && text[i + 1] == '%') {
            title += '%';
            ++i;
        } else if (text[i] == '%' && i + 1 < text.size() && text[i + 1] == 's' && !wordUsed) {
            title += word;
            wordUsed = true;
            ++i;
        } else {
            title += text[i];
        }
    }
    return title;
}

} // namespace

BEGIN_MESSAGE_MAP(VqsFindObjectDlg, VqsDialog)
END_MESSAGE_MAP()

VqsFindObjectDlg::VqsFindObjectDlg(CWnd* parent) : VqsDialog(kFindTemplate, parent) {}

VqsFindObjectDlg::~VqsFindObjectDlg() = default;

void VqsFindObjectDlg::DoDataExchange(CDataExchange* pDX)
{
    VqsDialog::DoDataExchange(pDX);
    DDX_Text(pDX, kSearchTextEdit, m_strSearchText);
}

BOOL VqsFindObjectDlg::OnInitDialog()
{
    VqsDialog::OnInitDialog();
    CString format;
    GetWindowText(format);
    SetWindowText(FormatTitle(format, m_strTitleWord));
    return TRUE;
}
