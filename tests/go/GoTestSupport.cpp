#include "GoTestSupport.h"

#include "options/VqsSheetRegister.h"

#include <gtest/gtest.h>

namespace gotest {

namespace {

VqsOptionsSheet* RecordSheetRequest(VqsSoftLinkOptionsDlg*, const PxOptionsPtr& options, UINT selectPage)
{
    SheetRequests().push_back({options, selectPage});
    return nullptr;
}

} // namespace

std::vector<SheetRequest>& SheetRequests()
{
    static std::vector<SheetRequest> requests;
    return requests;
}

void RecordSheetRequests()
{
    SheetRequests().clear();
    VqsSheetRegister::AddFactory(&RecordSheetRequest);
}

void ExpectRequest(const PxVQSoftLinkPtr& link, const PxVQOptionSetPtr& optionSet, UINT page)
{
    ASSERT_EQ(SheetRequests().size(), 1u);
    EXPECT_TRUE(SheetRequests()[0].options->IsSameOid(link->GetOptions(optionSet)));
    EXPECT_EQ(SheetRequests()[0].page, page);
}

} // namespace gotest
