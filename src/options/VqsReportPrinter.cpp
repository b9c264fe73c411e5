#include "options/VqsReportPrinter.h"

#include "options/VqsPrDialog.h"
#include "shell/VqsMsgBox.h"
#include "version/Version.h"
#include "win/CPrintDialog.h"
#include "win/CWinThread.h"
#include "win/Clock.h"
#include "win/Mbcs.h"
#include "win/Messages.h"

#include <algorithm>
#include <cstring>
#include <ctime>
#include <map>
#include <mutex>
#include <string>

namespace {

constexpr UINT IDS_DEFAULT_PRINTER_FAILED = 61763;
constexpr UINT IDS_PRINTER_DC_FAILED = 61764;
constexpr UINT IDS_START_PRINT_FAILED = 61765;
constexpr UINT IDS_PAGE = 61858;
constexpr UINT IDS_PRINTING_PAGE = 61859;
constexpr UINT IDS_OPTIONS_REPORT = 61860;
constexpr UINT IDS_SYSTEM_NAME = 61861;
constexpr UINT IDS_BUSINESS_SEGMENT_NAME = 61862;
constexpr UINT IDS_OPTION_SET_NAME = 61863;
constexpr UINT IDS_HOST_TYPE = 61864;
constexpr int kProgressText = 1377;

constexpr DWORD kSetupFlags = PD_HIDEPRINTTOFILE | PD_USEDEVMODECOPIESANDCOLLATE | PD_NOPAGENUMS | PD_NOSELECTION;
constexpr int kRomanFamily = 16;
// Pages narrower than this (in the measured direction) scale the layout down.
constexpr int kFullScaleMillimetres = 285;

struct FontSpec {
    int height;
    int weight;
    bool underline;
};
constexpr FontSpec kFonts[] = {{200, 800, true}, {200, 800, false}, {200, 400, true},
                               {200, 400, false}, {400, 800, false}, {150, 400, false}};

CString Text(UINT id)
{
    CString text;
    text.LoadString(id);
    return text;
}

CString Numbered(UINT id, int number)
{
    CString text;
    text.FormatMessage(id, std::to_string(number).c_str());
    return text;
}

void ClearBlock(PRINTDLG* block)
{
    if (block->hDevMode)
        GlobalFree(block->hDevMode);
    if (block->hDevNames)
        GlobalFree(block->hDevNames);
    *block = PRINTDLG{};
}

// The character set of the text in the client area of the application's main window.
BYTE MainWindowCharset()
{
    CClientDC dc(AfxGetMainWnd());
    LOGFONT font{};
    CFont* current = dc.GetCurrentFont();
    return current && current->GetLogFont(&font) ? font.lfCharSet : ANSI_CHARSET;
}

CString LocalTimeText()
{
    const __time64_t now = _time64(nullptr);
    const struct tm* local = _localtime64(&now);
    char text[64] = "";
    if (local)
        std::strftime(text, sizeof text, "%B %d, %Y %H:%M:%S", local);
    return text;
}

// A text holding a run of spaces gets one space for each run and loses those at its ends.
void CollapseSpaces(CString& text)
{
    if (text.Find("  ") < 0)
        return;
    while (text.Replace("  ", " ") > 0) {
    }
    text.Trim();
}

// The progress dialog of each printing device context, for the abort procedure.
std::mutex g_progressMutex;
std::map<HDC, HWND> g_progressWindows;

void SetProgressWindow(HDC dc, HWND window)
{
    std::lock_guard lock(g_progressMutex);
    if (window)
        g_progressWindows[dc] = window;
    else
        g_progressWindows.erase(dc);
}

HWND ProgressWindow(HDC dc)
{
    std::lock_guard lock(g_progressMutex);
    auto found = g_progressWindows.find(dc);
    return found == g_progressWindows.end() ? nullptr : found->second;
}

} // namespace

