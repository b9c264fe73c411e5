#include "ControlsTestSupport.h"

#include "win/Gdi.h"

void ControlsTest::SetUp()
{
    ShellTest::SetUp();
    ASSERT_TRUE(app.SetResourceModule("vqsysres"));
    ASSERT_TRUE(app.OpenSession(sample.Path().c_str(), "ABC", nullptr));
    app.SetAllowLongNames(FALSE);
    parent = std::make_unique<ControlParent>();
}

void ControlsTest::TearDown()
{
    parent.reset();
    app.CloseSession();
}

void ControlsTest::AsOtherUser(const std::function<void(PxVQEnterprise&)>& change) const
{
    PxVQLink other;
    other.AttachSession(sample.Path().c_str(), "other/dev", nullptr);
    other.BeginTransaction();
    change(*other.GetLVQEnterprise());
    other.CommitTransaction();
}

const vqwin::DisplayList& ControlsTest::Paint(CWnd& window)
{
    window.Invalidate();
    window.UpdateWindow();
    return *vqwin::GetWindowDisplayList(window.m_hWnd);
}
