#include "proxy/VqException.h"

#include <gtest/gtest.h>

TEST(VqExceptionTest, MessageFillsInsertsAndDebugMessageSaysWhere)
{
    try {
        throw VqReportableException("VqsModel", 8880, "Pack %1 does not match its previous definition of a %2.",
                                    "PK1", "path");
    } catch (const VqException& e) {
        EXPECT_EQ(e.GetErrorMessage(), "Pack PK1 does not match its previous definition of a path.");
        EXPECT_EQ(e.GetDebugErrorMessage(),
                  "Pack PK1 does not match its previous definition of a path. (VqsModel, line 8880)");
        EXPECT_EQ(e.GetFileName(), "VqsModel");
        EXPECT_EQ(e.GetLineNumber(), 8880);
        EXPECT_STREQ(e.what(), "Pack PK1 does not match its previous definition of a path.");
    }
}

TEST(VqExceptionTest, TextWithoutInsertsStaysAsItIs)
{
    VqReportableException e("VQSys", 1070, "error (message 61553 not found)");
    EXPECT_EQ(e.GetErrorMessage(), "error (message 61553 not found)");
}