VqsReportPrinter::VqsReportPrinter() = default;

VqsReportPrinter::~VqsReportPrinter()
{
    SetProgressWindow(m_dc.m_hDC, nullptr);
    m_dc.Detach();
    if (m_pPrintSetup && m_pPrintSetup->m_pd.hDC)
        ::DeleteDC(m_pPrintSetup->m_pd.hDC);
}

BOOL VqsReportPrinter::StartPrinting(PRINTDLG* block)
{
    if (!SetUpPrinter(block))
        return FALSE;
    const LPDEVMODE mode = m_pPrintSetup->GetDevMode();
    const short orientation = mode ? mode->dmOrientation : DMORIENT_PORTRAIT;
    if (!m_dc.Attach(m_pPrintSetup->m_pd.hDC)) {
        VqsErrorBoxId(IDS_START_PRINT_FAILED);
        return FALSE;
    }
    if (!OpenDocument())
        return FALSE;
    m_nPreviousMapMode = m_dc.SetMapMode(MM_TWIPS);
    MeasurePage(orientation);
    CreateFonts();
    m_pPreviousFont = m_dc.SelectObject(&m_fonts[SectionFont]);
    TEXTMETRIC metrics{};
    m_dc.GetTextMetrics(&metrics);
    m_nLineHeight = std::max(1, static_cast<int>(metrics.tmHeight + metrics.tmExternalLeading));
    POINT printable{m_dc.GetDeviceCaps(HORZRES), m_dc.GetDeviceCaps(VERTRES)};
    m_dc.DPtoLP(&printable);
    m_nLinesPerPage = (std::abs(static_cast<int>(printable.y)) - 2 * m_nMargin) / m_nLineHeight - 1;
    return TRUE;
}

BOOL VqsReportPrinter::SetUpPrinter(PRINTDLG* block)
{
    m_pPrintSetup = std::make_unique<CPrintDialog>(TRUE, kSetupFlags);
    if (!block->hDevMode || !block->hDevNames) {
        if (!m_pPrintSetup->GetDefaults()) {
            ClearBlock(block);
            VqsErrorBoxId(IDS_DEFAULT_PRINTER_FAILED);
            return FALSE;
        }
        if (m_pPrintSetup->m_pd.hDC)
            ::DeleteDC(std::exchange(m_pPrintSetup->m_pd.hDC, nullptr));
        m_pPrintSetup->m_pd.Flags &= ~PD_RETURNDEFAULT;
        *block = m_pPrintSetup->m_pd;
    }
    m_pPrintSetup->m_pd = *block;
    if (!m_pPrintSetup->CreatePrinterDC()) {
        ClearBlock(block);
        VqsErrorBoxId(IDS_PRINTER_DC_FAILED);
        return FALSE;
    }
    return TRUE;
}

BOOL VqsReportPrinter::OpenDocument()
{
    m_dc.m_bPrinting = TRUE;
    m_dc.SetAbortProc(&VqsReportPrinter::AbortProc);
    m_pProgress = std::make_unique<CPrDialog>();
    m_pProgress->Create();
    SetProgressWindow(m_dc.m_hDC, m_pProgress->m_hWnd);
    if (m_dc.StartDoc("Report") == SP_ERROR) {
        m_bAborted = 1;
        VqsErrorBoxId(IDS_START_PRINT_FAILED);
        return FALSE;
    }
    m_bDocumentStarted = true;
    if (m_dc.StartPage() < 0) {
        m_bAborted = 1;
        VqsErrorBoxId(IDS_START_PRINT_FAILED);
        return FALSE;
    }
    return TRUE;
}

