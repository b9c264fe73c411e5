// A fixture that installs the dialog templates of the window-system tests
// (resources/dialogtests) with a fresh transcript and help sink.
#pragma once

#include "win/Help.h"
#include "win/UiDriver.h"

#include "support/ScopedResourceLibrary.h"

#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

struct DialogTest : ::testing::Test {
    void SetUp() override
    {
        vqui::ClearTranscript();
        vqwin::ClearHelpRequests();
    }
    std::string LastTranscriptLine() const
    {
        auto transcript = vqui::Transcript();
        return transcript.empty() ? std::string() : vqui::Describe(transcript.back());
    }

    vqtest::ScopedResourceLibrary library{"dialogtests", vqtest::SourceFolder("tests/platform/win/resources")};
};

// Runs `body` and returns the test failures it reported (on any thread), without failing
// the running test.
template <class Body>
std::vector<std::string> FailuresOf(Body body)
{
    ::testing::TestPartResultArray results;
    {
        ::testing::ScopedFakeTestPartResultReporter reporter(
            ::testing::ScopedFakeTestPartResultReporter::INTERCEPT_ALL_THREADS, &results);
        body();
    }
    std::vector<std::string> messages;
    for (int i = 0; i < results.size(); ++i)
        messages.push_back(results.GetTestPartResult(i).message());
    return messages;
}
