#include "options_qsr/VqsOptionPagesQSRProfile.h"

#include "options/VqsLimitDigits.h"
#include "options_qsr/VqsOptionsQSRElementSheets.h"
#include "options_qsr/VqsQSRElementSupport.h"
#include "proxy/PxLSEProfile.h"
#include "serialize/Serialize.h"
#include "shell/VqsRedrawSwitch.h"
#include "win/CDataExchange.h"
#include "win/Mbcs.h"
#include "win/Messages.h"

#include <string>

namespace {

constexpr UINT IDS_TOLVE = 61588;

constexpr int IDC_DUPLICATES_FIRST = 1334;
constexpr int IDC_DUPLICATES_LAST = 1335;
constexpr int IDC_DUPLICATES_ANY_ORDER = 1336;
constexpr int IDC_RESIDENT_COARSE = 1337;
constexpr int IDC_RESIDENT_ALL = 1338;
constexpr int IDC_RESIDENT_NONE = 1339;
constexpr int IDC_LOAD_FACTOR = 1331;
constexpr int IDC_USE_DEFAULT_LOAD_FACTOR = 1332;
constexpr int IDC_TABLE_SIZE = 1333;
constexpr int IDC_TABLE_AREA_SIZE = 1451;
constexpr int IDC_BUFFERS = 1320;
constexpr int IDC_BUFFERS_PER_USER = 1321;
constexpr int IDC_USE_DEFAULT_BUFFERS_PER_USER = 1312;
constexpr int IDC_BUFFERS_PER_RANDOM_USER = 1322;
constexpr int IDC_BUFFERS_PER_SERIAL_USER = 1323;
constexpr int IDC_ALLOW_SECTIONS = 1330;
constexpr int IDC_SECTION_LINES = 1528;
constexpr int IDC_SECTION_LINE = 1529;
constexpr int IDC_ADD_LINE = 1341;
constexpr int IDC_DELETE_LINE = 1342;

constexpr int kLineLength = 76;
constexpr int kNoMarkBlank = 32;
constexpr int kNoRule = 0;

// Record values 0 and 1 are the first two buttons; any other value is the third.
int RadioIndexOf(int value) { return value == 0 || value == 1 ? value : 2; }

BOOL HoldsKanji(const CString& text)
{
    for (int i = 0; i < text.GetLength(); ++i)
        if (is_Kanji1(static_cast<unsigned char>(text[i])))
            return TRUE;
    return FALSE;
}

// The line with shift marks around its double-byte runs, fitted to a line of the list. Marks
// the line already holds are taken out first, so that a run is never marked twice.
CString MarkedLine(const CString& line)
{
    std::string plain(static_cast<std::size_t>(line.GetLength()) + 1, '\0');
    removeSokEok(plain.data(), plain.size(), line);
    char marked[kLineLength + 1] = "";
    complexInsertSokEok(marked, sizeof(marked), plain.c_str(), kLineLength, kNoMarkBlank, kNoMarkBlank);
    return marked;
}

void TrimRightBlanks(std::string& text)
{
    const auto end = text.find_last_not_of(" \t\r\n");
    text.erase(end == std::string::npos ? 0 : end + 1);
}

// Cut or padded with blanks to exactly one line.
std::string FullLine(const CString& line)
{
    std::string full(line.GetString(), std::min<std::size_t>(line.GetLength(), kLineLength));
    full.resize(kLineLength, ' ');
    return full;
}

} // namespace

VqsOptionPageQSRProfileEnv::VqsOptionPageQSRProfileEnv(VqsOptions_Profile_QSR_Sheet* sheet, UINT dialogId,
                                                       int pageIndex)
    : VqsOptionPageProfileEnv(sheet, dialogId, pageIndex), m_pQSRSheet(sheet)
{
}

void VqsOptionPageQSRProfileEnv::AdjustLoadedValues()
{
    VqsOptionPageProfileEnv::AdjustLoadedValues();
    m_pack.SetItems(vqsqsr::PackNames());
}

