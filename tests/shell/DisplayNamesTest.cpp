#include "shell/VqsDisplayNames.h"

#include "support/ScopedResourceLibrary.h"

#include <gtest/gtest.h>

namespace {
struct DisplayNamesTest : ::testing::Test {
    vqtest::ScopedResourceLibrary resources;
};
} // namespace

TEST_F(DisplayNamesTest, HostTypes)
{
    EXPECT_EQ(VqsGetHostTypeName(0), "Windows");
    EXPECT_EQ(VqsGetHostTypeName(1), "QSR");
    EXPECT_EQ(VqsGetHostTypeName(2), "OS Tarsk");
    EXPECT_EQ(VqsGetHostTypeName(3), "UNIX");
    EXPECT_EQ(VqsGetHostTypeName(4), "Unknown host");
    EXPECT_EQ(VqsGetHostTypeName(-1), "Unknown host");
}

TEST_F(DisplayNamesTest, ElementKindsAreNotInIdOrder)
{
    EXPECT_EQ(VqsGetElementKindName(0), "Business Segment");
    EXPECT_EQ(VqsGetElementKindName(3), "Report");
    EXPECT_EQ(VqsGetElementKindName(4), "Profile");
    EXPECT_EQ(VqsGetElementKindName(5), "Global Logic");
    EXPECT_EQ(VqsGetElementKindName(6), "Unknown object type");
}

TEST_F(DisplayNamesTest, ObjectKinds)
{
    EXPECT_EQ(VqsGetObjectKindName(3049), "Quorbit Bundle");
    EXPECT_EQ(VqsGetObjectKindName(3075), "Generate Set (UNIX)");
    EXPECT_EQ(VqsGetObjectKindName(3082), "Report entry in the Report Group");
    EXPECT_EQ(VqsGetObjectKindName(3088), "Profile entry");
    EXPECT_EQ(VqsGetObjectKindName(3089), "Report entry");
    EXPECT_EQ(VqsGetObjectKindName(3090), "System");
    EXPECT_EQ(VqsGetObjectKindName(3253), "Report Groups");
    EXPECT_EQ(VqsGetObjectKindName(3054), "Unknown object type");
}
