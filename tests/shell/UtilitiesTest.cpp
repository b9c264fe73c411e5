#include "shell/VqsExceptionData.h"
#include "shell/VqsLockFailure.h"
#include "shell/VqsTime.h"

#include "support/ScopedResourceLibrary.h"
#include "support/ScopedTimeZone.h"

#include <gtest/gtest.h>

#include <string>

TEST(VqsExceptionDataTest, CarriesTextInsertsAndOrigin)
{
    try {
        throw VqsExceptionData("Cannot rename %1 to %2", "VqsModel.cpp", 120, "OLD", "NEW");
    } catch (const VqReportableException& error) {
        EXPECT_EQ(error.GetErrorMessage(), "Cannot rename OLD to NEW");
        EXPECT_EQ(error.GetFileName(), "VqsModel.cpp");
        EXPECT_EQ(error.GetLineNumber(), 120);
    }
    VqsExceptionData one("Cannot update %1", "a.cpp", 1, "SYS1");
    VqsExceptionData copy(one);
    EXPECT_EQ(copy.GetErrorMessage(), "Cannot update SYS1");
    EXPECT_EQ(VqsExceptionData("plain", "a.cpp", 2).GetErrorMessage(), "plain");
}

TEST(FormatTime64Test, FormatsTheLocalTime)
{
    vqtest::ScopedTimeZone zone("UTC");
    CString text;
    FormatTime64(1700000000, text, "%Y-%m-%d %H:%M:%S");
    EXPECT_EQ(text, "2023-11-14 22:13:20");
    FormatTime64(1700000000, text, "%c");
    EXPECT_EQ(text, "Tue Nov 14 22:13:20 2023");

    vqclock::ManualClock clock(86400);
    vqclock::ScopedClock now(clock);
    FormatTime64(_time64(nullptr), text, "%d.%m.%Y");
    EXPECT_EQ(text, "02.01.1970");
}

TEST(FormatTime64Test, IsEmptyWhenTheTimeCannotBeConvertedOrTheTextDoesNotFit)
{
    vqtest::ScopedTimeZone zone("UTC");
    CString text("old");
    FormatTime64(-1, text, "%Y");
    EXPECT_TRUE(text.IsEmpty());

    std::string fits(127, 'x');
    FormatTime64(0, text, fits.c_str());
    EXPECT_EQ(text.GetLength(), 127);
    std::string tooLong(128, 'x');
    FormatTime64(0, text, tooLong.c_str());
    EXPECT_TRUE(text.IsEmpty());
}

TEST(VqsLockFailureTest, TextsByCodeAndPersistentLock)
{
    vqtest::ScopedResourceLibrary resources;
    const char* const retry = "\nPlease try again after some time.";

    VqsLockFailure options{7, VqsOptionsLockText("ORDERS", "MAIN"), "USR1", 2};
    EXPECT_EQ(VqsLockFailureMessage(options),
              CString("Lock failed:\nUSR1 manually locked options for ORDERS in option set MAIN.") + retry);
    EXPECT_EQ(VqsLockFailureMessage({7, "SYS1", "USR1", 0}),
              CString("Lock failed:\nGenerate process for user USR1 persistently locked SYS1.") + retry);
    EXPECT_EQ(VqsLockFailureMessage({7, "", "", 0}),
              CString("Lock failed:\nan object is persistently locked by another user.") + retry);
    EXPECT_EQ(VqsLockFailureMessage({2, "", "", 0}),
              CString("Lock failed:\nan object is currently locked by another user.") + retry);
    EXPECT_EQ(VqsLockFailureMessage({6, "SYS1", "", 0}),
              CString("Cannot lock SYS1 as it is currently locked by another user.") + retry);
    for (int unreported : {0, 1, 8, -1})
        EXPECT_TRUE(VqsLockFailureMessage({unreported, "SYS1", "USR1", 1}).IsEmpty()) << unreported;
}
