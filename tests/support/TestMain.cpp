#include "support/LockRaises.h"

#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    vqtest::CheckLockRaises();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
