#include "proxy/PxTesting.h"

#include "proxy/PxClass.h"
#include "proxy/PxLink.h"
#include "proxy/PxLinkCore.h"
#include "proxy/PxSession.h"

#include <string>

void PxTesting::SetBusyTimeout(PxLink& link, int milliseconds) { link.m_core->Session()->SetBusyTimeout(milliseconds); }

void PxTesting::LimitDataFile(PxLink& link, int pages)
{
    std::shared_ptr<PxSession> session = link.m_core->Session();
    auto guard = session->Guard();
    std::string pragma = "PRAGMA max_page_count=" + std::to_string(pages);
    session->Store().Database().Execute(pragma.c_str(), pxwhat::Write);
}

void PxTesting::AddClass(const PxClassInfo& info) { PxAddClass(info); }

bool PxTesting::WasWoken(PxLink& link) { return link.m_core->Session()->Locks().AwaitRelease(0); }
