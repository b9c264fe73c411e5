// One options report: the options of some soft links in one option set, chosen in the
// report dialog, built into the report tree and printed. The Print command of the directory
// view runs the three steps (under its status texts).
#pragma once

#include "options/VqsReportNodes.h"
#include "win/Printing.h"

#include <memory>
#include <vector>

class CWnd;
class VqsReportPrinter;

// The names of the title block.
struct VqsOptionsReportHeader {
    CString systemName;
    CString businessSegmentName;
    CString optionSetName;
    CString hostTypeName;
};

class VqsOptionsReport {
public:
    enum class Choice { Print, Cancelled, NoPrinter };

    VqsOptionsReport(std::vector<PxVQSoftLinkPtr> links, PxVQOptionSetPtr optionSet);

    // The report dialog over the caller's printer block and order (both updated, whatever
    // the user did). NoPrinter has shown "Error occurred"; Cancelled prints nothing.
    static Choice ChooseReport(CWnd* parent, PRINTDLG& block, int& sortChoice);
    // One link node per link with its tree, then the order (a first business-segment node
    // keeps its place). FALSE, after "Cannot access the option values", when the repository
    // fails or a link's tree cannot be built.
    BOOL BuildNodes(int sortChoice);
    // Prints the built nodes; failures are reported by the printer.
    void PrintPages(PRINTDLG& block, const VqsOptionsReportHeader& header);

    const std::vector<std::unique_ptr<LinkNode>>& Nodes() const { return m_nodes; }

private:
    BOOL PrintNode(VqsReportPrinter& printer, Node& node, int number);
    BOOL PrintGroupNode(VqsReportPrinter& printer, Node& group, int section, int number);

    std::vector<PxVQSoftLinkPtr> m_links;
    PxVQOptionSetPtr m_optionSet;
    std::vector<std::unique_ptr<LinkNode>> m_nodes;
};
