// A stand-in host that runs beside a test on a repository that other hosts share: it gets its
// script as the test sends it and prints into a pipe the test reads as it goes.
#pragma once

#include <string>

#include <sys/types.h>

class RunningHost {
public:
    RunningHost(const std::string& folder, const std::string& repository, const std::string& user);
    ~RunningHost() { Finish(); }
    RunningHost(const RunningHost&) = delete;
    RunningHost& operator=(const RunningHost&) = delete;

    void Send(const std::string& lines);
    // Reads until the host has printed a line holding `text`; false when it ended or fell
    // silent first.
    bool ReadUntil(const std::string& text);
    // Ends the script and waits for the host: its exit status.
    int Finish();

    const std::string& Printed() const { return m_printed; }

private:
    bool ReadMore();

    pid_t m_pid = 0;
    int m_input = -1;
    int m_output = -1;
    int m_status = -1;
    std::string m_printed;
    std::size_t m_seen = 0;
    bool m_silent = false;  // printed nothing for too long: hung
};

// The text of a file, empty when it cannot be read.
std::string ReadWholeFile(const std::string& path);
