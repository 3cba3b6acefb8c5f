#pragma once
// Sets or removes an environment variable for the life of the object, for
// what the test runs or starts meanwhile, and puts the old value back.

#include <cstdlib>
#include <optional>
#include <string>
#include <utility>

namespace molvane::testing {

class ScopedEnvironment {
 public:
  // A null value removes the variable.
  ScopedEnvironment(std::string name, const char* value) : name_(std::move(name)) {
    if (const char* before = std::getenv(name_.c_str())) before_ = before;
    Put(value);
  }
  ~ScopedEnvironment() { Put(before_ ? before_->c_str() : nullptr); }
  ScopedEnvironment(const ScopedEnvironment&) = delete;
  ScopedEnvironment& operator=(const ScopedEnvironment&) = delete;

 private:
  void Put(const char* value) const {
    if (value == nullptr) {
      unsetenv(name_.c_str());
    } else {
      setenv(name_.c_str(), value, 1);
    }
  }

  std::string name_;
  std::optional<std::string> before_;
};

}  // namespace molvane::testing
