// Error classes of the catalogue and its files. Every handler catches std::exception and
// shows what(); the classes only tell callers and tests which kind of failure happened.
#pragma once

#include <stdexcept>
#include <string>

namespace xal {

// The program's own error: a message and nothing else.
class EXALError : public std::runtime_error {
 public:
  explicit EXALError(const std::string& message) : std::runtime_error(message) {}
};

// A text that should hold a value of some type but does not (a number, a boolean, a required
// attribute that is missing).
class EConvertError : public std::runtime_error {
 public:
  explicit EConvertError(const std::string& message) : std::runtime_error(message) {}
};

// An index outside 0 .. Count-1 of a list.
class EListIndexError : public std::out_of_range {
 public:
  explicit EListIndexError(const std::string& message) : std::out_of_range(message) {}
};

}  // namespace xal