void VqsReportPrinter::MeasurePage(short orientation)
{
    const int millimetres = m_dc.GetDeviceCaps(orientation == DMORIENT_PORTRAIT ? HORZSIZE : VERTSIZE);
    if (millimetres < kFullScaleMillimetres)
        m_fScale = static_cast<float>(millimetres) * (1.0F / kFullScaleMillimetres);
    m_nMargin = static_cast<int>(static_cast<float>(m_nMargin) * m_fScale);
    POINT printable{m_dc.GetDeviceCaps(HORZRES), m_dc.GetDeviceCaps(VERTRES)};
    m_dc.DPtoLP(&printable);
    m_nPageWidth = printable.x;
}

// Fonts of another character set than ANSI take that set and no face name.
void VqsReportPrinter::CreateFonts()
{
    const BYTE charset = MainWindowCharset();
    for (int i = 0; i < FontCount; ++i) {
        LOGFONT font{};
        font.lfHeight = -static_cast<LONG>(static_cast<float>(kFonts[i].height) * m_fScale);
        font.lfWeight = kFonts[i].weight;
        font.lfUnderline = kFonts[i].underline ? 1 : 0;
        font.lfCharSet = charset;
        font.lfPitchAndFamily = kRomanFamily;
        if (charset == ANSI_CHARSET)
            std::strcpy(font.lfFaceName, "Times New Roman");
        m_fonts[static_cast<std::size_t>(i)].CreateFontIndirect(&font);
    }
}

void VqsReportPrinter::Select(Font font) { m_dc.SelectObject(&m_fonts[static_cast<std::size_t>(font)]); }

void VqsReportPrinter::Rule(int y)
{
    m_dc.MoveTo(m_nMargin, y);
    m_dc.LineTo(m_nPageWidth - m_nMargin, y);
}

BOOL VqsReportPrinter::GoOn() const { return !m_bAborted && !(m_pProgress && m_pProgress->IsCancelled()); }

BOOL VqsReportPrinter::NextPage()
{
    PrintPageFooter();
    m_nLine = 0;
    if (m_dc.EndPage() < 0 || m_dc.StartPage() < 0) {
        m_bAborted = 1;
        return FALSE;
    }
    return TRUE;
}

BOOL VqsReportPrinter::NextPageWithHeader() { return NextPage() && PrintPageHeader(); }

BOOL VqsReportPrinter::PrintPageHeader()
{
    if (m_nLine >= m_nLinesPerPage - 3 && !NextPage())
        return FALSE;
    Select(TitleFont);
    m_dc.TextOut(m_nPageWidth / 2 - 3 * m_nMargin, LineY(m_nLine), Text(IDS_OPTIONS_REPORT));
    m_nLine += 2;
    Select(TextFont);
    Rule(LineY(m_nLine));
    m_nLine += 1;
    return GoOn();
}

void VqsReportPrinter::PrintPageFooter()
{
    Select(FooterFont);
    Rule(-(m_nMargin + (m_nLinesPerPage + 1) * m_nLineHeight));
    const int y = static_cast<int>(-((m_nLinesPerPage + 1.5) * m_nLineHeight) - m_nMargin);
    m_dc.TextOut(m_nMargin, y, LocalTimeText());
    m_dc.TextOut(m_nPageWidth / 2 - 2 * m_nMargin, y, VerProductName() + " " + VerProductVersion());
    m_dc.TextOut(m_nPageWidth - 2 * m_nMargin, y, Numbered(IDS_PAGE, m_nPage));
    if (m_pProgress && m_pProgress->m_hWnd)
        m_pProgress->SetDlgItemText(kProgressText, Numbered(IDS_PRINTING_PAGE, m_nPage));
    ++m_nPage;
}

