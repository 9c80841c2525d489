// One table row of a command line and its exact answer, for the subcommands
// run in the test process and for the real program run without a terminal:
// both tables read alike, so that a row can move from one to the other.
#pragma once

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "tests/support/row_names.h"

namespace testrows {

struct CommandRow {
  const char* name;
  std::vector<std::string> arguments;
  int exitCode;
  // Standard output and standard error, exactly.
  std::string out;
  std::string err;
  // The real program's streams only (the test process has no files behind
  // them): standard output goes to this file instead of being captured, and
  // standard input comes from this file instead of /dev/null.
  std::string outputFile = {};
  std::string inputFile = {};
};

// ctest and the failure messages name the row, not its bytes.
inline void PrintTo(const CommandRow& row, std::ostream* out) { *out << row.name; }

}  // namespace testrows
