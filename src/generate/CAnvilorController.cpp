#include "generate/CAnvilorController.h"

#include "generate/VqsBundleOptions.h"
#include "generate/VqsDevMsgKiller.h"
#include "generate/VqsGenerateProgress.h"
#include "generate/VqsGenerateStart.h"
#include "generate/VqsScriptPropertyMgr.h"
#include "model/VqsBSLock.h"
#include "model/VqsLockBag.h"
#include "model/VqsModel.h"
#include "model/VqsSyncResult.h"
#include "proxy/PxBSegOptions.h"
#include "proxy/PxLSEEnterprise.h"
#include "proxy/PxOptions.h"
#include "proxy/PxVQBundle.h"
#include "proxy/PxVQEnterprise.h"
#include "proxy/PxVQHostInformation.h"
#include "proxy/PxVQIspecSoftLink.h"
#include "proxy/PxVQLink.h"
#include "proxy/PxVQRecoveryInfo.h"
#include "proxy/PxVQReportGroup.h"
#include "proxy/PxVQSystem.h"
#include "proxy/VqException.h"
#include "generate/VqsSynchEvent.h"
#include "shell/VqsSysApp.h"
#include "vqclient/GenerateInfo.h"
#include "vqclient/VqClient.h"
#include "win/Mbcs.h"
#include "win/MbString.h"
#include "win/Sync.h"

#include <map>
#include <stdexcept>
#include <string>
#include <vector>

const CLSID CLSID_AnvilorController = {0x6A1D3C52, 0x8E4B, 0x4F0A, {0x9C, 0x27, 0x5B, 0x3E, 0x1D, 0x7A, 0x9F, 0x10}};

namespace {

constexpr UINT IDS_EMPTY_MANDATORY_VALUE = 62109;
constexpr UINT IDS_CURRENT_CONFIG_ERROR = 62110;
constexpr UINT IDS_NO_REPOSITORY_LINK = 62111;
constexpr UINT IDS_INVALID_GENSET_NAME = 62114;
constexpr UINT IDS_INVALID_SYSTEM_NAME = 62116;
constexpr UINT IDS_MISSING_BS_SOFTLINK = 62117;
constexpr UINT IDS_SECURITY_VIOLATION = 62120;
constexpr UINT IDS_INVALID_METHOD_CONTEXT = 62121;
constexpr UINT IDS_ELEMENTS_LOCKED = 62122;
constexpr UINT IDS_INVALID_BUNDLE_NAME = 62123;
constexpr UINT IDS_CONSTRUCT_INFO_NOT_FOUND = 62124;
constexpr UINT IDS_NO_TARGET_HOST = 62125;
constexpr UINT IDS_NO_BUNDLE_GENERATION = 61909;
constexpr UINT IDS_INVALID_ELEMENT_NAMES = 62126;
constexpr UINT IDS_IGNORE_LOCKS_PROPERTY = 62050;
constexpr int kRightGenerate = 8;
constexpr DWORD kClientStartPause = 1000;
constexpr char kSyncErrorReason[] = "Syncronisation Error";
constexpr char kStartedText[] = "Started Generate Client";
constexpr char kGenerateAs[] = " AS ";

// Recovery records of a staged generation.
constexpr int kRecoveryReports = 1;
constexpr int kRecoverySystem = 2;
constexpr int kRecoverySystemWithReports = 5;
constexpr int kRecoveryConstruct = 8;
constexpr int kRecoveryStaged = 10;

const char* const kMethodNames[] = {"ResetProperties",  "SetProperty",          "GetProperty",
                                    "GetPropertyList",  "GenerateSystem",       "GenerateReports",
                                    "GenerateAllReports", "GenerateReportGroups", "InstallGenerate",
                                    "GenerateBundle",   "SendGenerateText",     "SendGenerateSignal"};
constexpr int kArgumentCounts[] = {1, 2, 1, 1, 1, 2, 1, 2, 1, 2, 1, 0};

VqsScriptPropertyMgr* ApplicationPropertyMgr()
{
    VqsSysApp* app = VqsGetApp();
    return app ? app->GetScriptPropertyMgr() : nullptr;
}

CString LoadText(UINT id)
{
    CString text;
    text.LoadString(id);
    return text;
}

CString AsText(const VARIANT& value)
{
    VARIANT text;
    if (FAILED(VariantChangeType(&text, &value, 0, VT_BSTR)))
        return CString();
    return text.bstrVal;
}

std::vector<CString> Split(const CString& text, char separator)
{
    std::vector<CString> parts;
    const std::string& all = text.str();
    std::size_t start = 0;
    for (;;) {
        const std::size_t end = all.find(separator, start);
        parts.emplace_back(all.substr(start, end == std::string::npos ? std::string::npos : end - start).c_str());
        if (end == std::string::npos)
            return parts;
        start = end + 1;
    }
}

template <class T>
const CList<T, const T&>& Elements(const PxTypedList<T>& list)
{
    return list;
}

PxVQBSSoftLinkPtr FirstSegmentLink(const PxVQCurConfigPtr& config)
{
    PxTypedList<PxVQBSSoftLinkPtr> links;
    config->GetListOfBSSoftLinks(links);
    return Elements(links).IsEmpty() ? PxVQBSSoftLinkPtr() : Elements(links).GetHead();
}

// A refusal and a repository failure alike fail the script's start, as its elements locked.
bool HoldOfRunningGenerationPlaced(unsigned long number, const PxVQOptionSetPtr& genSet)
{
    try {
        return VqsPlaceHoldOfRunningGeneration(number, genSet).Succeeded();
    } catch (const VqReportableException&) {
        return false;
    }
}

} // namespace