BOOL VqsReportPrinter::PrintTitleBlock(const CString& systemName, const CString& businessSegmentName,
                                       const CString& hostType, const CString& optionSetName)
{
    if (!GoOn())
        return FALSE;
    if (m_nLine >= m_nLinesPerPage - 6 && !NextPage())
        return FALSE;
    Select(TitleFont);
    m_dc.TextOut(m_nPageWidth / 2 - 3 * m_nMargin, LineY(m_nLine), Text(IDS_OPTIONS_REPORT));
    m_nLine += 2;
    Select(TextFont);
    const int valueX = static_cast<int>(m_nMargin * 4.1);
    const std::pair<UINT, const CString*> lines[] = {{IDS_SYSTEM_NAME, &systemName},
                                                     {IDS_BUSINESS_SEGMENT_NAME, &businessSegmentName},
                                                     {IDS_OPTION_SET_NAME, &optionSetName},
                                                     {IDS_HOST_TYPE, &hostType}};
    for (const auto& [label, value] : lines) {
        m_dc.TextOut(m_nMargin, LineY(m_nLine), Text(label));
        m_dc.TextOut(valueX, LineY(m_nLine), *value);
        m_nLine += 1;
    }
    m_nLine += 1;
    Rule(LineY(m_nLine));
    m_nLine += 1;
    return GoOn();
}

BOOL VqsReportPrinter::PrintSectionHeading(const CString& text, const CString& number)
{
    if (!GoOn())
        return FALSE;
    if (m_nLine >= m_nLinesPerPage - 6 && !NextPageWithHeader())
        return FALSE;
    Select(SectionFont);
    m_dc.TextOut(m_nMargin, LineY(m_nLine + 1), number + text);
    m_nLine += 2;
    return GoOn();
}

BOOL VqsReportPrinter::PrintSubsectionHeading(const CString& text, const CString& number)
{
    m_strSubsectionText = text;
    m_strSubsectionNumber = number;
    if (!GoOn())
        return FALSE;
    if (m_nLine >= m_nLinesPerPage - 4 && !NextPageWithHeader())
        return FALSE;
    Select(SubsectionFont);
    m_dc.TextOut(2 * m_nMargin, LineY(m_nLine + 1), number + text);
    m_nLine += 2;
    return GoOn();
}

void VqsReportPrinter::MeasureText(const VqsReportCells& headings, int* positions)
{
    if (!positions || headings.empty())
        return;
    positions[0] = 3 * m_nMargin;
    if (headings.size() == 2) {
        positions[1] = 8 * m_nMargin;
        return;
    }
    const int w = m_dc.GetTextExtent(CString("i")).cx;
    for (std::size_t k = 0; k + 1 < headings.size(); ++k)
        positions[k + 1] = positions[k] + std::max(m_dc.GetTextExtent(headings[k]).cx + w, 2 * w);
}

BOOL VqsReportPrinter::PrintLine(const VqsReportCells& cells, const int* positions)
{
    if (!positions || cells.empty())
        return TRUE;
    if (!GoOn())
        return FALSE;
    if (m_nLine >= m_nLinesPerPage - 2 && !NextPageWithHeader())
        return FALSE;
    Select(ColumnHeadingFont);
    for (std::size_t k = 0; k < cells.size(); ++k)
        m_dc.TextOut(positions[k], LineY(m_nLine + 1), cells[k]);
    m_nLine += 2;
    return GoOn();
}

BOOL VqsReportPrinter::RepeatSubsection(const VqsReportCells& headings, const int* positions)
{
    return PrintSubsectionHeading(m_strSubsectionText, m_strSubsectionNumber) && PrintLine(headings, positions);
}

BOOL VqsReportPrinter::PrintGroup(const VqsReportCells& headings, const int* positions, const CString& text)
{
    if (!GoOn())
        return FALSE;
    if (m_nLine >= m_nLinesPerPage) {
        if (!NextPageWithHeader())
            return FALSE;
        const BOOL repeated = positions ? RepeatSubsection(headings, positions)
                                        : PrintSectionHeading(headings.empty() ? CString() : headings[0], CString());
        if (!repeated)
            return FALSE;
    }
    Select(TextFont);
    m_dc.TextOut(3 * m_nMargin, LineY(m_nLine), text);
    m_nLine += 1;
    return GoOn();
}