VqsOptionPageQSRProfileTOLVE::VqsOptionPageQSRProfileTOLVE(VqsOptions_Profile_QSR_Sheet* sheet, UINT dialogId,
                                                           int pageIndex)
    : VqsTableOptionPage(sheet, dialogId, IDS_TOLVE, pageIndex), m_pQSRSheet(sheet),
      m_duplicatesOrder(&m_connector, IDC_DUPLICATES_FIRST, IDC_DUPLICATES_LAST, IDC_DUPLICATES_ANY_ORDER),
      m_memoryResident(&m_connector, IDC_RESIDENT_COARSE, IDC_RESIDENT_ALL, IDC_RESIDENT_NONE),
      m_loadFactor(m_table.Number(IDC_LOAD_FACTOR, VQS_NUMBER_OPTION(PxQSRProfileOptions, LoadFactor))),
      m_useDefaultLoadFactor(m_table.DefaultBox(IDC_USE_DEFAULT_LOAD_FACTOR, IDC_LOAD_FACTOR)),
      m_tableSize(m_table.Number(IDC_TABLE_SIZE, VQS_NUMBER_OPTION(PxQSRProfileOptions, TableSize))),
      m_tableAreaSize(m_table.Number(IDC_TABLE_AREA_SIZE, VQS_NUMBER_OPTION(PxQSRProfileOptions, TableAreaSize))),
      m_buffers(m_table.Number(IDC_BUFFERS, VQS_NUMBER_OPTION(PxQSRProfileOptions, ProfileBuffers))),
      m_buffersPerUser(m_table.Number(IDC_BUFFERS_PER_USER,
                                      VQS_NUMBER_OPTION(PxQSRProfileOptions, ProfileBuffersPUser),
                                      VqsOptionTable::Validate)),
      m_useDefaultBuffersPerUser(m_table.DefaultBox(IDC_USE_DEFAULT_BUFFERS_PER_USER, IDC_BUFFERS_PER_USER)),
      m_buffersPerRandomUser(m_table.Number(IDC_BUFFERS_PER_RANDOM_USER,
                                            VQS_NUMBER_OPTION(PxQSRProfileOptions, ProfileBuffersPRandomUser),
                                            VqsOptionTable::Validate)),
      m_buffersPerSerialUser(m_table.Number(IDC_BUFFERS_PER_SERIAL_USER,
                                            VQS_NUMBER_OPTION(PxQSRProfileOptions, ProfileBuffersPSerialUser),
                                            VqsOptionTable::Validate)),
      m_allowSections(m_table.Flag(IDC_ALLOW_SECTIONS, VQS_OPTION(PxQSRProfileOptions, AllowSections))),
      m_line(&m_connector, IDC_SECTION_LINE, kLineLength, kNoRule)
{
}

void VqsOptionPageQSRProfileTOLVE::DoDataExchange(CDataExchange* pDX)
{
    VqsTableOptionPage::DoDataExchange(pDX);
    if (!m_lines.m_hWnd)
        DDX_Control(pDX, IDC_SECTION_LINES, m_lines);
    if (!m_addLine.m_hWnd)
        DDX_Control(pDX, IDC_ADD_LINE, m_addLine);
    if (!m_deleteLine.m_hWnd)
        DDX_Control(pDX, IDC_DELETE_LINE, m_deleteLine);
}

BOOL VqsOptionPageQSRProfileTOLVE::OnInitDialog()
{
    VqsTableOptionPage::OnInitDialog();
    const PxQSRProfileOptions& options = *m_pQSRSheet->GetQSROptions();
    using QSRProfile = PxQSRProfileOptions;
    LimitDigits(m_loadFactor, options, &QSRProfile::HasUpperLimitLoadFactor, 2);
    LimitDigits(m_tableSize, options, &QSRProfile::HasUpperLimitTableSize, 6);
    LimitDigits(m_tableAreaSize, options, &QSRProfile::HasUpperLimitTableAreaSize, 8);
    LimitDigits(m_buffers, options, &QSRProfile::HasUpperLimitProfileBuffers, 3);
    LimitDigits(m_buffersPerUser, options, &QSRProfile::HasUpperLimitProfileBuffersPUser, 3);
    LimitDigits(m_buffersPerRandomUser, options, &QSRProfile::HasUpperLimitProfileBuffersPRandomUser, 3);
    LimitDigits(m_buffersPerSerialUser, options, &QSRProfile::HasUpperLimitProfileBuffersPSerialUser, 3);
    return TRUE;
}

