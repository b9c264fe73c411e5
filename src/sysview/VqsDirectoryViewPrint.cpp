// Print of the directory view: the options report of the frame's option set for the soft
// links the tree selection names, after the report dialog.
#include "sysview/VqsDirectoryView.h"

#include "options/VqsOptionsReport.h"
#include "proxy/PxObjectKind.h"
#include "proxy/VqException.h"
#include "shell/StatusMessage.h"
#include "shell/VqsDisplayNames.h"
#include "shell/VqsMsgBox.h"
#include "sysview/VqsConfigTreeItem.h"
#include "sysview/VqsSysFrame.h"

namespace {

constexpr UINT IDS_NO_OPTION_SETS = 61637;
constexpr UINT IDS_PRINT_FAILED = 61638;
constexpr UINT IDS_CANNOT_ACCESS_SOME_DATA = 61698;
constexpr UINT IDS_CANNOT_ACCESS_CURRENT_CONFIG = 61719;
constexpr UINT IDS_CANNOT_ACCESS_SEGMENT_ENTRY = 61723;
constexpr UINT IDS_CREATING_REPORT = 61754;
constexpr UINT IDS_CONFIGURATION_NOT_AVAILABLE = 61767;
constexpr UINT IDS_CANNOT_RETRIEVE_SEGMENT = 61769;
constexpr UINT IDS_CANNOT_RETRIEVE_SYSTEM = 61770;
constexpr UINT IDS_CANNOT_RETRIEVE_ELEMENT = 61771;
constexpr UINT IDS_PRINTING_REPORT = 32800;

// What one report covers: the links in order and the names of its title block.
struct ReportLinks {
    std::vector<PxVQSoftLinkPtr> links;
    PxVQBSSoftLinkPtr segment;
    PxVQSystemPtr system;
};

// The configuration's business-segment link the system's report is about. The status asked
// of each link is its unused mark: the first link in use, else the last one.
PxVQBSSoftLinkPtr SegmentOfConfig(const PxVQConfigPtr& config)
{
    PxTypedList<PxVQBSSoftLinkPtr> links;
    config->GetListOfBSSoftLinks(links);
    for (POSITION position = links.GetHeadPosition(); position;) {
        const PxVQBSSoftLinkPtr link = links.GetNext(position);
        if (!link->GetUnusedMark())
            return link;
    }
    return links.IsEmpty() ? PxVQBSSoftLinkPtr() : links.GetTail();
}

// FALSE after the error box of what is missing.
BOOL CollectSingleRow(VqsConfigTreeItem* item, int kind, const PxVQConfigPtr& config, ReportLinks& report)
{
    const PxVQObjectPtr object = item->GetObject();
    if (!object) {
        VqsErrorBoxId(IDS_CANNOT_ACCESS_SOME_DATA);
        return FALSE;
    }
    if (kind == PxKindBSSoftLink) {
        if (!object->_IsKindOf("PxVQBSSoftLink")) {
            VqsErrorBoxId(IDS_CANNOT_RETRIEVE_SEGMENT);
            return FALSE;
        }
        report.segment = PxVQBSSoftLinkPtr(object);
        report.links.push_back(PxVQSoftLinkPtr(object));
        return TRUE;
    }
    if (kind == PxKindSystem) {
        if (!object->_IsKindOf("PxVQSystem")) {
            VqsErrorBoxId(IDS_CANNOT_RETRIEVE_SYSTEM);
            return FALSE;
        }
        report.segment = SegmentOfConfig(config);
        if (!report.segment) {
            VqsErrorBoxId(IDS_CANNOT_RETRIEVE_SEGMENT);
            return FALSE;
        }
        PxTypedList<PxVQElementSoftLinkPtr> elements;
        report.segment->GetListOfElementSoftLinks(elements);
        for (POSITION position = elements.GetHeadPosition(); position;)
            report.links.push_back(PxVQSoftLinkPtr(elements.GetNext(position)));
        return TRUE;
    }
    if (!object->_IsKindOf("PxVQElementSoftLink")) {
        VqsErrorBoxId(IDS_CANNOT_RETRIEVE_ELEMENT);
        return FALSE;
    }
    report.segment = PxVQElementSoftLinkPtr(object)->GetBSSoftLink();
    if (!report.segment) {
        VqsErrorBoxId(IDS_CANNOT_RETRIEVE_SEGMENT);
        return FALSE;
    }
    report.links.push_back(PxVQSoftLinkPtr(object));
    return TRUE;
}

// Element links in row order; a business-segment link goes first.
BOOL CollectRows(const std::vector<VqsConfigTreeItem*>& items, ReportLinks& report)
{
    for (VqsConfigTreeItem* item : items) {
        int kind = 0;
        const PxVQObjectPtr object = item ? item->GetObject() : PxVQObjectPtr();
        if (!object || !item->GetObjectKind(kind))
            continue;
        if (kind == PxKindElementSoftLink) {
            if (!object->_IsKindOf("PxVQElementSoftLink")) {
                VqsErrorBoxId(IDS_CANNOT_ACCESS_SEGMENT_ENTRY);
                return FALSE;
            }
            if (!report.segment)
                report.segment = PxVQElementSoftLinkPtr(object)->GetBSSoftLink();
            report.links.push_back(PxVQSoftLinkPtr(object));
        } else if (kind == PxKindBSSoftLink) {
            report.segment = PxVQBSSoftLinkPtr(object);
            report.links.insert(report.links.begin(), PxVQSoftLinkPtr(object));
        }
    }
    if (!report.segment) {
        VqsErrorBoxId(IDS_CANNOT_RETRIEVE_SEGMENT);
        return FALSE;
    }
    return TRUE;
}

CString NameOf(const CString& name, const CString& longName) { return VqsChooseName(name, longName); }

} // namespace

