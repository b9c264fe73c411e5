// Writes every present object of a repository as text, the same from run to run for the
// same repository: from each root, an object's class and id, its attributes by name and
// its lists by role, each in repository order. An object stands in full under the first
// list that owns it and as a reference ("-> #id Class") everywhere else. Time stamps are
// left out.
#pragma once

#include <ostream>

class PxLink;

class PxRepositoryDump {
public:
    static void Write(PxLink& link, std::ostream& out);
};
