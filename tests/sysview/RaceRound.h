// One round of users, each in a process of its own on one repository: each plays up to the
// point where it waits for the others, then all go on at the same moment; each ends saying
// how its dialog went. The round is bounded, so that users waiting for each other for good
// fail the test instead of hanging it.
#pragma once

#include <chrono>
#include <cstddef>
#include <functional>
#include <string>

namespace racetest {

// The pipes of one round: each user says it stands where it waits, then waits for the word
// to go on; at the end it says how its dialog went.
struct RoundPipes {
    int arrived[2] = {-1, -1};
    int go[2] = {-1, -1};
    int done[2] = {-1, -1};
    bool hasArrived = false;

    RoundPipes();
    ~RoundPipes();
    RoundPipes(const RoundPipes&) = delete;
    RoundPipes& operator=(const RoundPipes&) = delete;

    // In a user's process.
    void ArriveAndWait();
    // A user who never got to its waiting point arrives all the same, so that the round goes on.
    void Arrive();
    // One write, so that the user's number and outcome arrive together.
    void Tell(std::size_t user, char outcome) const;

    // In the test's process: `count` bytes of `fd`, or fewer when the deadline passes.
    static std::string Read(int fd, std::size_t count, std::chrono::steady_clock::time_point deadline);
};

// Plays the round: `play` runs in each user's process and answers its outcome ('F' when it
// throws). How each user's dialog went, in user order; 'T' for one that did not end within
// `longest` (the users' processes are killed then).
std::string RunRound(std::size_t users, const std::function<char(std::size_t user, RoundPipes& pipes)>& play,
                     std::chrono::milliseconds longest);

} // namespace racetest
