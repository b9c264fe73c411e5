// Generate Bundle and Report Differences: the bundle commands of the directory view.
#include "generate/VqsGenerateCommands.h"

#include "config/VqsOpenPickers.h"
#include "generate/VqsBundleOptions.h"
#include "generate/VqsBundleGenerateDlg.h"
#include "generate/VqsGenerateStart.h"
#include "generate/VqsGenerateStatus.h"
#include "generate/VqsSelectSession.h"
#include "model/VqsLockBag.h"
#include "model/VqsModel.h"
#include "model/VqsModelNodeGroups.h"
#include "model/VqsModelNodeLink.h"
#include "model/VqsModelNodeSystem.h"
#include "proxy/PxBSegOptions.h"
#include "proxy/PxLSEEnterprise.h"
#include "proxy/PxObjectKind.h"
#include "proxy/PxVQRecoveryInfo.h"
#include "proxy/PxVQSystem.h"
#include "proxy/VqException.h"
#include "shell/StatusMessage.h"
#include "shell/VqsMsgBox.h"
#include "shell/VqsSysApp.h"
#include "sysview/VqsConfigTreeItem.h"
#include "sysview/VqsDirectoryView.h"
#include "sysview/VqsSysFrame.h"
#include "vqclient/GenerateInfo.h"
#include "vqclient/VqClient.h"
#include "win/CCmdTarget.h"

