// The automation object through which scripts drive generations: it keeps generate
// properties by name in the application's script property manager, starts system,
// report, report-group, bundle and install generations, forwards texts and signals to the
// running generation, and fires the generation's progress to the sinks of its outgoing
// interface (one event, DISPID 1, code and text). It owns a hidden window that receives the
// progress and a responder thread that runs while a scripted generation starts or runs.
#pragma once

#include "com/CComObject.h"
#include "com/ComAutomation.h"
#include "proxy/PxVQConfig.h"
#include "proxy/PxVQOptionSet.h"
#include "win/CWnd.h"
#include "win/Messages.h"

class PxVQLink;
struct GenerateInfo;
class VqsDevMsgKiller;
class VqsScriptPropertyMgr;

extern const CLSID CLSID_AnvilorController;

class CAnvilorController : public CWnd,
                           public CComObjectRoot,
                           public CComCoClass<CAnvilorController, &CLSID_AnvilorController>,
                           public IDispatch,
                           public IConnectionPoint {
public:
    static constexpr UINT WM_GENERATE_PROGRESS = WM_USER + 200;
    static constexpr UINT WM_GENERATE_TEXT = WM_USER + 201;
    static constexpr UINT WM_GENERATE_SIGNAL = WM_USER + 202;
    static constexpr DISPID DISPID_LISTENER_EVENT = 1;

    CAnvilorController();
    ~CAnvilorController() override;

    DECLARE_REGISTRY(CAnvilorController, "Wrenfield.AnvilorController.1", "Wrenfield.AnvilorController",
                     "AnvilorController Class", THREADFLAGS_APARTMENT)

    BEGIN_COM_MAP(CAnvilorController)
        COM_INTERFACE_ENTRY2(IUnknown, IDispatch)
        COM_INTERFACE_ENTRY(IDispatch)
        COM_INTERFACE_ENTRY(IConnectionPoint)
    END_COM_MAP()

    // Starts the responder thread paused and creates the hidden window.
    HRESULT FinalConstruct();
    // Ends the responder thread and destroys the hidden window.
    void FinalRelease();

    // Dispatch by name: the methods below, in this order, DISPIDs 1 to 12. Each argument is
    // converted to text; an out argument comes back as the result.
    HRESULT GetIDsOfNames(const char* name, DISPID* id) override;
    HRESULT Invoke(DISPID id, LCID locale, WORD flags, DISPPARAMS* params, VARIANT* result) override;

    // The connection point of the outgoing interface.
    HRESULT Advise(IDispatch* sink, DWORD* cookie) override;
    HRESULT Unadvise(DWORD cookie) override;

    HRESULT ResetProperties(const VARIANT& path);
    HRESULT SetProperty(const VARIANT& name, const VARIANT& value);
    HRESULT GetProperty(const VARIANT& name, VARIANT* value);
    HRESULT GetPropertyList(const VARIANT& path, VARIANT* list);
    HRESULT GenerateSystem(const VARIANT& systemAndGenSet);
    HRESULT GenerateReports(const VARIANT& systemAndGenSet, const VARIANT& reports);
    HRESULT GenerateAllReports(const VARIANT& systemAndGenSet);
    HRESULT GenerateReportGroups(const VARIANT& systemAndGenSet, const VARIANT& reportGroups);
    HRESULT InstallGenerate(const VARIANT& systemAndGenSet);
    HRESULT GenerateBundle(const VARIANT& systemAndGenSet, const VARIANT& bundleName);
    HRESULT SendGenerateText(const VARIANT& text);
    HRESULT SendGenerateSignal();

    unsigned long GetGenerateNumber() const { return m_nGenerateNumber; }
    BOOL IsResponderSuspended() const { return m_bResponderSuspended; }
    VqsDevMsgKiller* GetResponder() const { return m_pResponder; }

    // What a start method works on, found from its system-and-generate-set text.
    struct Target {
        PxVQLink* link = nullptr;
        PxVQCurConfigPtr config;
        PxVQOptionSetPtr optionSet;
        PxVQGenSetPtr genSet;
        CString path;
    };
    class Failure;

protected:
    LRESULT OnGenerateProgress(WPARAM code, LPARAM text);

    DECLARE_MESSAGE_MAP()

private:
    void ResumeResponder();
    void SuspendResponder();
    HRESULT ReportError(const CString& text);
    // Runs a start method: its failures become error reports, any other exception
    // E_UNEXPECTED; a failure before the start leaves the responder paused.
    template <class Body>
    HRESULT RunStart(Body body);
    template <class Body>
    HRESULT RunPropertyCall(Body body);

    // The checks made before the responder is touched: no generation held, right 8.
    void CheckContext() const;
    Target Prepare(const CString& systemAndGenSet);
    // What every start does first: the context checked, the responder resumed, a repository
    // link required, then the target prepared.
    Target PrepareStart(const VARIANT& systemAndGenSet);
    void CheckMandatoryValues(const Target& target);
    BOOL ReadIgnoreLocks(const Target& target);
    void ReadUnusedIgnoreLocks(const Target& target);
    unsigned long Start(GenerateInfo& request);
    HRESULT StartSystem(const Target& target, BOOL ignoreLocks);
    HRESULT StartReports(const Target& target, const CString& reports, BOOL ignoreLocks);
    HRESULT StartInstall(const Target& target);
    HRESULT StartBundle(const Target& target, const CString& bundleName);
    CString ExpandReportGroups(const Target& target, const CString& groups);

    VqsDevMsgKiller* m_pResponder;
    BOOL m_bResponderSuspended = FALSE;
    unsigned long m_nGenerateNumber = 0;
    VqsScriptPropertyMgr* m_pPropertyMgr;
    CComConnectionPointSinks m_sinks;
};
