// One result type through the command line: a value, or the refusal that
// stands in its place. A refusal is one line without the program's name,
// which the caller writes in front when it reaches the user:
//
//   Result<float> speed = Refused("--sound-speed: '0' is no speed of sound");
//   if (!speed.ok()) err << "helmholtz: " << speed.refusal().message << '\n';
#pragma once

#include <cassert>
#include <string>
#include <string_view>
#include <utility>
#include <variant>

namespace app {

struct Refusal {
  std::string message;
};

inline Refusal Refused(std::string message) { return Refusal{std::move(message)}; }

// A refusal's line as it reaches the user: "helmholtz: --format: ...\n".
inline std::string DiagnosticLine(std::string_view text) { return "helmholtz: " + std::string(text) + "\n"; }

template <class T>
class Result {
 public:
  Result(T value) : state_(std::move(value)) {}            // NOLINT: implicit, so that a function returns either
  Result(Refusal refusal) : state_(std::move(refusal)) {}  // NOLINT

  bool ok() const { return state_.index() == 0; }
  // Only for a result that is ok(); refusal() only for one that is not.
  const T& value() const {
    assert(ok());
    return std::get<0>(state_);
  }
  T& value() {
    assert(ok());
    return std::get<0>(state_);
  }
  const Refusal& refusal() const {
    assert(!ok());
    return std::get<1>(state_);
  }

 private:
  std::variant<T, Refusal> state_;
};

}  // namespace app
