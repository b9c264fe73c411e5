// The automation object through which scripts drive generations. It owns a hidden window
// that receives the generation's progress and a responder thread that runs while a
// scripted generation does.
#pragma once

#include "com/CComObject.h"
#include "win/CWnd.h"

class VqsDevMsgKiller;
class VqsScriptPropertyMgr;

extern const CLSID CLSID_AnvilorController;

class CAnvilorController : public CWnd,
                           public CComObjectRoot,
                           public CComCoClass<CAnvilorController, &CLSID_AnvilorController>,
                           public IUnknown {
public:
    CAnvilorController();
    ~CAnvilorController() override;

    DECLARE_REGISTRY(CAnvilorController, "Wrenfield.AnvilorController.1", "Wrenfield.AnvilorController",
                     "AnvilorController Class", THREADFLAGS_APARTMENT)

    BEGIN_COM_MAP(CAnvilorController)
        COM_INTERFACE_ENTRY(IUnknown)
    END_COM_MAP()

    // Starts the responder thread suspended and creates the hidden window.
    HRESULT FinalConstruct();
    // Ends the responder thread and destroys the hidden window.
    void FinalRelease();

private:
    VqsDevMsgKiller* m_pResponder;
    BOOL m_bResponderSuspended = FALSE;
    unsigned long m_nGenerateNumber = 0;
    VqsScriptPropertyMgr* m_pPropertyMgr;
};
