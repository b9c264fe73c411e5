#include "options/VqsOptionsReport.h"

#include "options/VqsOptionsReportDialog.h"
#include "options/VqsReportPrinter.h"
#include "proxy/PxException.h"
#include "shell/VqsMsgBox.h"

#include <utility>

namespace {

constexpr UINT IDS_OPTION_VALUES_FAILED = 61502;
constexpr UINT IDS_ERROR_OCCURRED = 61766;

CString SectionNumber(int section)
{
    CString number;
    number.Format("%d.  ", section);
    return number;
}

CString SubsectionNumber(int section, int subsection)
{
    CString number;
    number.Format("%d.%d  ", section, subsection);
    return number;
}

} // namespace

VqsOptionsReport::VqsOptionsReport(std::vector<PxVQSoftLinkPtr> links, PxVQOptionSetPtr optionSet)
    : m_links(std::move(links)), m_optionSet(std::move(optionSet))
{
}

VqsOptionsReport::Choice VqsOptionsReport::ChooseReport(CWnd* parent, PRINTDLG& block, int& sortChoice)
{
    COptionsReportDialog dialog(parent);
    dialog.SetReportChoice(block, sortChoice);
    const INT_PTR result = dialog.DoModal();
    const int printerValid = dialog.GetReportChoice(block, sortChoice);
    // Cancel prints nothing and is no error, whatever printer the dialog found.
    if (result != IDOK)
        return Choice::Cancelled;
    if (!printerValid) {
        VqsErrorBoxId(IDS_ERROR_OCCURRED);
        return Choice::NoPrinter;
    }
    return Choice::Print;
}

BOOL VqsOptionsReport::BuildNodes(int sortChoice)
{
    m_nodes.clear();
    try {
        for (const PxVQSoftLinkPtr& link : m_links) {
            auto node = std::make_unique<LinkNode>(link, m_optionSet);
            // A link left out would print a partial report as if it were complete.
            if (!node->BuildOptionSetReportTree()) {
                m_nodes.clear();
                VqsErrorBoxId(IDS_OPTION_VALUES_FAILED);
                return FALSE;
            }
            m_nodes.push_back(std::move(node));
        }
    } catch (const VqReportableException& error) {
        m_nodes.clear();
        ShowErrorById(IDS_OPTION_VALUES_FAILED, error);
        return FALSE;
    }
    if (m_nodes.size() > 1) {
        const std::size_t first = m_nodes.front()->m_key == '1' ? 1 : 0;
        SortReportNodes(m_nodes.data() + first, static_cast<unsigned>(m_nodes.size() - first), sortChoice);
    }
    return TRUE;
}

void VqsOptionsReport::PrintPages(PRINTDLG& block, const VqsOptionsReportHeader& header)
{
    VqsReportPrinter printer;
    if (printer.StartPrinting(&block) &&
        printer.PrintTitleBlock(header.systemName, header.businessSegmentName, header.hostTypeName,
                                header.optionSetName)) {
        int number = 0;
        for (const std::unique_ptr<LinkNode>& node : m_nodes)
            if (!PrintNode(printer, *node, ++number))
                break;
    }
    printer.EndPrinting();
}

BOOL VqsOptionsReport::PrintNode(VqsReportPrinter& printer, Node& node, int number)
{
    const CString section = SectionNumber(number);
    if (!printer.PrintSectionHeading(node.m_text, section))
        return FALSE;
    unsigned count = 0;
    const std::unique_ptr<Node>* groups = node.GetChildren(count);
    if (!groups) {
        const VqsReportCells heading{section + node.m_text};
        return printer.PrintGroup(heading, nullptr, node.GetEmptyText());
    }
    for (unsigned m = 0; m < count; ++m)
        if (groups[m] && !PrintGroupNode(printer, *groups[m], number, static_cast<int>(m) + 1))
            return FALSE;
    return TRUE;
}

BOOL VqsOptionsReport::PrintGroupNode(VqsReportPrinter& printer, Node& group, int section, int number)
{
    if (!printer.PrintSubsectionHeading(group.m_text, SubsectionNumber(section, number)))
        return FALSE;
    VqsReportCells headings;
    int* positions = group.GetColumns(headings);
    printer.MeasureText(headings, positions);
    if (!printer.PrintLine(headings, positions))
        return FALSE;
    if (group.GetChildCount() == 0)
        return printer.PrintGroup(headings, positions, group.GetEmptyText());
    BOOL printed = TRUE;
    for (int cursor = 0; cursor >= 0 && printed;) {
        VqsReportCells cells;
        group.GetNextRow(cursor, cells);
        printed = printer.PrintWrappedText(headings, positions, cells);
    }
    return printed;
}