namespace {

constexpr UINT IDS_CANNOT_PROCEED_WITH_GENERATION = 61520;
constexpr UINT IDS_NO_GENERATE_SETS = 61521;
constexpr UINT IDS_REFRESHING_VIEWS = 61524;
constexpr UINT IDS_NO_BUNDLE_GENERATION = 61909;
constexpr UINT IDS_RESTART_OFFER = 61919;
constexpr UINT IDS_DIFFERENCE_FILE = 61995;
constexpr UINT IDS_NO_DIFFERENCE_FILE = 61996;

CString UserPart(const CString& userCode)
{
    const int slash = userCode.Find('/');
    return slash < 0 ? userCode : userCode.Left(slash);
}

// A bundle session that Show Generate Status would list to the user.
bool HasBundleRecoveryInfo(const PxVQSystemPtr& system)
{
    return VqsAnySessionOffered(system, [](const PxVQRecoveryInfoPtr& session) {
        return session->getGenerateType() == PxVQRecoveryInfo::kBundleGenerate;
    });
}

// The bundle recovery records the restart offer was about: the user's own, or every user's
// for an administrator (empty user code); their generations' locks go with them.
void DeleteBundleRecoveryInfos(const PxVQSystemPtr& system, const CString& userCode)
{
    PxTypedList<PxVQRecoveryInfoPtr> sessions;
    system->GetListOfRecoveryInfos(sessions);
    const CList<PxVQRecoveryInfoPtr, const PxVQRecoveryInfoPtr&>& list = sessions;
    for (POSITION pos = list.GetHeadPosition(); pos;) {
        const PxVQRecoveryInfoPtr& session = list.GetNext(pos);
        if (session->getGenerateType() != PxVQRecoveryInfo::kBundleGenerate)
            continue;
        if (!userCode.IsEmpty() && UserPart(session->GetUserId()) != UserPart(userCode))
            continue;
        VqsDeleteRecoverySession(session);
    }
}

// The generate set's business-segment options; null when it has none.
PxBSegOptionsPtr SegmentOptionsOf(const PxVQOptionSetPtr& optionSet)
{
    PxTypedList<PxOptionsPtr> records;
    optionSet->GetAllOptions(records);
    for (POSITION pos = records.GetHeadPosition(); pos;) {
        const PxOptionsPtr& record = records.CList<PxOptionsPtr, const PxOptionsPtr&>::GetNext(pos);
        if (record && record->_IsKindOf("PxBSegOptions"))
            return PxBSegOptionsPtr(record);
    }
    return PxBSegOptionsPtr();
}

HWND FrameWindowOf(VqsDirectoryView& view)
{
    VqsSysFrame* frame = view.GetSysFrame();
    return frame ? frame->GetSafeHwnd() : nullptr;
}

// The picker's generate set and bundle: the frame's option set and the selected bundle (else
// the segment's first) preselected. False after 61521 when there is nothing to choose from.
bool PrepareBundlePicker(VqsDirectoryView& view, VqsOpenGenerateBundleDlg& picker, const PxVQCurConfigPtr& config,
                         VqsConfigTreeItem* item, const PxVQBSSoftLinkPtr& link)
{
    try {
        picker.m_pBundle = PxVQBundlePtr();
        config->GetListOfOptionSets(picker.m_optionSets);
        if (picker.m_optionSets.IsEmpty()) {
            VqsMessageBoxId(IDS_NO_GENERATE_SETS);
            return false;
        }
        picker.m_pOptionSet = VqsPreselect(picker.m_optionSets, VqsFrameOptionSet(view.GetSysFrame()));
        int kind = 0;
        const PxVQObjectPtr object = item->GetObject();
        if (item->GetObjectKind(kind) && kind == PxKindBundle && object && object->ObjectPresent())
            picker.m_pBundle = PxVQBundlePtr(object);
        link->GetListOfBundles(picker.m_bundles);
        if (!picker.m_pBundle && !picker.m_bundles.IsEmpty())
            picker.m_pBundle = picker.m_bundles.GetHead();
        return true;
    } catch (const VqReportableException& error) {
        ShowErrorById(IDS_NO_GENERATE_SETS, error);
        return false;
    }
}

void GenerateBundle(VqsDirectoryView& view)
{
    if (!view.CheckGenerateRight())
        return;
    CWaitCursor wait;
    const PxVQCurConfigPtr config = view.GetSelectedCurConfig();
    if (!config)
        return;
    const PxVQSystemPtr system = config->GetSystem();
    const CString userCode = VqsRecoveryUserCode();
    if (HasBundleRecoveryInfo(system)) {
        if (VqsQuestionBoxId(IDS_RESTART_OFFER)) {
            VqsShowGenerateStatus(view);
            return;
        }
        DeleteBundleRecoveryInfos(system, userCode);
    }
    VqsConfigTreeItem* item = view.GetSelectedConfigItem();
    const PxVQBSSoftLinkPtr link = item ? item->GetBSSoftLink() : PxVQBSSoftLinkPtr();
    if (!link)
        return;
    VqsModel model;
    VqsSysApp* app = VqsGetApp();
    app->RefreshAllViews(&model);
    VqsModelNodeCurConfig* configNode = model.FindCurConfigNode(config);
    VqsModelNodeBSLink* linkNode = model.FindConfigNodeOfBSLink(link);
    if (!configNode || !linkNode)
        return;
    VqsOpenGenerateBundleDlg picker(configNode, linkNode, nullptr);
    // A view its loop closed starts nothing.
    if (!PrepareBundlePicker(view, picker, config, item, link) || picker.DoModal() != IDOK || !view.GetSafeHwnd())
        return;

    VqsSysFrame* frame = view.GetSysFrame();
    VqsLockBag readBag(VqsReadLock);
    VqsModelNodeBundle* bundleNode = nullptr;
    {
        CWaitCursor locking;
        StatusMessage refreshing(frame, IDS_REFRESHING_VIEWS);
        if (!readBag.LockNode(linkNode))
            return;
        bundleNode = model.LockBundleNode(readBag, picker.m_pBundle);
        if (!bundleNode || !model.LockOptionSetNode(readBag, picker.m_pOptionSet))
            return;
    }
    const PxBSegOptionsPtr options = SegmentOptionsOf(picker.m_pOptionSet);
    if (!VqsAllowsBundles(options)) {
        VqsMessageBoxId(IDS_NO_BUNDLE_GENERATION);
        return;
    }
    VqsBundleGenerateDlg dialog(readBag, bundleNode, PxVQIspecBundleDataPtr(), options, frame);
    if (dialog.DoModal() != IDOK || !view.GetSafeHwnd())
        return;
    const PxVQOptionSetPtr genSet = picker.m_pOptionSet;
    if (VqsRefusedWhileGenerationRuns(genSet))
        return;
    GenerateInfo request;
    request.kind = VqcGenerateBundle;
    request.genSet = genSet;
    request.elementSync = &dialog.m_record;
    request.bundleName = dialog.m_strBundleName;
    request.application = dialog.m_strApplication;
    request.package = dialog.m_strPackage;
    request.outputDirectory = dialog.m_strOutputDirectory;
    request.batchFile = dialog.m_strBatchFile;
    request.logMessages = dialog.m_bLogMessages;
    if (dialog.m_bLogMessages)
        request.logFile = dialog.m_strListingPath;
    request.frameWindow = FrameWindowOf(view);
    if (VqsStartHoldingSet(request) == 0)
        return;
    dialog.m_bsLock.Keep();
}

void ReportDifferences(VqsDirectoryView& view)
{
    CWaitCursor wait;
    VqsConfigTreeItem* item = view.GetSelectedConfigItem();
    const PxVQBundlePtr bundle = item ? item->GetBundle() : PxVQBundlePtr();
    if (!bundle)
        return;
    const PxVQOptionSetPtr optionSet = VqsFrameOptionSet(view.GetSysFrame());
    if (!optionSet || !optionSet->_IsKindOf("PxVQGenSet"))
        return;
    CString outputDirectory;
    CString packagePrefix;
    CString application;
    if (const PxBSegOptionsPtr options = SegmentOptionsOf(optionSet)) {
        if (!VqsAllowsBundles(options)) {
            VqsMessageBoxId(IDS_NO_BUNDLE_GENERATION);
            return;
        }
        outputDirectory = options->GetOutputDirectory();
        packagePrefix = options->GetPackagePrefix();
        application = options->GetApplicationName();
    }
    if (application.IsEmpty())
        return;
    const PxVQBSSoftLinkPtr link = item->GetBSSoftLink();
    const PxLSEEnterprisePtr design = VqsGetApp()->GetLSEEnterprise();
    const PxLSEBusinessSegmentPtr segment =
        link && design ? design->GetBusinessSegment(link->GetName()) : PxLSEBusinessSegmentPtr();
    if (!segment)
        return;
    CString fileName;
    if (!ReportOnBundleDifferences(segment, outputDirectory, packagePrefix, application, bundle, fileName)) {
        VqsMessageBoxId(IDS_NO_DIFFERENCE_FILE);
        return;
    }
    CString format;
    format.LoadString(IDS_DIFFERENCE_FILE);
    CString text;
    text.Format(format, fileName.GetString());
    VqsMessageBox(text);
}

template <class Command>
void RunReporting(Command command)
{
    try {
        command();
    } catch (const VqReportableException& error) {
        ShowErrorById(IDS_CANNOT_PROCEED_WITH_GENERATION, error);
    }
}

} // namespace

void VqsGenerateBundle(VqsDirectoryView& view)
{
    RunReporting([&] { GenerateBundle(view); });
}

void VqsReportDifferences(VqsDirectoryView& view)
{
    RunReporting([&] { ReportDifferences(view); });
}
