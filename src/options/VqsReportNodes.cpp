#include "options/VqsReportNodes.h"

#include "proxy/PxException.h"
#include "shell/VqsDisplayNames.h"
#include "shell/VqsMsgBox.h"
#include "shell/VqsSysApp.h"
#include "win/MbString.h"

#include <string>

namespace {

constexpr UINT IDS_UNKNOWN_EXTRACT_FILE_KIND = 61773;
constexpr UINT IDS_DISK = 61842;
constexpr UINT IDS_TAPE = 61843;
constexpr UINT IDS_NO = 61844;
constexpr UINT IDS_YES = 61845;
constexpr UINT IDS_OPTION = 61846;
constexpr UINT IDS_VALUE = 61847;
constexpr UINT IDS_NAME = 61848;
constexpr UINT IDS_KIND = 61849;
constexpr UINT IDS_EXPECTED = 61850;
constexpr UINT IDS_RECORDS_PER_BLOCK = 61851;
constexpr UINT IDS_LABELLED = 61852;
constexpr UINT IDS_NO_EXTRACT_FILES = 61853;
constexpr UINT IDS_EXTRACT_FILE_OPTIONS = 61854;
constexpr UINT IDS_NO_OPTIONS = 61855;
constexpr UINT IDS_NOT_AVAILABLE = 61856;
constexpr UINT IDS_KIND_OPTIONS = 61857;
constexpr UINT IDS_DEVICE = 61865;
constexpr UINT IDS_REEL = 61866;
constexpr UINT IDS_FORMAT_TYPE = 61867;
constexpr UINT IDS_FORMAT_STANDARD = 61868;

constexpr int kExtractFiles = 26;

CString Text(UINT id)
{
    CString text;
    text.LoadString(id);
    return text;
}

// Loaded on first use. Made as the library loads, not at first use: the module's end, which may use it, finds it.
CString g_extractFileGroupName;

const CString& ExtractFileGroupName()
{
    if (g_extractFileGroupName.IsEmpty())
        g_extractFileGroupName = Text(IDS_EXTRACT_FILE_OPTIONS);
    return g_extractFileGroupName;
}

// The link node's key by the record's element kind (0 business segment, 1 component,
// 2 event, 3 report, 4 profile, 5 global logic), so that the order by type is business
// segment, component, event, global logic, report, profile.
char KeyOfElementKind(int kind, char unchanged)
{
    static const char kKeys[] = {'1', '2', '3', '5', '6', '4'};
    return kind >= 0 && kind < static_cast<int>(sizeof kKeys) ? kKeys[kind] : unchanged;
}

template <class Getter>
CString NumberCell(Getter get)
{
    try {
        return CString(std::to_string(get()).c_str());
    } catch (const PxExceptionDefOption&) {
        return Text(IDS_NOT_AVAILABLE);
    }
}

} // namespace

int* Node::GetColumns(VqsReportCells&) { return nullptr; }

void Node::GetNextRow(int&, VqsReportCells&) {}

CString Node::GetEmptyText() { return CString(); }

const std::unique_ptr<Node>* Node::GetChildren(unsigned& count) const
{
    if (m_children.empty())
        return nullptr;
    count = GetChildCount();
    return m_children.data();
}

BOOL ItemNode::Build()
{
    m_key = '0';
    m_name = m_item->GetName();
    try {
        m_value = m_item->GetValueText();
    } catch (const PxExceptionDefOption&) {
        m_value = Text(IDS_NOT_AVAILABLE);
    }
    m_text = m_name + "@" + m_value;
    return TRUE;
}

GroupNode::GroupNode(const PxOptionGroup& group, CString name) : Node(std::move(name), ' '), m_group(group) {}

BOOL GroupNode::Build()
{
    m_key = '0';
    std::vector<PxOptionItemPtr> items;
    m_group.GetOptionItems(items);
    m_children.reserve(items.size());
    for (const PxOptionItemPtr& item : items) {
        auto node = std::make_unique<ItemNode>(item);
        if (!node->Build())
            return FALSE;
        m_children.push_back(std::move(node));
    }
    SortReportNodes(m_children.data(), GetChildCount(), 0);
    return TRUE;
}

int* GroupNode::GetColumns(VqsReportCells& headings)
{
    headings = {Text(IDS_OPTION), Text(IDS_VALUE)};
    return m_positions;
}

void GroupNode::GetNextRow(int& cursor, VqsReportCells& cells)
{
    cells.clear();
    if (cursor < 0 || cursor >= static_cast<int>(GetChildCount())) {
        cursor = -1;
        return;
    }
    const auto* item = dynamic_cast<const ItemNode*>(m_children[static_cast<std::size_t>(cursor)].get());
    cells.push_back(item ? item->GetName() : CString());
    cells.push_back(item ? item->GetValue() : CString());
    if (++cursor >= static_cast<int>(GetChildCount()))
        cursor = -1;
}