// A failure a method reports with a text of the string table and an optional extra text.
class CAnvilorController::Failure {
public:
    explicit Failure(UINT id, const CString& extra = CString()) : text(LoadText(id) + extra) {}
    CString text;
};

BEGIN_MESSAGE_MAP(CAnvilorController, CWnd)
    ON_MESSAGE(CAnvilorController::WM_GENERATE_PROGRESS, &CAnvilorController::OnGenerateProgress)
END_MESSAGE_MAP()

CAnvilorController::CAnvilorController()
    : m_pResponder(new VqsDevMsgKiller(this)), m_pPropertyMgr(ApplicationPropertyMgr())
{
}

CAnvilorController::~CAnvilorController() = default;

HRESULT CAnvilorController::FinalConstruct()
{
    if (!m_pResponder->CreateThread())
        return E_FAIL;
    m_bResponderSuspended = TRUE;
    if (!CreateEx(0, nullptr, "AnvilorController", WS_POPUP, 0, 0, 100, 100, nullptr, nullptr))
        return E_FAIL;
    return S_OK;
}

void CAnvilorController::FinalRelease()
{
    m_sinks.UnadviseAll();
    if (m_pResponder) {
        m_pResponder->End();
        delete m_pResponder;
        m_pResponder = nullptr;
    }
    if (m_hWnd) {
        VqsDiscardPendingProgress(m_hWnd);
        DestroyWindow();
    }
}

HRESULT CAnvilorController::GetIDsOfNames(const char* name, DISPID* id)
{
    if (!name || !id)
        return E_POINTER;
    for (DISPID index = 0; index < static_cast<DISPID>(std::size(kMethodNames)); ++index) {
        if (_mbsicmp(name, kMethodNames[index]) == 0) {
            *id = index + 1;
            return S_OK;
        }
    }
    return DISP_E_UNKNOWNNAME;
}

