#include "com/ComGuid.h"

#include <gtest/gtest.h>

TEST(ComGuidTest, NewGuidsAreRandomVersionFourAndFailWhileFailureIsAsked)
{
    GUID first{};
    GUID second{};
    ASSERT_EQ(CoCreateGuid(&first), S_OK);
    ASSERT_EQ(CoCreateGuid(&second), S_OK);
    EXPECT_FALSE(first == second);
    EXPECT_EQ(first.Data3 >> 12, 4);
    EXPECT_EQ(first.Data4[0] & 0xC0, 0x80);
    EXPECT_EQ(CoCreateGuid(nullptr), E_POINTER);
    {
        vqcom::ScopedGuidFailure failure;
        EXPECT_EQ(CoCreateGuid(&first), E_FAIL);
    }
    EXPECT_EQ(CoCreateGuid(&first), S_OK);
}