// The marked definition in lines of 76 bytes, each cut on a character boundary. A double-byte
// character that would straddle the end of a line closes its run there, and a line that goes
// on with a run opens it again, so every line but the last stays full and storing the lines
// gives the definition back unchanged.
std::vector<CString> VqsOptionPageQSRProfileTOLVE::SectionLines(const CString& definition)
{
    const std::size_t capacity = 2 * static_cast<std::size_t>(definition.GetLength()) + 1;
    std::string marked(capacity, '\0');
    simpleInsertSokEok(marked.data(), capacity, definition, definition.GetLength(), kNoMarkBlank, kNoMarkBlank);
    marked.resize(std::char_traits<char>::length(marked.c_str()));
    std::vector<std::string> cut;
    for (std::size_t at = 0; at < marked.size();) {
        const std::size_t length = mbcs::CharLength(marked, at);
        const bool doubleByte = length == 2;
        if (cut.empty() || cut.back().size() + length > kLineLength) {
            if (!cut.empty() && cut.back().size() < kLineLength)
                cut.back() += kShiftIn;
            cut.emplace_back(!cut.empty() && doubleByte ? 1 : 0, kShiftOut);
        }
        cut.back().append(marked, at, length);
        at += length;
    }
    std::vector<CString> lines;
    for (std::string& line : cut) {
        TrimRightBlanks(line);
        lines.emplace_back(line.c_str());
    }
    return lines;
}

CString VqsOptionPageQSRProfileTOLVE::SectionDefinition(const std::vector<CString>& lines)
{
    std::string joined;
    for (const CString& line : lines)
        joined += FullLine(line);
    std::string plain(joined.size() + 1, '\0');
    removeSokEok(plain.data(), plain.size(), joined.c_str());
    return plain.c_str();
}

void VqsOptionPageQSRProfileTOLVE::AdjustLoadedValues()
{
    const PxQSRProfileOptions& options = *m_pQSRSheet->GetQSROptions();
    m_duplicatesOrder.m_nValue = RadioIndexOf(options.GetDupOrder());
    m_memoryResident.m_nValue = RadioIndexOf(options.GetMemoryResident());
    m_bDuplicatesAllowed = DesignAllowsDuplicates();
    m_loadedLines = SectionLines(options.GetSectionDefinition());
    const CString first = m_loadedLines.empty() ? CString() : m_loadedLines.front();
    m_line.SetValue(first);
    if (!m_lines.m_hWnd)
        return;
    m_lines.ResetContent();
    for (const CString& line : m_loadedLines)
        m_lines.AddString(line);
    m_lines.SetCurSel(m_loadedLines.empty() ? -1 : 0);
}

BOOL VqsOptionPageQSRProfileTOLVE::DesignAllowsDuplicates() const
{
    const PxLSEBusinessSegmentPtr segment = vqsqsr::DesignSegmentOf(*m_pQSRSheet);
    const PxVQSoftLinkPtr profile = m_pQSRSheet->GetQSROptions()->GetSoftLink();
    if (!segment || !profile)
        return FALSE;
    const PxLSEProfilePtr design(segment->GetElement(profile->GetName()));
    return design && design->GetDuplicates();
}

