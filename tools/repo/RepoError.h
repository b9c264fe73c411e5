// A description or repository the tool refuses; the message names the place.
#pragma once

#include <stdexcept>
#include <string>

namespace vqrepo {

class RepoError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

} // namespace vqrepo
