// A subcommand run in the test process, its standard output into a string
// whose writes report `writes`.
#pragma once

#include <string>
#include <vector>

#include "app/output/output.h"

namespace app {

struct Ran {
  int exitCode = -1;
  std::string out;
  std::string err;
};

Ran RunHelmholtz(const std::vector<std::string>& arguments, WriteStatus writes = WriteStatus::kWritten);

}  // namespace app
