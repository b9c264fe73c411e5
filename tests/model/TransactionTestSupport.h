// What the transaction tests share: the started module with an open session on a
// repository of a small design (business segments SALES and EMPTY taken into system SYS1,
// SALES also into SYS2), a view that records the change notices it hears, and a second
// session that sees only what was committed.
#pragma once

#include "shell/ListFrameTestSupport.h"
#include "shell/ShellTestSupport.h"

#include "proxy/PxLSEBusinessSegment.h"
#include "proxy/PxVQBSSoftLink.h"
#include "proxy/PxVQConfig.h"
#include "proxy/PxVQLink.h"
#include "proxy/PxVQSystem.h"

#include <memory>
#include <string>
#include <vector>

struct TransactionTest : ShellTest {
    int node = 0;
    std::string path;
    frametest::HostWindow host;
    frametest::TestView* view = nullptr;
    std::vector<std::string> logLines;

    void SetUp() override;
    void TearDown() override;

    PxVQLink& Link() { return *app.GetLink(); }
    // A link of its own session on the same repository: another user.
    std::unique_ptr<PxVQLink> OtherSession() const;
    // A link of the module's session, as the host holds one.
    std::unique_ptr<PxVQLink> HostSession();

    PxVQSystemPtr System(const char* name);
    PxVQCurConfigPtr CurConfig(const char* system = "SYS1");
    PxVQBSSoftLinkPtr BSLink(const char* segment, const char* system = "SYS1");
    PxLSEBusinessSegmentPtr Segment(const char* name);
    PxLSEElementPtr Element(const char* segment, const char* name);

    // Raises a change notice, as an editing operation does inside its transaction.
    void Notice(int hint) { app.BroadcastObjectChange(hint, nullptr, nullptr, nullptr); }
    // The notices the view has heard, by hint.
    std::vector<int> Heard() const;
    // Whether another session finds a system of the name.
    bool Committed(const char* systemName) const;
};
