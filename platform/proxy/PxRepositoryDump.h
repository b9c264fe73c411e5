// Writes every present object of a repository as text, the same from run to run for the
// same repository: from each root, an object's class and id, its attributes by name and
// its lists by role, each in repository order. An object stands in full under the first
// list that owns it and as a reference ("-> #id Class") everywhere else. Time stamps are
// left out. The whole dump reads one state of the repository (one read transaction); a
// repository without its two roots is damaged.
#pragma once

#include <ostream>
#include <string>

class PxLink;

class PxRepositoryDump {
public:
    // Through the link's session, inside its transaction when one is open.
    static void Write(PxLink& link, std::ostream& out);
    // The repository file opened read only, without a session: nothing is written, no
    // lock file is made, and a file that can only be read will do.
    static void WriteFile(const std::string& path, std::ostream& out);
};
