// Automation as far as the module's automation object uses it: variants (a long, a text or
// a one-dimensional array of variants), dispatch by name, the error record of the calling
// thread, and a connection point that fires events to advised sinks.
//
// Unlike the platform's, a variant owns its text (no separate string allocation), and an
// out argument of a method called through Invoke comes back as Invoke's result.
#pragma once

#include "com/ComBase.h"
#include "win/CString.h"

#include <map>
#include <vector>

using VARTYPE = unsigned short;
using DISPID = LONG;
using LCID = DWORD;

enum VARENUM : VARTYPE { VT_EMPTY = 0, VT_I4 = 3, VT_BSTR = 8, VT_VARIANT = 12, VT_ARRAY = 0x2000 };

constexpr WORD DISPATCH_METHOD = 1;
constexpr LCID LOCALE_USER_DEFAULT = 1024;
constexpr HRESULT DISP_E_UNKNOWNNAME = static_cast<HRESULT>(0x80020006u);
constexpr HRESULT DISP_E_MEMBERNOTFOUND = static_cast<HRESULT>(0x80020003u);
constexpr HRESULT DISP_E_BADPARAMCOUNT = static_cast<HRESULT>(0x8002000Eu);
constexpr HRESULT DISP_E_TYPEMISMATCH = static_cast<HRESULT>(0x80020005u);

struct VARIANT {
    VARTYPE vt = VT_EMPTY;
    LONG lVal = 0;
    CString bstrVal;
    // VT_ARRAY | VT_VARIANT: the elements, lower bound 0.
    std::vector<VARIANT> array;

    static VARIANT Long(LONG value);
    static VARIANT Text(const char* text);
};

// Converts to VT_BSTR (a long as its decimal digits) or VT_I4 (a text of digits);
// DISP_E_TYPEMISMATCH for anything else.
HRESULT VariantChangeType(VARIANT* dest, const VARIANT* source, unsigned short flags, VARTYPE type);

// The arguments of a call, last argument first, as the platform passes them.
struct DISPPARAMS {
    VARIANT* rgvarg = nullptr;
    UINT cArgs = 0;
};

struct IDispatch : IUnknown {
    virtual HRESULT GetIDsOfNames(const char* name, DISPID* id) = 0;
    virtual HRESULT Invoke(DISPID id, LCID locale, WORD flags, DISPPARAMS* params, VARIANT* result) = 0;

protected:
    ~IDispatch() = default;
};
extern const IID IID_IDispatch;

// The outgoing interface's connection point: sinks are dispatch interfaces.
struct IConnectionPoint : IUnknown {
    virtual HRESULT Advise(IDispatch* sink, DWORD* cookie) = 0;
    virtual HRESULT Unadvise(DWORD cookie) = 0;

protected:
    ~IConnectionPoint() = default;
};
extern const IID IID_IConnectionPoint;

// The error record of the calling thread, set by an object whose method failed.
struct ComErrorInfo {
    GUID source{};
    CString description;
    IID iid{};
};
void AtlSetErrorInfo(const CLSID& source, const char* description, const IID& iid);
// TRUE and the record when there is one; the record is cleared by reading it.
BOOL GetErrorInfo(ComErrorInfo& info);

// The sinks of one connection point, in the order they were advised; holds a reference on
// each.
class CComConnectionPointSinks {
public:
    ~CComConnectionPointSinks();
    HRESULT Advise(IDispatch* sink, DWORD* cookie);
    HRESULT Unadvise(DWORD cookie);
    // Calls the method on every sink with the arguments (first argument first); each
    // sink's result is dropped.
    void Fire(DISPID id, std::vector<VARIANT> arguments);
    void UnadviseAll();

private:
    std::map<DWORD, IDispatch*> m_sinks;
    DWORD m_nextCookie = 1;
};
