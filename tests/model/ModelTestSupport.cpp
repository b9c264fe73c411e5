#include "ModelTestSupport.h"

#include "proxy/PxVQReportGroup.h"

void ModelTest::SetUp()
{
    ShellTest::SetUp();
    frametest::TestFrame* frame = host.MakeFrame();
    app.GetFrameList().AddTail(frame);
    view = frame->AddView();
    ASSERT_TRUE(app.SetResourceModule("vqsysres"));
    ASSERT_TRUE(app.OpenSession(sample.Path().c_str(), "ABC", nullptr));
    PxTesting::ResetListReads();
}

void ModelTest::TearDown() { app.CloseSession(); }

PxVQSystemPtr ModelTest::System(const char* name) const { return app.GetEnterprise()->GetSystem(name); }

PxVQBSSoftLinkPtr ModelTest::Segment(const char* system, const char* segment) const
{
    return System(system)->GetCurConfig()->GetBSSoftLink(segment);
}

PxVQElementSoftLinkPtr ModelTest::Element(const char* system, const char* segment, const char* element) const
{
    return Segment(system, segment)->GetElementSoftLink(element);
}

PxVQReportGroupPtr ModelTest::ReportGroup(const char* system, const char* segment, const char* group) const
{
    return Segment(system, segment)->GetReportGroup(group);
}

std::vector<int> ModelTest::TakeHints()
{
    std::vector<int> hints;
    for (const frametest::TestView::Notice& notice : view->notices)
        hints.push_back(notice.hint);
    view->notices.clear();
    return hints;
}

std::unique_ptr<PxVQLink> ModelTest::OtherUser() const
{
    auto link = std::make_unique<PxVQLink>();
    link->AttachSession(sample.Path().c_str(), "other/dev", nullptr);
    return link;
}

void ModelTest::DeleteAsOtherUser(const std::function<PxVQObjectPtr(PxVQEnterprise&)>& find) const
{
    const std::unique_ptr<PxVQLink> other = OtherUser();
    other->BeginTransaction();
    find(*other->GetLVQEnterprise())->DeleteObject();
    other->CommitTransaction();
}

void SalesModelTest::SetUp()
{
    ModelTest::SetUp();
    model.SetEnterprise(app.GetEnterprise());
    config = model.FindConfigNode(System("SYS1")->GetCurConfig());
    sales = model.FindConfigNodeOfBSLink(Segment("SYS1", "SALES"));
    ASSERT_TRUE(config && sales);
}