HRESULT CAnvilorController::Invoke(DISPID id, LCID, WORD, DISPPARAMS* params, VARIANT* result)
{
    if (id < 1 || id > static_cast<DISPID>(std::size(kMethodNames)))
        return DISP_E_MEMBERNOTFOUND;
    const UINT count = params ? params->cArgs : 0;
    if (count != static_cast<UINT>(kArgumentCounts[id - 1]))
        return DISP_E_BADPARAMCOUNT;
    // The arguments come last first.
    auto argument = [&](UINT index) -> const VARIANT& { return params->rgvarg[count - 1 - index]; };
    VARIANT out;
    HRESULT hr = E_UNEXPECTED;
    switch (id) {
    case 1: hr = ResetProperties(argument(0)); break;
    case 2: hr = SetProperty(argument(0), argument(1)); break;
    case 3: hr = GetProperty(argument(0), &out); break;
    case 4: hr = GetPropertyList(argument(0), &out); break;
    case 5: hr = GenerateSystem(argument(0)); break;
    case 6: hr = GenerateReports(argument(0), argument(1)); break;
    case 7: hr = GenerateAllReports(argument(0)); break;
    case 8: hr = GenerateReportGroups(argument(0), argument(1)); break;
    case 9: hr = InstallGenerate(argument(0)); break;
    case 10: hr = GenerateBundle(argument(0), argument(1)); break;
    case 11: hr = SendGenerateText(argument(0)); break;
    case 12: hr = SendGenerateSignal(); break;
    }
    if (result)
        *result = out;
    return hr;
}

HRESULT CAnvilorController::Advise(IDispatch* sink, DWORD* cookie) { return m_sinks.Advise(sink, cookie); }

HRESULT CAnvilorController::Unadvise(DWORD cookie) { return m_sinks.Unadvise(cookie); }

void CAnvilorController::ResumeResponder()
{
    m_pResponder->Resume();
    m_bResponderSuspended = FALSE;
}

void CAnvilorController::SuspendResponder()
{
    if (m_bResponderSuspended)
        return;
    m_pResponder->Pause();
    m_bResponderSuspended = TRUE;
}

// The responder of a generation still running stays at work: only its progress pauses it.
HRESULT CAnvilorController::ReportError(const CString& text)
{
    if (!m_nGenerateNumber)
        SuspendResponder();
    AtlSetErrorInfo(CLSID_AnvilorController, text, CLSID_AnvilorController);
    return E_FAIL;
}

template <class Body>
HRESULT CAnvilorController::RunStart(Body body)
{
    try {
        return body();
    } catch (const Failure& failure) {
        return ReportError(failure.text);
    } catch (const VqcScriptPropertyException& error) {
        return ReportError(error.GetText());
    } catch (const VqReportableException& error) {
        return ReportError(error.GetErrorMessage());
    } catch (...) {
        if (!m_nGenerateNumber)
            SuspendResponder();
        return E_UNEXPECTED;
    }
}

template <class Body>
HRESULT CAnvilorController::RunPropertyCall(Body body)
{
    try {
        VqsSysApp* app = VqsGetApp();
        PxVQLink* link = app ? app->GetLink() : nullptr;
        if (!link || !m_pPropertyMgr)
            throw Failure(IDS_NO_REPOSITORY_LINK);
        body(link);
        return S_OK;
    } catch (const Failure& failure) {
        return ReportError(failure.text);
    } catch (const VqcScriptPropertyException& error) {
        return ReportError(error.GetText());
    } catch (...) {
        return E_UNEXPECTED;
    }
}

HRESULT CAnvilorController::ResetProperties(const VARIANT& path)
{
    return RunPropertyCall([&](PxVQLink* link) { m_pPropertyMgr->ClearValues(link, AsText(path)); });
}

HRESULT CAnvilorController::SetProperty(const VARIANT& name, const VARIANT& value)
{
    return RunPropertyCall([&](PxVQLink* link) { m_pPropertyMgr->SetValue(link, AsText(name), AsText(value)); });
}

HRESULT CAnvilorController::GetProperty(const VARIANT& name, VARIANT* value)
{
    if (!value)
        return E_POINTER;
    *value = VARIANT::Text("");
    return RunPropertyCall([&](PxVQLink* link) {
        CString text;
        m_pPropertyMgr->GetValue(link, AsText(name), text);
        *value = VARIANT::Text(text);
    });
}

HRESULT CAnvilorController::GetPropertyList(const VARIANT& path, VARIANT* list)
{
    if (!list)
        return E_POINTER;
    return RunPropertyCall([&](PxVQLink* link) {
        CStringArray names;
        m_pPropertyMgr->ListProperties(link, AsText(path), names);
        VARIANT result;
        result.vt = VT_ARRAY | VT_VARIANT;
        for (INT_PTR i = 0; i < names.GetSize(); ++i)
            result.array.push_back(VARIANT::Text(names[i]));
        *list = result;
    });
}

