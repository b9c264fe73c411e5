#include "generate/CAnvilorController.h"

#include "generate/VqsDevMsgKiller.h"
#include "shell/VqsSysApp.h"

const CLSID CLSID_AnvilorController = {0x6A1D3C52, 0x8E4B, 0x4F0A, {0x9C, 0x27, 0x5B, 0x3E, 0x1D, 0x7A, 0x9F, 0x10}};

namespace {

VqsScriptPropertyMgr* ApplicationPropertyMgr()
{
    VqsSysApp* app = VqsGetApp();
    return app ? app->GetScriptPropertyMgr() : nullptr;
}

} // namespace

CAnvilorController::CAnvilorController()
    : m_pResponder(new VqsDevMsgKiller(this)), m_pPropertyMgr(ApplicationPropertyMgr())
{
}

CAnvilorController::~CAnvilorController() = default;

HRESULT CAnvilorController::FinalConstruct()
{
    if (!m_pResponder->CreateThread(CREATE_SUSPENDED))
        return E_FAIL;
    m_bResponderSuspended = TRUE;
    if (!CreateEx(0, nullptr, "AnvilorController", WS_POPUP, 0, 0, 100, 100, nullptr, nullptr))
        return E_FAIL;
    return S_OK;
}

void CAnvilorController::FinalRelease()
{
    m_pResponder->End();
    delete m_pResponder;
    m_pResponder = nullptr;
    if (m_hWnd)
        DestroyWindow();
}
