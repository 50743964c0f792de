// Why an operation failed, gathered on the way up: the innermost cause is set where the failure happens
// ("No space left on device"), and each caller that knows more adds what it was doing in front ("writing
// C:\WINDOWS\norva.ini: "). Operations report failure by their result (false, nullopt, null) and fill an
// Error only when the caller passes one; a null Error* is always allowed.
#pragma once

#include <string>
#include <string_view>
#include <utility>

namespace norva::platform {

class Error {
 public:
  bool IsSet() const { return !description_.empty(); }
  // The whole text, outermost context first.
  const std::string& Description() const { return description_; }

  void Set(std::string description) { description_ = std::move(description); }
  // "context: " in front of what is there.
  void AddPrefix(std::string_view context) {
    description_ = std::string(context) + (description_.empty() ? "" : ": ") + description_;
  }
  void Clear() { description_.clear(); }

  static void Set(Error* error, std::string description) {
    if (error != nullptr) error->Set(std::move(description));
  }
  static void AddPrefix(Error* error, std::string_view context) {
    if (error != nullptr) error->AddPrefix(context);
  }

 private:
  std::string description_;
};

}  // namespace norva::platform
