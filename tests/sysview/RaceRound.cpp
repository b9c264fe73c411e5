#include "RaceRound.h"

#include "support/ChildProcess.h"

#include <poll.h>
#include <unistd.h>

#include <memory>
#include <stdexcept>
#include <vector>

namespace racetest {

RoundPipes::RoundPipes()
{
    if (pipe(arrived) != 0 || pipe(go) != 0 || pipe(done) != 0)
        throw std::runtime_error("pipe");
}

RoundPipes::~RoundPipes()
{
    for (int fd : {arrived[0], arrived[1], go[0], go[1], done[0], done[1]})
        close(fd);
}

void RoundPipes::ArriveAndWait()
{
    Arrive();
    char byte = 0;
    if (read(go[0], &byte, 1) != 1)
        throw std::runtime_error("the round's pipes broke");
}

void RoundPipes::Arrive()
{
    char byte = 1;
    if (!hasArrived && write(arrived[1], &byte, 1) != 1)
        throw std::runtime_error("the round's pipes broke");
    hasArrived = true;
}

void RoundPipes::Tell(std::size_t user, char outcome) const
{
    const char said[2] = {static_cast<char>(user), outcome};
    (void)!write(done[1], said, sizeof said);
}

std::string RoundPipes::Read(int fd, std::size_t count, std::chrono::steady_clock::time_point deadline)
{
    std::string bytes;
    while (bytes.size() < count) {
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
        pollfd ready{fd, POLLIN, 0};
        char byte = 0;
        if (left.count() <= 0 || poll(&ready, 1, static_cast<int>(left.count())) <= 0 || read(fd, &byte, 1) != 1)
            break;
        bytes.push_back(byte);
    }
    return bytes;
}

std::string RunRound(std::size_t users, const std::function<char(std::size_t user, RoundPipes& pipes)>& play,
                     std::chrono::milliseconds longest)
{
    RoundPipes pipes;
    std::vector<std::unique_ptr<vqtest::ChildProcess>> processes;
    for (std::size_t user = 0; user < users; ++user) {
        processes.push_back(std::make_unique<vqtest::ChildProcess>([&, user] {
            char outcome = 'F';
            try {
                outcome = play(user, pipes);
            } catch (...) {
                // The outcome stays 'F'.
            }
            pipes.Arrive();
            pipes.Tell(user, outcome);
        }));
    }
    const auto deadline = std::chrono::steady_clock::now() + longest;
    std::string outcomes(users, 'T');
    std::string said;
    if (RoundPipes::Read(pipes.arrived[0], users, deadline).size() == users) {
        const std::string word(users, '\1');
        (void)!write(pipes.go[1], word.data(), word.size());
        said = RoundPipes::Read(pipes.done[0], 2 * users, deadline);
    }
    for (std::size_t at = 0; at + 1 < said.size(); at += 2)
        outcomes.at(static_cast<std::size_t>(said[at])) = said[at + 1];
    if (said.size() < 2 * users) {
        for (auto& process : processes)
            process->Kill();
    }
    return outcomes;
}

} // namespace racetest