void CAnvilorController::CheckContext() const
{
    if (m_nGenerateNumber)
        throw Failure(IDS_INVALID_METHOD_CONTEXT);
    const VqsSysApp* app = VqsGetApp();
    if (!app || !app->HasRight(kRightGenerate))
        throw Failure(IDS_SECURITY_VIOLATION);
}

CAnvilorController::Target CAnvilorController::Prepare(const CString& systemAndGenSet)
{
    Target target;
    target.path = systemAndGenSet;
    CString systemName;
    CString genSetName;
    const int dot = systemAndGenSet.Find('.');
    if (dot >= 0) {
        systemName = systemAndGenSet.Left(dot);
        genSetName = systemAndGenSet.Mid(dot + 1);
    }
    VqsSysApp* app = VqsGetApp();
    target.link = app ? app->GetLink() : nullptr;
    if (!target.link)
        throw Failure(IDS_NO_REPOSITORY_LINK);
    PxVQEnterprisePtr enterprise = target.link->GetLVQEnterprise();
    PxVQSystemPtr system = enterprise ? enterprise->GetSystem(systemName) : PxVQSystemPtr();
    if (!system)
        throw Failure(IDS_INVALID_SYSTEM_NAME);
    target.config = system->GetCurConfig();
    if (!target.config)
        throw Failure(IDS_CURRENT_CONFIG_ERROR);
    target.optionSet = target.config->GetOptionSet(genSetName);
    target.genSet = PxVQGenSetPtr(target.optionSet);
    if (!target.genSet)
        throw Failure(IDS_INVALID_GENSET_NAME);
    const CString hostName = target.genSet->GetHostName();
    if (hostName.IsEmpty())
        throw Failure(IDS_NO_TARGET_HOST, target.optionSet->GetName());
    PxTypedList<PxVQHostInformationPtr> hosts;
    enterprise->GetListOfHostInformations(hosts);
    for (POSITION pos = Elements(hosts).GetHeadPosition(); pos;) {
        // Hosts are matched without regard to case, as everywhere else in the module.
        if (_mbsicmp(Elements(hosts).GetNext(pos)->GetName(), hostName) == 0)
            return target;
    }
    throw Failure(IDS_NO_TARGET_HOST, target.optionSet->GetName());
}

// Each value is validated as a write would validate it, without being stored, so that a
// default never becomes a set value.
void CAnvilorController::CheckMandatoryValues(const Target& target)
{
    CStringArray names;
    m_pPropertyMgr->ListProperties(target.link, target.path, names);
    CString failing;
    for (INT_PTR i = 0; i < names.GetSize(); ++i) {
        const CString path = target.path + "." + names[i];
        try {
            CString value;
            m_pPropertyMgr->GetValue(target.link, path, value);
            m_pPropertyMgr->ValidateValue(target.link, path, value);
        } catch (...) {
            failing += path + "\n";
        }
    }
    if (!failing.IsEmpty())
        throw Failure(IDS_EMPTY_MANDATORY_VALUE, failing);
}

BOOL CAnvilorController::ReadIgnoreLocks(const Target& target)
{
    const char* name = m_pPropertyMgr->GetPropertyName(IDS_IGNORE_LOCKS_PROPERTY);
    BOOL ignore = FALSE;
    m_pPropertyMgr->GetBool(target.link, target.path + "." + (name ? name : ""), ignore);
    return ignore;
}

// The report-group and bundle starts read the setting without using it; a failure to read it
// ends them as unexpected.
void CAnvilorController::ReadUnusedIgnoreLocks(const Target& target)
{
    try {
        ReadIgnoreLocks(target);
    } catch (const VqcScriptPropertyException&) {
        throw std::runtime_error("the ignore-locks setting cannot be read");
    }
}

unsigned long CAnvilorController::Start(GenerateInfo& request)
{
    request.clientContext = m_pPropertyMgr;
    request.frameWindow = m_hWnd;
    const unsigned long number = VqcStartGenerate(request);
    if (!number) {
        VqcRethrowStartFailure();
        throw Failure(IDS_ELEMENTS_LOCKED, " The generation client did not start the generation.");
    }
    m_nGenerateNumber = number;
    return number;
}