GroupNodeExtractFile::GroupNodeExtractFile(const PxOptionGroup& group, PxReportOptionsPtr options)
    : GroupNode(group, ExtractFileGroupName()), m_options(std::move(options))
{
}

BOOL GroupNodeExtractFile::Build()
{
    m_key = '0';
    if (!m_options)
        return FALSE;
    std::vector<int> used;
    for (int i = 0; i < kExtractFiles; ++i)
        if (m_options->GetExtractFileUse(i))
            used.push_back(i);
    if (used.empty())
        return TRUE;
    m_children.resize(used.size() * static_cast<std::size_t>(GetColumnCount()));
    std::size_t cursor = 0;
    for (int i : used) {
        AddCell(cursor, CString(std::string(1, static_cast<char>('A' + i)).c_str()));
        if (!BuildRow(i, cursor))
            return FALSE;
    }
    return TRUE;
}

void GroupNodeExtractFile::GetNextRow(int& cursor, VqsReportCells& cells)
{
    const int columns = GetColumnCount();
    const int count = static_cast<int>(GetChildCount());
    cells.clear();
    if (cursor < 0 || cursor * columns >= count) {
        cursor = -1;
        return;
    }
    for (int k = cursor * columns; k < cursor * columns + columns; ++k) {
        const Node* cell = m_children[static_cast<std::size_t>(k)].get();
        cells.push_back(cell ? cell->m_text : CString());
    }
    if (++cursor * columns >= count)
        cursor = -1;
}

CString GroupNodeExtractFile::GetEmptyText() { return Text(IDS_NO_EXTRACT_FILES); }

int* GroupNodeExtractFile::Columns(VqsReportCells& headings, std::initializer_list<UINT> ids, int* positions)
{
    headings.clear();
    for (UINT id : ids)
        headings.push_back(Text(id));
    return positions;
}

void GroupNodeExtractFile::AddCell(std::size_t& cursor, CString text)
{
    m_children[cursor++] = std::make_unique<Node>(std::move(text), '0');
}

CString GroupNodeExtractFile::KindCell(int index)
{
    const int kind = m_options->GetExtractFileKind(index);
    if (kind == 0 || kind == 1)
        return Text(kind == 0 ? IDS_DISK : IDS_TAPE);
    CString message;
    message.FormatMessage(IDS_UNKNOWN_EXTRACT_FILE_KIND, CString(std::to_string(kind).c_str()).GetString());
    VqsErrorBox(message);
    return CString();
}

GroupNodeExtractFileNT::GroupNodeExtractFileNT(const PxOptionGroup& group, PxNTReportOptionsPtr options)
    : GroupNodeExtractFile(group, options), m_platform(std::move(options))
{
}

int* GroupNodeExtractFileNT::GetColumns(VqsReportCells& headings)
{
    return Columns(headings, {IDS_NAME, IDS_KIND}, m_positions);
}

BOOL GroupNodeExtractFileNT::BuildRow(int index, std::size_t& cursor)
{
    if (!m_platform)
        return FALSE;
    AddCell(cursor, KindCell(index));
    return TRUE;
}

GroupNodeExtractFileUnix::GroupNodeExtractFileUnix(const PxOptionGroup& group, PxUnixReportOptionsPtr options)
    : GroupNodeExtractFile(group, options), m_platform(std::move(options))
{
}

int* GroupNodeExtractFileUnix::GetColumns(VqsReportCells& headings)
{
    return Columns(headings, {IDS_NAME, IDS_KIND, IDS_RECORDS_PER_BLOCK}, m_positions);
}

BOOL GroupNodeExtractFileUnix::BuildRow(int index, std::size_t& cursor)
{
    if (!m_platform)
        return FALSE;
    AddCell(cursor, KindCell(index));
    AddCell(cursor, NumberCell([&] { return m_platform->GetExtractFileRecOrBlock(index); }));
    return TRUE;
}

GroupNodeExtractFileTarsk::GroupNodeExtractFileTarsk(const PxOptionGroup& group, PxTarskReportOptionsPtr options)
    : GroupNodeExtractFile(group, options), m_platform(std::move(options))
{
}

int* GroupNodeExtractFileTarsk::GetColumns(VqsReportCells& headings)
{
    return Columns(headings,
                   {IDS_NAME, IDS_KIND, IDS_EXPECTED, IDS_RECORDS_PER_BLOCK, IDS_LABELLED, IDS_DEVICE, IDS_REEL,
                    IDS_FORMAT_TYPE},
                   m_positions);
}