BOOL VqsReportPrinter::PrintWrappedText(const VqsReportCells& headings, const int* positions,
                                        const VqsReportCells& cells)
{
    if (!GoOn())
        return FALSE;
    if (!positions)
        return TRUE;
    VqsReportCells rest = cells;
    for (CString& cell : rest)
        CollapseSpaces(cell);
    for (bool more = true; more;) {
        if (m_nLine >= m_nLinesPerPage && !(NextPageWithHeader() && RepeatSubsection(headings, positions)))
            return FALSE;
        Select(TextFont);
        more = false;
        for (std::size_t k = 0; k < rest.size(); ++k) {
            const int room = k + 1 < rest.size() ? positions[k + 1] - positions[k]
                                                 : (m_nPageWidth - m_nMargin) - positions[k];
            CString remainder;
            if (SplitToFit(rest[k], remainder, room))
                m_dc.TextOut(positions[k], LineY(m_nLine), rest[k]);
            if (!GoOn())
                return FALSE;
            rest[k] = remainder;
            more = more || !remainder.IsEmpty();
        }
        m_nLine += 1;
    }
    return TRUE;
}

// Words that do not fit go to the rest whole; a single word wider than the room is cut
// after its last fitting character (never inside a double-byte character), and at least
// one character stays, so that every line takes some of the text, however small the room.
BOOL VqsReportPrinter::SplitToFit(CString& text, CString& rest, int room)
{
    if (text.IsEmpty())
        return FALSE;
    rest.Empty();
    while (m_dc.GetTextExtent(text).cx > room) {
        const int space = text.ReverseFind(' ');
        if (space > 0) {
            rest = text.Mid(space) + " " + rest;
            rest.Trim();
            text = text.Left(space);
            text.Trim();
            continue;
        }
        const std::string& bytes = text.str();
        std::size_t fits = mbcs::CharLength(bytes, 0);
        for (std::size_t next = fits; next < bytes.size(); next += mbcs::CharLength(bytes, next)) {
            const std::size_t after = next + mbcs::CharLength(bytes, next);
            if (m_dc.GetTextExtent(bytes.c_str(), static_cast<int>(after)).cx > room)
                break;
            fits = after;
        }
        rest = rest.IsEmpty() ? text.Mid(static_cast<int>(fits)) : text.Mid(static_cast<int>(fits)) + " " + rest;
        rest.TrimRight();
        text = text.Left(static_cast<int>(fits));
        break;
    }
    return TRUE;
}

void VqsReportPrinter::EndPrinting()
{
    if (m_bDocumentStarted) {
        if (!m_bAborted)
            PrintPageFooter();
        m_dc.SetMapMode(m_nPreviousMapMode);
        if (m_pPreviousFont)
            m_dc.SelectObject(m_pPreviousFont);
    }
    SetProgressWindow(m_dc.m_hDC, nullptr);
    if (m_pProgress) {
        m_pProgress->DestroyWindow();
        m_pProgress.reset();
    }
    if (m_bDocumentStarted) {
        if (m_dc.EndPage() < 0 || m_bAborted)
            m_dc.AbortDoc();
        else
            m_dc.EndDoc();
        m_bDocumentStarted = false;
    }
    m_dc.Detach();
}

// Called by the spooler while it works: hands the progress dialog the clicks waiting for it
// (and nothing else, so that no command of the application runs in the middle of a page).
BOOL VqsReportPrinter::AbortProc(HDC dc, int)
{
    MSG msg;
    if (::PeekMessage(&msg, nullptr, WM_QUIT, WM_QUIT, PM_NOREMOVE))
        return FALSE;
    const HWND progress = ProgressWindow(dc);
    while (progress && ::PeekMessage(&msg, progress, 0, 0, PM_REMOVE)) {
        ::TranslateMessage(&msg);
        ::DispatchMessage(&msg);
    }
    return TRUE;
}