CAnvilorController::Target CAnvilorController::PrepareStart(const VARIANT& systemAndGenSet)
{
    CheckContext();
    ResumeResponder();
    if (!m_pPropertyMgr)
        throw Failure(IDS_NO_REPOSITORY_LINK);
    return Prepare(AsText(systemAndGenSet));
}

HRESULT CAnvilorController::GenerateSystem(const VARIANT& systemAndGenSet)
{
    return RunStart([&] {
        const Target target = PrepareStart(systemAndGenSet);
        CheckMandatoryValues(target);
        return StartSystem(target, ReadIgnoreLocks(target));
    });
}

HRESULT CAnvilorController::StartSystem(const Target& target, BOOL ignoreLocks)
{
    VqsSysApp* app = VqsGetApp();
    VqsModel model(VqsSyncForGeneration);
    VqsLockBag readBag(VqsReadLock);
    VqsLockBag secondBag(VqsFutureUpdateLock);
    VqsBSLock segmentLock;
    VqsSyncResult record;
    target.link->ClearAllBuffers();
    if (!model.RefreshForGeneration(segmentLock, readBag, secondBag, target.config, record, app->GetSynchronizeMode(),
                                    PxHandle(), ignoreLocks != FALSE, true))
        throw Failure(IDS_ELEMENTS_LOCKED);
    if (!record.softLink)
        throw Failure(IDS_MISSING_BS_SOFTLINK);

    VqsSynchEventHold synchEvent;
    if (!synchEvent.Acquire())
        throw Failure(IDS_ELEMENTS_LOCKED);
    PxTypedList<PxVQObjectPtr> objects;
    if (PxOptionsPtr options = PxVQSoftLinkPtr(record.softLink)->GetOptions(target.optionSet))
        objects.AddTail(PxVQObjectPtr(options));
    VqsGenerationLockTakeover takeover(target.optionSet);
    VqsOutsideBagHold optionsHold(*target.link, VqsFutureUpdateLock);
    if (!VqsLockForGeneration(optionsHold, objects, takeover).Succeeded() || !takeover.HandOver())
        throw Failure(IDS_ELEMENTS_LOCKED);

    GenerateInfo request;
    request.kind = VqcGenerateSystem;
    request.genSet = target.optionSet;
    request.hostName = target.genSet->GetHostName();
    request.elementSync = &record;
    Start(request);
    segmentLock.Keep();
    PostMessage(WM_GENERATE_PROGRESS, 0, VqcMakeEventText(kStartedText));
    Sleep(kClientStartPause);

    // The generation runs from here: unless it is synchronised and holds its set, it is
    // cancelled, also when a repository failure (a connection lost under the call) ends the
    // call on the way. A generation cancelled here never ran: the script is told it failed,
    // and the responder stops, rather than a success that leaves it answering boxes for nothing.
    const auto cancel = [this] {
        CString reason(kSyncErrorReason);
        CancelGenerate(m_nGenerateNumber, reason);
        m_nGenerateNumber = 0;
    };
    bool failed = true;
    try {
        VqsModel syncModel(VqsSyncForGeneration);
        VqsLockBag syncReadBag(VqsReadLock);
        VqsLockBag syncSecondBag(VqsFutureUpdateLock);
        VqsBSLock syncLock;
        VqsSyncResult syncRecord;
        // As after a declined restart, whatever the ignore-locks setting: the segment is taken
        // as this user's when this user holds it, and refused when another user holds it
        // exclusively.
        failed = !syncModel.RefreshForGeneration(syncLock, syncReadBag, syncSecondBag, target.config, syncRecord,
                                                 app->GetSynchronizeMode(), PxHandle(), true, false);
        // A hold taken over is the generation's since its start; one whose synchronisation
        // failed is cancelled, and places none.
        if (!failed && !takeover.HandsOverHold())
            failed = !HoldOfRunningGenerationPlaced(m_nGenerateNumber, target.optionSet);
        optionsHold.GiveBack();
    } catch (...) {
        synchEvent.Release();
        cancel();
        throw;
    }
    synchEvent.Release();
    if (failed) {
        cancel();
        throw Failure(IDS_ELEMENTS_LOCKED);
    }
    return S_OK;
}

