// The host as an automation client: it makes the module's automation object by its program
// id, calls its methods by name and prints each event the object fires as "event: CODE TEXT".
#pragma once

#include "com/ComAutomation.h"

#include <string>
#include <vector>

class HostAutomation {
public:
    HostAutomation();
    ~HostAutomation();
    HostAutomation(const HostAutomation&) = delete;
    HostAutomation& operator=(const HostAutomation&) = delete;

    // The HRESULT of the creation.
    HRESULT Create();
    // Calls the method with text arguments; the HRESULT, and the result or the error text.
    HRESULT Call(const std::string& method, const std::vector<std::string>& arguments, std::string& answer);
    void Release();
    bool Exists() const { return m_controller != nullptr; }

private:
    class Sink;

    IDispatch* m_controller = nullptr;
    IConnectionPoint* m_connection = nullptr;
    Sink* m_sink;
    DWORD m_cookie = 0;
    bool m_initialized = false;
};

// An HRESULT as the host prints it: "0x80004005".
std::string HexResult(HRESULT hr);
