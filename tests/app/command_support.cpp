#include "tests/app/command_support.h"

#include <span>
#include <sstream>

#include "app/command_line.h"

namespace app {

Ran RunHelmholtz(const std::vector<std::string>& arguments, WriteStatus writes) {
  std::vector<const char*> pointers;
  for (const std::string& argument : arguments) pointers.push_back(argument.c_str());
  StringSink sink(writes);
  Output out(sink);
  std::ostringstream err;
  Ran ran;
  ran.exitCode = RunCommand(std::span<const char* const>(pointers), out, err);
  ran.out = sink.text();
  ran.err = err.str();
  return ran;
}

}  // namespace app
