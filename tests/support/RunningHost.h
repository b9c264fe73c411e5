// A stand-in host (vqshost, named by $VQSHOST) that runs beside a test as one user of a
// repository: it gets its script as the test sends it and prints into a pipe that the test
// reads as it goes. Its standard error goes to USER.stderr in the folder it runs in, and it
// writes the repository's own generation log, shared with the other hosts of the folder.
#pragma once

#include <sys/types.h>

#include <string>
#include <vector>

namespace vqtest {

class RunningHost {
public:
    RunningHost(const std::string& folder, const std::string& repository, const std::string& user);
    ~RunningHost();
    RunningHost(const RunningHost&) = delete;
    RunningHost& operator=(const RunningHost&) = delete;

    // Sends script lines; throws when the host takes no more.
    void Send(const std::string& lines);
    // Runs the lines and answers what they printed (without the command states the host
    // reports all along), up to a `say` that marks their end.
    std::string Run(const std::string& lines);
    // Reads until the host has printed a line holding `text`; false when it ended or printed
    // nothing for a minute first.
    bool ReadUntil(const std::string& text);
    // Ends the script and waits for the host: its exit status.
    int Finish();
    // The host dies at once, as a machine switched off does.
    void Kill();
    // The processor time the host's process has used so far (user and system), in seconds.
    double ProcessorSeconds() const;

    const std::string& Printed() const { return m_printed; }
    // What it printed, less the command states ("update:" lines).
    static std::string WithoutUpdates(const std::string& printed);
    // The message boxes among what it printed ("msgbox: " lines).
    static std::vector<std::string> Boxes(const std::string& printed);
    // The error boxes among them, less the questions a step asks.
    static std::vector<std::string> ErrorBoxes(const std::string& printed);

private:
    bool ReadMore();

    pid_t m_pid = 0;
    int m_input = -1;
    int m_output = -1;
    int m_status = -1;
    int m_steps = 0;
    std::string m_printed;
    std::size_t m_seen = 0;
    bool m_silent = false; // printed nothing for too long: hung
};

// The text of a file, empty when it cannot be read.
std::string ReadWholeFile(const std::string& path);
// What `vqsrepo dump` (the tool $VQSREPO names) prints of the repository.
std::string DumpOf(const std::string& repository);
// How often the part occurs in the text.
std::size_t CountOf(const std::string& text, const std::string& part);

} // namespace vqtest