BOOL VqsOptionPageQSRProfileTOLVE::IsDoubleByteMode()
{
    const PxLSEBusinessSegmentPtr segment = vqsqsr::DesignSegmentOf(*m_pQSRSheet);
    return segment && segment->GetJapaneseSupport() && segment->GetTargetHostQsr() &&
           !segment->GetTargetHostOsTarsk() && !segment->GetTargetHostUnix() && !segment->GetTargetHostNt();
}

void VqsOptionPageQSRProfileTOLVE::EnableDependentControls()
{
    m_duplicatesOrder.Enable(m_bDuplicatesAllowed);
    EnableSectionControls();
}

void VqsOptionPageQSRProfileTOLVE::EnableSectionControls()
{
    if (!m_lines.m_hWnd)
        return;
    const BOOL allowed = m_allowSections.m_bValue;
    const BOOL selected = m_lines.GetCurSel() >= 0;
    m_lines.EnableWindow(allowed);
    m_addLine.EnableWindow(allowed);
    m_deleteLine.EnableWindow(allowed && selected);
    m_line.Enable(allowed && selected);
}

void VqsOptionPageQSRProfileTOLVE::StoreOptions()
{
    VqsTableOptionPage::StoreOptions();
    PxQSRProfileOptions& options = *m_pQSRSheet->GetQSROptions();
    std::vector<CString> lines = m_loadedLines;
    if (m_lines.m_hWnd) {
        lines.clear();
        for (int i = 0; i < m_lines.GetCount(); ++i) {
            CString line;
            m_lines.GetText(i, line);
            lines.push_back(line);
        }
    }
    if (lines.empty())
        options.ClearSectionDefinition();
    else
        options.SetSectionDefinition(SectionDefinition(lines));
    options.SetDupOrder(static_cast<PxEnumDupOrder>(m_duplicatesOrder.m_nValue));
    options.SetMemoryResident(static_cast<PxEnumMemoryResident>(m_memoryResident.m_nValue));
}

BOOL VqsOptionPageQSRProfileTOLVE::IsNotUpdated()
{
    const PxQSRProfileOptions& options = *m_pQSRSheet->GetQSROptions();
    return VqsTableOptionPage::IsNotUpdated() && !options.IsUpdatedDupOrder() && !options.IsUpdatedMemoryResident() &&
           !options.IsUpdatedSectionDefinition();
}

void VqsOptionPageQSRProfileTOLVE::ClearOptions()
{
    VqsTableOptionPage::ClearOptions();
    PxQSRProfileOptions& options = *m_pQSRSheet->GetQSROptions();
    options.ClearDupOrder();
    options.ClearMemoryResident();
    options.ClearSectionDefinition();
}

void VqsOptionPageQSRProfileTOLVE::OnOptionTaken(UINT id)
{
    switch (id) {
    case IDC_ALLOW_SECTIONS:
        EnableSectionControls();
        break;
    case IDC_USE_DEFAULT_LOAD_FACTOR:
        UpdateData(FALSE);
        break;
    case IDC_USE_DEFAULT_BUFFERS_PER_USER:
        if (m_buffersPerUser.GetValue() != 0) {
            m_buffersPerRandomUser.SetValue(0);
            m_buffersPerSerialUser.SetValue(0);
        } else {
            m_buffersPerRandomUser.Enable(TRUE);
            m_buffersPerSerialUser.Enable(TRUE);
        }
        UpdateData(FALSE);
        break;
    case IDC_BUFFERS_PER_USER: {
        const BOOL perUser = m_buffersPerUser.GetValue() != 0;
        if (perUser) {
            m_buffersPerRandomUser.SetValue(0);
            m_buffersPerSerialUser.SetValue(0);
        }
        m_buffersPerRandomUser.Enable(!perUser);
        m_buffersPerSerialUser.Enable(!perUser);
        if (perUser)
            UpdateData(FALSE);
        break;
    }
    case IDC_BUFFERS_PER_RANDOM_USER:
    case IDC_BUFFERS_PER_SERIAL_USER: {
        VqsOptCtrlInt& edited = id == IDC_BUFFERS_PER_RANDOM_USER ? m_buffersPerRandomUser : m_buffersPerSerialUser;
        if (edited.GetValue() != 0) {
            m_buffersPerUser.SetValue(0);
            m_useDefaultBuffersPerUser.m_bValue = FALSE;
            m_buffersPerUser.Enable(TRUE);
            UpdateData(FALSE);
        }
        break;
    }
    default:
        break;
    }
}