void VqsDirectoryView::OnPrint()
{
    VqsSysFrame* frame = GetSysFrame();
    PxVQOptionSetPtr optionSet = frame ? frame->GetOptionSet() : PxVQOptionSetPtr();
    if (!optionSet && frame)
        optionSet = frame->GetSelectedOptionSet();
    if (!optionSet) {
        VqsMessageBoxId(IDS_NO_OPTION_SETS);
        return;
    }
    BOOL printed = TRUE;
    try {
        const PxVQConfigPtr config = optionSet->GetConfig();
        if (!config) {
            VqsErrorBoxId(IDS_CONFIGURATION_NOT_AVAILABLE);
            return;
        }
        ReportLinks report;
        const std::vector<VqsConfigTreeItem*> items = GetSelectedItems();
        int kind = 0;
        const BOOL collected = items.size() == 1 && items.front() && items.front()->GetObjectKind(kind)
                                   ? CollectSingleRow(items.front(), kind, config, report)
                                   : CollectRows(items, report);
        if (!collected)
            return;
        report.system = config->GetSystem();
        printed = PrintReport(report.links, report.system, report.segment, optionSet);
    } catch (const VqReportableException& error) {
        ShowErrorById(IDS_CANNOT_ACCESS_CURRENT_CONFIG, error);
        return;
    }
    if (!printed)
        VqsErrorBoxId(IDS_PRINT_FAILED);
}

// FALSE when the report could not be built; a cancelled dialog counts as done, and so does a
// printer the dialog could not give back (the dialog said so already: one box is enough).
BOOL VqsDirectoryView::PrintReport(const std::vector<PxVQSoftLinkPtr>& links, const PxVQSystemPtr& system,
                                   const PxVQBSSoftLinkPtr& segment, const PxVQOptionSetPtr& optionSet)
{
    int order = m_nSortMode;
    if (VqsOptionsReport::ChooseReport(this, m_printerSetup, order) != VqsOptionsReport::Choice::Print)
        return TRUE;
    VqsSysFrame* frame = GetSysFrame();
    VqsOptionsReport report(links, optionSet);
    VqsOptionsReportHeader header;
    {
        CWaitCursor wait;
        StatusMessage status(frame, IDS_CREATING_REPORT);
        header.systemName = system ? NameOf(system->GetName(), system->GetLongName()) : CString();
        header.businessSegmentName = segment ? NameOf(segment->GetName(), segment->GetLongName()) : CString();
        header.optionSetName = NameOf(optionSet->GetName(), optionSet->GetLongName());
        header.hostTypeName = VqsGetHostTypeName(optionSet->GetHostType());
        if (!report.BuildNodes(order))
            return FALSE;
    }
    StatusMessage status(frame, IDS_PRINTING_REPORT);
    report.PrintPages(m_printerSetup, header);
    return TRUE;
}