HRESULT CAnvilorController::GenerateReports(const VARIANT& systemAndGenSet, const VARIANT& reports)
{
    return RunStart([&] {
        const Target target = PrepareStart(systemAndGenSet);
        CheckMandatoryValues(target);
        return StartReports(target, AsText(reports), ReadIgnoreLocks(target));
    });
}

HRESULT CAnvilorController::StartReports(const Target& target, const CString& reports, BOOL ignoreLocks)
{
    const bool all = reports == "*";
    std::vector<std::string> order;
    std::map<std::string, VqcReportSyncTriple> wanted;
    if (!all) {
        for (const CString& entry : Split(reports, ',')) {
            CString name = entry;
            CString asName;
            const int as = entry.Find(kGenerateAs);
            if (as >= 0) {
                name = entry.Left(as);
                asName = entry.Mid(as + static_cast<int>(sizeof kGenerateAs) - 1);
            }
            if (!wanted.count(name.str()))
                order.push_back(name.str());
            wanted[name.str()].asName = asName;
        }
    }

    VqsSysApp* app = VqsGetApp();
    VqsModel model(VqsSyncForReports);
    VqsLockBag readBag(VqsReadLock);
    VqsLockBag secondBag(VqsFutureUpdateLock);
    VqsBSLock segmentLock;
    VqsSyncResult result;
    target.link->ClearAllBuffers();
    if (!model.RefreshForGeneration(segmentLock, readBag, secondBag, target.config, result, app->GetSynchronizeMode(),
                                    PxHandle(), ignoreLocks != FALSE, false))
        throw Failure(IDS_ELEMENTS_LOCKED);
    if (!result.softLink)
        throw Failure(IDS_MISSING_BS_SOFTLINK);

    for (POSITION pos = result.pairs.GetHeadPosition(); pos;) {
        const VqcSyncPair& pair = result.pairs.GetNext(pos);
        if (!pair.link || !pair.link->_IsKindOf("PxVQReportSoftLink"))
            continue;
        const std::string name = pair.link->GetName().str();
        if (all && !wanted.count(name))
            order.push_back(name);
        if (!all && !wanted.count(name))
            continue;
        VqcReportSyncTriple& triple = wanted[name];
        triple.report = PxLSEReportPtr(pair.element);
        triple.link = PxVQReportSoftLinkPtr(pair.link);
    }

    VqsBSSyncRecord record;
    CString unmatched;
    for (const std::string& name : order) {
        const VqcReportSyncTriple& triple = wanted[name];
        if (triple.link)
            record.triples.AddTail(triple);
        else
            unmatched += CString(name.c_str()) + ",";
    }
    record.businessSegment = result.businessSegment;
    record.softLink = result.softLink;
    for (POSITION pos = result.pairs.GetHeadPosition(); pos;)
        record.pairs.AddTail(result.pairs.GetNext(pos));
    if (!unmatched.IsEmpty())
        throw Failure(IDS_INVALID_ELEMENT_NAMES, unmatched);

    GenerateInfo request;
    request.kind = VqcGenerateReports;
    request.genSet = target.optionSet;
    request.hostName = target.genSet->GetHostName();
    request.reportSync = &record;
    Start(request);
    segmentLock.Keep();
    return S_OK;
}

HRESULT CAnvilorController::GenerateAllReports(const VARIANT& systemAndGenSet)
{
    return GenerateReports(systemAndGenSet, VARIANT::Text("*"));
}

HRESULT CAnvilorController::GenerateReportGroups(const VARIANT& systemAndGenSet, const VARIANT& reportGroups)
{
    CString reports;
    const HRESULT prepared = RunStart([&] {
        CheckContext();
        if (!m_pPropertyMgr)
            throw Failure(IDS_NO_REPOSITORY_LINK);
        const Target target = Prepare(AsText(systemAndGenSet));
        ReadUnusedIgnoreLocks(target);
        reports = ExpandReportGroups(target, AsText(reportGroups));
        return S_OK;
    });
    if (FAILED(prepared))
        return prepared;
    return GenerateReports(systemAndGenSet, VARIANT::Text(reports));
}

