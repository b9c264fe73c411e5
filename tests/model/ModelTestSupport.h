// What the model tests share: the started module with a session on a copy of the sample
// repository, a frame whose view records the change notices, a second user on the same
// repository, and the objects of the sample by name.
#pragma once

#include "../shell/ListFrameTestSupport.h"
#include "../shell/ShellTestSupport.h"

#include "proxy/PxTesting.h"
#include "proxy/PxTypedList.h"
#include "model/VqsModel.h"
#include "model/VqsModelNodeLink.h"
#include "model/VqsModelNodeSystem.h"
#include "proxy/PxVQBSSoftLink.h"
#include "proxy/PxVQConfig.h"
#include "proxy/PxVQElementSoftLink.h"
#include "proxy/PxVQEnterprise.h"
#include "proxy/PxVQReportGroup.h"
#include "proxy/PxVQLink.h"
#include "proxy/PxVQSystem.h"
#include "support/SampleRepository.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

struct ModelTest : ShellTest {
    frametest::HostWindow host;
    frametest::TestView* view = nullptr;
    vqtest::SampleRepository sample;

    void SetUp() override;
    void TearDown() override;

    PxVQSystemPtr System(const char* name) const;
    PxVQBSSoftLinkPtr Segment(const char* system, const char* segment) const;
    PxVQElementSoftLinkPtr Element(const char* system, const char* segment, const char* element) const;
    PxVQReportGroupPtr ReportGroup(const char* system, const char* segment, const char* group) const;
    // The hint codes of the notices the view received, in order; forgets them.
    std::vector<int> TakeHints();
    // A second user's link on the same repository.
    std::unique_ptr<PxVQLink> OtherUser() const;
    // Deletes the object `find` picks as a second user would, in a transaction of theirs.
    void DeleteAsOtherUser(const std::function<PxVQObjectPtr(PxVQEnterprise&)>& find) const;
};

// A model of the session's enterprise, with the nodes of SYS1's configuration and of its
// business segment SALES.
struct SalesModelTest : ModelTest {
    VqsModel model;
    VqsModelNodeConfig* config = nullptr;
    VqsModelNodeBSLink* sales = nullptr;

    void SetUp() override;
};

// The first element of a typed list filled by `fill` whose name is `name`.
template <class Ptr, class Fill>
Ptr NamedIn(const char* name, Fill fill)
{
    PxTypedList<Ptr> list;
    fill(list);
    for (POSITION pos = list.GetHeadPosition(); pos;) {
        Ptr element = list.GetNext(pos);
        if (element->GetStringProperty("name") == name)
            return element;
    }
    return Ptr();
}
