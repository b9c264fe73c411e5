#include "com/ComAutomation.h"

#include <cstdlib>

const IID IID_IDispatch = {0x00020400, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
const IID IID_IConnectionPoint = {0xB196B286, 0xBAB4, 0x101A, {0xB6, 0x9C, 0x00, 0xAA, 0x00, 0x34, 0x1D, 0x07}};

namespace {

thread_local ComErrorInfo t_errorInfo;
thread_local bool t_hasErrorInfo = false;

bool IsNumber(const CString& text)
{
    const std::string& digits = text.str();
    if (digits.empty())
        return false;
    std::size_t start = digits[0] == '-' ? 1 : 0;
    if (start == digits.size())
        return false;
    for (std::size_t i = start; i < digits.size(); ++i)
        if (digits[i] < '0' || digits[i] > '9')
            return false;
    return true;
}

} // namespace

VARIANT VARIANT::Long(LONG value)
{
    VARIANT variant;
    variant.vt = VT_I4;
    variant.lVal = value;
    return variant;
}

VARIANT VARIANT::Text(const char* text)
{
    VARIANT variant;
    variant.vt = VT_BSTR;
    variant.bstrVal = text ? text : "";
    return variant;
}

HRESULT VariantChangeType(VARIANT* dest, const VARIANT* source, unsigned short, VARTYPE type)
{
    if (!dest || !source)
        return E_FAIL;
    if (type == VT_BSTR) {
        if (source->vt == VT_BSTR) {
            *dest = VARIANT::Text(source->bstrVal);
            return S_OK;
        }
        if (source->vt == VT_I4) {
            *dest = VARIANT::Text(std::to_string(source->lVal).c_str());
            return S_OK;
        }
        if (source->vt == VT_EMPTY) {
            *dest = VARIANT::Text("");
            return S_OK;
        }
    } else if (type == VT_I4) {
        if (source->vt == VT_I4) {
            *dest = VARIANT::Long(source->lVal);
            return S_OK;
        }
        if (source->vt == VT_BSTR && IsNumber(source->bstrVal)) {
            *dest = VARIANT::Long(static_cast<LONG>(std::strtol(source->bstrVal, nullptr, 10)));
            return S_OK;
        }
    }
    return DISP_E_TYPEMISMATCH;
}

void AtlSetErrorInfo(const CLSID& source, const char* description, const IID& iid)
{
    t_errorInfo = ComErrorInfo{source, description ? description : "", iid};
    t_hasErrorInfo = true;
}

BOOL GetErrorInfo(ComErrorInfo& info)
{
    if (!t_hasErrorInfo)
        return FALSE;
    info = t_errorInfo;
    t_hasErrorInfo = false;
    return TRUE;
}

CComConnectionPointSinks::~CComConnectionPointSinks() { UnadviseAll(); }

HRESULT CComConnectionPointSinks::Advise(IDispatch* sink, DWORD* cookie)
{
    if (!sink || !cookie)
        return E_POINTER;
    sink->AddRef();
    *cookie = m_nextCookie++;
    m_sinks.emplace(*cookie, sink);
    return S_OK;
}

HRESULT CComConnectionPointSinks::Unadvise(DWORD cookie)
{
    auto found = m_sinks.find(cookie);
    if (found == m_sinks.end())
        return E_FAIL;
    IDispatch* sink = found->second;
    m_sinks.erase(found);
    sink->Release();
    return S_OK;
}

void CComConnectionPointSinks::Fire(DISPID id, std::vector<VARIANT> arguments)
{
    std::vector<VARIANT> reversed(arguments.rbegin(), arguments.rend());
    const std::map<DWORD, IDispatch*> sinks = m_sinks;
    for (const auto& [cookie, sink] : sinks) {
        DISPPARAMS params{reversed.data(), static_cast<UINT>(reversed.size())};
        VARIANT result;
        sink->Invoke(id, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &params, &result);
        VARIANT text;
        VariantChangeType(&text, &result, 0, VT_BSTR);
    }
}

void CComConnectionPointSinks::UnadviseAll()
{
    while (!m_sinks.empty())
        Unadvise(m_sinks.begin()->first);
}