BOOL VqsOptionPageQSRProfileTOLVE::OnCommand(WPARAM wParam, LPARAM lParam)
{
    const UINT id = LOWORD(wParam);
    const int code = HIWORD(wParam);
    if (code == BN_CLICKED) {
        if (id >= IDC_DUPLICATES_FIRST && id <= IDC_DUPLICATES_ANY_ORDER)
            OnOptionChanged(&m_duplicatesOrder, TRUE);
        else if (id >= IDC_RESIDENT_COARSE && id <= IDC_RESIDENT_NONE)
            OnOptionChanged(&m_memoryResident, TRUE);
        else if (id == IDC_ADD_LINE)
            OnAddLine();
        else if (id == IDC_DELETE_LINE)
            OnDeleteLine();
    } else if (id == IDC_SECTION_LINES && code == LBN_SELCHANGE) {
        OnLineSelected();
    } else if (id == IDC_SECTION_LINE && code == EN_CHANGE) {
        OnLineEdited();
    } else if (id == IDC_SECTION_LINE && code == EN_KILLFOCUS) {
        OnLineLeft();
    }
    return VqsTableOptionPage::OnCommand(wParam, lParam);
}

void VqsOptionPageQSRProfileTOLVE::OnAddLine()
{
    if (!UpdateData(TRUE) || !BeginModify(nullptr, TRUE))
        return;
    const int selected = m_lines.GetCurSel();
    const int added = selected >= 0 ? m_lines.InsertString(selected, "") : m_lines.AddString("");
    m_lines.SetCurSel(added);
    m_line.SetValue("");
    m_line.SetControlText("");
    m_line.Enable(TRUE);
    m_deleteLine.EnableWindow(TRUE);
    m_line.SetFocus();
}

void VqsOptionPageQSRProfileTOLVE::OnDeleteLine()
{
    if (!UpdateData(TRUE) || !BeginModify(nullptr, TRUE))
        return;
    const int selected = m_lines.GetCurSel();
    if (selected < 0)
        return;
    m_line.SetValue("");
    m_line.SetControlText("");
    m_lines.DeleteString(selected);
    m_line.Enable(FALSE);
    m_deleteLine.EnableWindow(FALSE);
}

void VqsOptionPageQSRProfileTOLVE::OnLineSelected()
{
    const int selected = m_lines.GetCurSel();
    CString line;
    if (selected >= 0)
        m_lines.GetText(selected, line);
    m_line.SetValue(line);
    m_line.SetControlText(line);
    m_line.Enable(selected >= 0);
    m_deleteLine.EnableWindow(selected >= 0);
}

void VqsOptionPageQSRProfileTOLVE::OnLineEdited()
{
    if (OnOptionChanged(&m_line, TRUE) && !HoldsKanji(m_line.GetValue()))
        ReplaceSelectedLine();
}

void VqsOptionPageQSRProfileTOLVE::OnLineLeft()
{
    if (!IsDoubleByteMode())
        return;
    const CString text = m_line.GetControlText();
    if (HoldsKanji(text)) {
        const CString marked = MarkedLine(text);
        m_line.SetValue(marked);
        m_line.SetControlText(marked);
    }
    ReplaceSelectedLine();
    UpdateData(FALSE);
}

void VqsOptionPageQSRProfileTOLVE::ReplaceSelectedLine()
{
    const int selected = m_lines.GetCurSel();
    if (selected < 0)
        return;
    VqsRedrawSwitch noRedraw(&m_lines);
    m_lines.DeleteString(selected);
    m_lines.InsertString(selected, m_line.GetValue());
    m_lines.SetCurSel(selected);
}