BOOL GroupNodeExtractFileTarsk::BuildRow(int index, std::size_t& cursor)
{
    if (!m_platform)
        return FALSE;
    AddCell(cursor, KindCell(index));
    AddCell(cursor, NumberCell([&] { return m_platform->GetExtractFileExpected(index); }));
    AddCell(cursor, NumberCell([&] { return m_platform->GetExtractFileRecOrBlock(index); }));
    AddCell(cursor, Text(m_platform->GetExtractFileLabelled(index) ? IDS_YES : IDS_NO));
    AddCell(cursor, m_platform->GetExtractFileDevice(index));
    AddCell(cursor, m_platform->GetExtractFileReel(index));
    const int format = m_platform->GetExtractFileFormatType(index);
    AddCell(cursor, format >= 0 && format <= 2 ? Text(IDS_FORMAT_STANDARD + static_cast<UINT>(format)) : CString());
    return TRUE;
}

GroupNodeExtractFileQSR::GroupNodeExtractFileQSR(const PxOptionGroup& group, PxQSRReportOptionsPtr options)
    : GroupNodeExtractFile(group, options), m_platform(std::move(options))
{
}

int* GroupNodeExtractFileQSR::GetColumns(VqsReportCells& headings)
{
    return Columns(headings, {IDS_NAME, IDS_KIND, IDS_EXPECTED, IDS_RECORDS_PER_BLOCK, IDS_LABELLED}, m_positions);
}

BOOL GroupNodeExtractFileQSR::BuildRow(int index, std::size_t& cursor)
{
    if (!m_platform)
        return FALSE;
    AddCell(cursor, KindCell(index));
    AddCell(cursor, NumberCell([&] { return m_platform->GetExtractFileExpected(index); }));
    AddCell(cursor, NumberCell([&] { return m_platform->GetExtractFileRecOrBlock(index); }));
    AddCell(cursor, Text(m_platform->GetExtractFileLabelled(index) ? IDS_YES : IDS_NO));
    return TRUE;
}

LinkNode::LinkNode(PxVQSoftLinkPtr softLink, PxVQOptionSetPtr optionSet)
    : m_softLink(std::move(softLink)), m_optionSet(std::move(optionSet))
{
}

CString LinkNode::GetEmptyText() { return Text(IDS_NO_OPTIONS); }

BOOL LinkNode::BuildOptionSetReportTree()
{
    m_text = VqsShownName(m_softLink);
    if (!m_text.IsEmpty() && m_text[0] == '$')
        m_text = m_text.Mid(1);
    const PxOptionsPtr options = m_softLink->GetOptions(m_optionSet);
    if (!options)
        return FALSE;
    CString kindOptions;
    kindOptions.FormatMessage(IDS_KIND_OPTIONS, VqsGetElementKindName(options->GetOptionsKind()).GetString());
    m_text += kindOptions;
    m_key = KeyOfElementKind(options->GetOptionsKind(), m_key);

    options->GetListOfOptionGroups(m_groups);
    m_children.reserve(m_groups.size());
    for (const PxOptionGroup& group : m_groups) {
        std::unique_ptr<GroupNode> node = MakeGroupNode(group, options);
        if (!node || !node->Build())
            return FALSE;
        m_children.push_back(std::move(node));
    }
    SortReportNodes(m_children.data(), GetChildCount(), 0);
    return TRUE;
}

std::unique_ptr<GroupNode> MakeGroupNode(const PxOptionGroup& group, const PxOptionsPtr& options)
{
    const CString name = group.GetName();
    const PxReportOptionsPtr report(options);
    if (report && name.Compare(ExtractFileGroupName()) == 0) {
        switch (report->GetOptionsType()) {
        case 0:
            if (PxNTReportOptionsPtr nt = report)
                return std::make_unique<GroupNodeExtractFileNT>(group, nt);
            break;
        case 1:
            if (PxQSRReportOptionsPtr qsr = report)
                return std::make_unique<GroupNodeExtractFileQSR>(group, qsr);
            break;
        case 2:
            if (PxTarskReportOptionsPtr tarsk = report)
                return std::make_unique<GroupNodeExtractFileTarsk>(group, tarsk);
            break;
        case 3:
            if (PxUnixReportOptionsPtr unixRecord = report)
                return std::make_unique<GroupNodeExtractFileUnix>(group, unixRecord);
            break;
        default:
            break;
        }
    }
    return std::make_unique<GroupNode>(group, name);
}

int CompareReportNodes(const Node& a, const Node& b, int byType)
{
    if (byType && a.m_key != b.m_key)
        return static_cast<signed char>(a.m_key) < static_cast<signed char>(b.m_key) ? -1 : 1;
    return _mbsicmp(a.m_text.GetString(), b.m_text.GetString());
}