CString CAnvilorController::ExpandReportGroups(const Target& target, const CString& groups)
{
    PxVQBSSoftLinkPtr segment = FirstSegmentLink(target.config);
    std::vector<PxVQReportGroupPtr> found;
    CString missing;
    for (const CString& name : Split(groups, ',')) {
        PxVQReportGroupPtr group = segment ? segment->GetReportGroup(name) : PxVQReportGroupPtr();
        if (group)
            found.push_back(group);
        else if (!name.IsEmpty())
            missing += name + ",";
    }
    if (!missing.IsEmpty())
        throw Failure(IDS_INVALID_ELEMENT_NAMES, missing);
    CString reports;
    for (const PxVQReportGroupPtr& group : found) {
        PxTypedList<PxVQReportSoftLinkAliasPtr> aliases;
        group->GetListOfReportSoftLinkAliases(aliases);
        for (POSITION pos = Elements(aliases).GetHeadPosition(); pos;) {
            const PxVQReportSoftLinkAliasPtr& alias = Elements(aliases).GetNext(pos);
            PxVQReportSoftLinkPtr link = alias->GetSoftLink();
            if (!link)
                continue;
            const CString name = link->GetName();
            const CString asName = alias->GetGenerateAs();
            if (!reports.IsEmpty())
                reports += ",";
            reports += asName.IsEmpty() || asName == name ? name : name + kGenerateAs + asName;
        }
    }
    return reports;
}

HRESULT CAnvilorController::InstallGenerate(const VARIANT& systemAndGenSet)
{
    return RunStart([&] {
        const Target target = PrepareStart(systemAndGenSet);
        CheckMandatoryValues(target);
        ReadIgnoreLocks(target);
        return StartInstall(target);
    });
}

// A staged generation of another generate set is never installed under this set's name.
HRESULT CAnvilorController::StartInstall(const Target& target)
{
    PxVQSystemPtr system = target.config->GetSystem();
    PxTypedList<PxVQRecoveryInfoPtr> infos;
    system->GetListOfRecoveryInfos(infos);
    const auto isStagedOfSet = [&](const PxVQRecoveryInfoPtr& info) {
        const PxVQOptionSetPtr genSet = info->GetCurrentState() == kRecoveryStaged ? info->GetGenSet()
                                                                                   : PxVQOptionSetPtr();
        return genSet && genSet->IsSameOid(target.optionSet);
    };
    PxVQRecoveryInfoPtr taken;
    for (POSITION pos = Elements(infos).GetHeadPosition(); pos;) {
        const PxVQRecoveryInfoPtr& info = Elements(infos).GetNext(pos);
        if (!isStagedOfSet(info))
            continue;
        const int type = info->getGenerateType();
        if (type == kRecoverySystem) {
            taken = info;
            break;
        }
        if (type == kRecoveryReports || type == kRecoverySystemWithReports)
            taken = info;
    }
    PxVQRecoveryInfoPtr second;
    if (taken && taken->getGenerateType() == kRecoverySystemWithReports) {
        for (POSITION pos = Elements(infos).GetHeadPosition(); pos && !second;) {
            const PxVQRecoveryInfoPtr& info = Elements(infos).GetNext(pos);
            if (info->getGenerateType() == kRecoveryConstruct && isStagedOfSet(info))
                second = info;
        }
        if (!second)
            taken = PxVQRecoveryInfoPtr();
    }
    if (!taken)
        throw Failure(IDS_CONSTRUCT_INFO_NOT_FOUND);

    GenerateInfo request;
    request.kind = VqcGenerateInstall;
    request.genSet = target.optionSet;
    request.hostName = target.genSet->GetHostName();
    request.system = system;
    request.recoveryHandle = taken->GetHandle();
    if (second)
        request.secondHandle = second->GetHandle();
    Start(request);
    return S_OK;
}

