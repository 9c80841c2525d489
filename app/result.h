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
#include <optional>

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
  Result(T value) : value_(std::move(value)) {}              // NOLINT: implicit, so that a function returns either
  Result(Refusal refusal) : refusal_(std::move(refusal)) {}  // NOLINT

  bool ok() const { return value_.has_value(); }
  // Only for a result that is ok(); refusal() only for one that is not.
  const T& value() const {
    assert(ok());
    return *value_;
  }
  T& value() {
    assert(ok());
    return *value_;
  }
  const Refusal& refusal() const {
    assert(!ok());
    return refusal_;
  }

 private:
  // An optional beside the refusal rather than a variant of the two: the
  // same meaning in less code for every T (no index to dispatch on).
  std::optional<T> value_;
  Refusal refusal_;
};

}  // namespace app
