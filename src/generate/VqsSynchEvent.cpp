#include "generate/VqsSynchEvent.h"

#include <atomic>

namespace {

constexpr DWORD kDefaultTimeout = 5 * 60 * 1000;
std::atomic<DWORD> g_timeout{kDefaultTimeout};

} // namespace

VqsSynchEventHold::VqsSynchEventHold() : m_event(TRUE, FALSE, "VqsSynchEvent") {}

VqsSynchEventHold::~VqsSynchEventHold() { Release(); }

BOOL VqsSynchEventHold::Acquire()
{
    if (!m_bHeld)
        m_bHeld = m_event.Lock(g_timeout.load());
    return m_bHeld;
}

void VqsSynchEventHold::Release()
{
    if (!m_bHeld)
        return;
    m_bHeld = FALSE;
    m_event.SetEvent();
}

DWORD VqsSynchEventHold::GetTimeout() { return g_timeout.load(); }

void VqsSynchEventHold::SetTimeout(DWORD milliseconds) { g_timeout = milliseconds; }