HRESULT CAnvilorController::GenerateBundle(const VARIANT& systemAndGenSet, const VARIANT& bundleName)
{
    return RunStart([&] {
        const Target target = PrepareStart(systemAndGenSet);
        ReadUnusedIgnoreLocks(target);
        return StartBundle(target, AsText(bundleName));
    });
}

HRESULT CAnvilorController::StartBundle(const Target& target, const CString& bundleName)
{
    PxVQBSSoftLinkPtr segment = FirstSegmentLink(target.config);
    PxVQBundlePtr bundle;
    if (segment) {
        PxTypedList<PxVQBundlePtr> bundles;
        segment->GetListOfBundles(bundles);
        for (POSITION pos = Elements(bundles).GetHeadPosition(); pos && !bundle;) {
            const PxVQBundlePtr& candidate = Elements(bundles).GetNext(pos);
            if (candidate->GetName() == bundleName)
                bundle = candidate;
        }
    }
    if (!bundle)
        throw Failure(IDS_INVALID_BUNDLE_NAME, bundleName);
    const PxBSegOptionsPtr options{target.optionSet->GetOptions(PxVQSoftLinkPtr(segment))};
    if (!VqsAllowsBundles(options))
        throw Failure(IDS_NO_BUNDLE_GENERATION);

    PxLSEEnterprisePtr design = VqsGetApp()->GetLSEEnterprise();
    PxLSEBusinessSegmentPtr designSegment = design ? design->GetBusinessSegment(segment->GetName()) : PxLSEBusinessSegmentPtr();
    VqsSyncResult record;
    record.businessSegment = designSegment;
    record.softLink = segment;
    PxTypedList<PxVQIspecBundleDataPtr> entries;
    bundle->GetListOfIspecBundleData(entries);
    for (POSITION pos = Elements(entries).GetHeadPosition(); pos;) {
        PxVQIspecSoftLinkPtr ispec = Elements(entries).GetNext(pos)->GetIspecInformation();
        if (!ispec || !designSegment)
            continue;
        if (PxLSEElementPtr element = designSegment->GetElement(ispec->GetName()))
            record.pairs.AddTail(VqcSyncPair{PxLSEObjectPtr(element), PxVQElementSoftLinkPtr(ispec)});
    }

    GenerateInfo request;
    request.kind = VqcGenerateBundle;
    request.genSet = target.optionSet;
    request.hostName = target.genSet->GetHostName();
    request.elementSync = &record;
    request.bundleName = bundleName;
    if (options) {
        request.application = options->GetApplicationName();
        request.package = options->GetPackagePrefix();
        request.outputDirectory = options->GetOutputDirectory();
        request.batchFile = options->GetBatchFiletoRun();
    }
    Start(request);
    return S_OK;
}

HRESULT CAnvilorController::SendGenerateText(const VARIANT& text)
{
    if (!m_nGenerateNumber)
        return ReportError(LoadText(IDS_INVALID_METHOD_CONTEXT));
    const LPARAM copy = VqcMakeEventText(AsText(text));
    if (PostMsgToMainThread(m_nGenerateNumber, WM_GENERATE_TEXT, 0, copy))
        return S_OK;
    // Refused: the text stays this object's, and the script learns that nothing was sent.
    VqcTakeEventText(copy);
    return ReportError(LoadText(IDS_INVALID_METHOD_CONTEXT));
}

HRESULT CAnvilorController::SendGenerateSignal()
{
    if (!m_nGenerateNumber || !PostMsgToMainThread(m_nGenerateNumber, WM_GENERATE_SIGNAL, 0, 0))
        return ReportError(LoadText(IDS_INVALID_METHOD_CONTEXT));
    return S_OK;
}

LRESULT CAnvilorController::OnGenerateProgress(WPARAM code, LPARAM text)
{
    const CString value = VqcTakeEventText(text);
    m_sinks.Fire(DISPID_LISTENER_EVENT, {VARIANT::Long(static_cast<LONG>(code)), VARIANT::Text(value)});
    if (code == 3) {
        SuspendResponder();
        m_nGenerateNumber = 0;
    } else if (code == 2) {
        SuspendResponder();
    }
    return 0;
}
