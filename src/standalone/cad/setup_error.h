// The error of building a drawing from data.
#pragma once

#include <stdexcept>

namespace nimbo::standalone {

// Raised by setup for data that cannot be built (an unknown block, an odd number of
// coordinates, a duplicate table); the message names the offending value.
class SetupError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

}  // namespace nimbo::standalone
