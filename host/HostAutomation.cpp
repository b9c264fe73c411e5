#include "HostAutomation.h"

#include "HostOutput.h"

#include <cstdio>

namespace {

constexpr char kControllerProgId[] = "Wrenfield.AnvilorController";

std::string AnswerOf(const VARIANT& value)
{
    if ((value.vt & VT_ARRAY) != 0) {
        std::string list;
        for (const VARIANT& element : value.array)
            list += (list.empty() ? "" : ",") + std::string(element.bstrVal.GetString());
        return "[" + list + "]";
    }
    return value.vt == VT_BSTR ? Escaped(value.bstrVal.GetString()) : std::string();
}

} // namespace

// Prints every event; it lives as long as the host's automation client.
class HostAutomation::Sink final : public IDispatch {
public:
    virtual ~Sink() = default;
    HRESULT QueryInterface(REFIID iid, void** object) override
    {
        if (!object)
            return E_POINTER;
        *object = nullptr;
        if (!IsEqualGUID(iid, IID_IUnknown) && !IsEqualGUID(iid, IID_IDispatch))
            return E_NOINTERFACE;
        *object = static_cast<IDispatch*>(this);
        return S_OK;
    }
    ULONG AddRef() override { return 1; }
    ULONG Release() override { return 1; }
    HRESULT GetIDsOfNames(const char*, DISPID*) override { return DISP_E_UNKNOWNNAME; }
    HRESULT Invoke(DISPID, LCID, WORD, DISPPARAMS* params, VARIANT*) override
    {
        if (!params || params->cArgs != 2)
            return DISP_E_BADPARAMCOUNT;
        PrintLine("event: " + std::to_string(params->rgvarg[1].lVal) + " " + Escaped(params->rgvarg[0].bstrVal.GetString()));
        return S_OK;
    }
};

HostAutomation::HostAutomation() : m_sink(new Sink) {}

HostAutomation::~HostAutomation()
{
    Release();
    delete m_sink;
}

HRESULT HostAutomation::Create()
{
    Release();
    if (!m_initialized) {
        CoInitialize(nullptr);
        m_initialized = true;
    }
    CLSID clsid{};
    HRESULT hr = CLSIDFromProgID(kControllerProgId, &clsid);
    if (FAILED(hr))
        return hr;
    void* object = nullptr;
    hr = CoCreateInstance(clsid, nullptr, CLSCTX_ALL, IID_IDispatch, &object);
    if (FAILED(hr))
        return hr;
    m_controller = static_cast<IDispatch*>(object);
    void* connection = nullptr;
    if (SUCCEEDED(m_controller->QueryInterface(IID_IConnectionPoint, &connection))) {
        m_connection = static_cast<IConnectionPoint*>(connection);
        m_connection->Advise(m_sink, &m_cookie);
    }
    return S_OK;
}

HRESULT HostAutomation::Call(const std::string& method, const std::vector<std::string>& arguments, std::string& answer)
{
    answer.clear();
    if (!m_controller)
        return E_POINTER;
    DISPID id = 0;
    HRESULT hr = m_controller->GetIDsOfNames(method.c_str(), &id);
    if (FAILED(hr))
        return hr;
    std::vector<VARIANT> reversed;
    for (auto at = arguments.rbegin(); at != arguments.rend(); ++at)
        reversed.push_back(VARIANT::Text(at->c_str()));
    DISPPARAMS params{reversed.data(), static_cast<UINT>(reversed.size())};
    VARIANT result;
    hr = m_controller->Invoke(id, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &params, &result);
    ComErrorInfo error;
    if (FAILED(hr) && GetErrorInfo(error))
        answer = Escaped(error.description.GetString());
    else if (SUCCEEDED(hr))
        answer = AnswerOf(result);
    return hr;
}

void HostAutomation::Release()
{
    if (m_connection) {
        m_connection->Unadvise(m_cookie);
        m_connection->Release();
        m_connection = nullptr;
    }
    if (m_controller) {
        m_controller->Release();
        m_controller = nullptr;
    }
}

std::string HexResult(HRESULT hr)
{
    char text[16];
    std::snprintf(text, sizeof text, "0x%08X", static_cast<unsigned>(hr));
    return text;
}
