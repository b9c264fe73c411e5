// The dialog templates of the window-system tests (resources/dialogtests) and a fixture that
// installs them with a fresh transcript and help sink.
#pragma once

#include "win/Help.h"
#include "win/ResourceLibrary.h"
#include "win/UiDriver.h"

#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

class DialogTestLibrary {
public:
    DialogTestLibrary() : m_previous(vqres::CurrentResourceLibrary())
    {
        const char* source = std::getenv("VQ_SOURCE");
        vqres::InstallResourceLibrary(
            vqres::ResourceLibrary::Load("dialogtests", std::string(source ? source : ".") + "/tests/platform/win/resources"));
    }
    ~DialogTestLibrary() { vqres::InstallResourceLibrary(m_previous); }
    DialogTestLibrary(const DialogTestLibrary&) = delete;
    DialogTestLibrary& operator=(const DialogTestLibrary&) = delete;

private:
    std::shared_ptr<const vqres::ResourceLibrary> m_previous;
};

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

    DialogTestLibrary library;
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
