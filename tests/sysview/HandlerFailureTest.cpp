#include "SysViewTestSupport.h"

#include "proxy/PxFaultInjection.h"
#include "support/ScriptedUiDriver.h"

#include <functional>

namespace {

constexpr UINT ID_GENERATE_SYSTEM = 32792;
constexpr UINT ID_PREVIOUS_CONFIGURATIONS = 32794;

void IgnoreMenuItem(const char*, const char*, UINT, UINT, UINT, const char*) {}

struct HandlerFailureTest : SysViewTest {
    void SetUp() override
    {
        SysViewTest::SetUp();
        OpenFrame();
        // As the host starts a view: the frame's command states are all reported from now on.
        ASSERT_TRUE(app.AddMenuItems(frame->m_hWnd, &IgnoreMenuItem));
        Expand("Sample system 1");
    }
    void TearDown() override
    {
        PxFaultInjection::Reset();
        SysViewTest::TearDown();
    }
};

} // namespace

// The repository fails inside the directory view's message handling: the user reads the
// failure in the error box, the handler ends there and nothing reaches the host's loop.
TEST_F(HandlerFailureTest, ARepositoryFailureInTheViewsHandlingIsShownAndGoesNoFurther)
{
    const struct {
        const char* what;
        const char* operation;
        int times;
        std::function<void()> act;
    } cases[] = {
        {"selecting a row updates the command states", "PxVQConfig::GetListOfBSSoftLinks", 1000,
         [&] { Select({"Sample system 1"}); }},
        {"a command whose enabling rule reads the repository", "PxVQConfig::GetListOfBSSoftLinks", 1000,
         [&] { Command(ID_GENERATE_SYSTEM); }},
        {"a command whose work reads the repository", "*", 1, [&] { Command(ID_PREVIOUS_CONFIGURATIONS); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Select({"SALES business segment"});
        {
            vqtest::ScriptedUiDriver ui;
            ui.ExpectMessageBox("Injected repository failure", IDOK, "Wrenfield Error");
            PxFaultInjection::Throw(c.operation, "Injected repository failure", 0, c.times);
            EXPECT_NO_THROW(c.act());
            ui.Verify();
        }
        PxFaultInjection::Reset();
        Select({"Sample system 1"});
        EXPECT_EQ(State(ID_GENERATE_SYSTEM), "enabled") << "the view goes on as before";
    }
}
