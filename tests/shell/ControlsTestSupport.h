// What the control tests share: a session on a copy of the sample repository, a second user
// on it to change the repository behind the session's back, and a window to put controls on.
#pragma once

#include "ShellTestSupport.h"

#include "proxy/PxVQBSSoftLink.h"
#include "proxy/PxVQConfig.h"
#include "proxy/PxVQLink.h"
#include "proxy/PxVQSystem.h"
#include "support/SampleRepository.h"
#include "win/CWnd.h"
#include "win/DisplayList.h"

#include <functional>
#include <memory>

class ControlParent : public CWnd {
public:
    ControlParent() { CreateEx(0, "ControlParent", "", WS_POPUP | WS_VISIBLE, 0, 0, 600, 400, nullptr, nullptr); }
};

struct ControlsTest : ShellTest {
    vqtest::SampleRepository sample;
    std::unique_ptr<ControlParent> parent;

    void SetUp() override;
    void TearDown() override;

    PxVQSystemPtr System(const char* name) const { return app.GetEnterprise()->GetSystem(name); }
    PxVQBSSoftLinkPtr Segment(const char* system, const char* segment) const
    {
        return System(system)->GetCurConfig()->GetBSSoftLink(segment);
    }
    // Changes the repository as another user would, in one transaction of that user's session.
    void AsOtherUser(const std::function<void(PxVQEnterprise&)>& change) const;
    // Paints the window and answers what it drew.
    static const vqwin::DisplayList& Paint(CWnd& window);
};
