// helmholtz batch: a CSV file of designs in, one result per row out, in
// order. A row that cannot be computed gets an output row with only its
// error, and a line "FILE:LINE: reason" on standard error; the other rows
// are still computed. Rows stream through: memory does not grow with the file.
#pragma once

#include <iosfwd>
#include <string>

#include "app/output/design_writer.h"
#include "app/output/output.h"
#include "app/model_options.h"

namespace app {

// `path` "-" reads standard input. Returns 0 when every row was computed,
// kExitRowsFailed when some were not or the header was refused,
// kExitBadArgument when the file cannot be opened or read (a directory:
// "helmholtz: batch: cannot read '/tmp': Is a directory" on `err`);
// FinishOutput decides when the output fails.
struct BatchFormat {
  Format format = Format::kCsv;
  // The model texts of rows that leave their model cells empty (--ends, --ports).
  ModelTexts defaults;
  // The air given to the batch (each row's model computes in it, or in its
  // own default air when none is given: model_options.h, ConstantsFor), the
  // CSV style and the units.
  AnswerStyle style;
};
int RunBatch(const std::string& path, BatchFormat format, Output& out, std::ostream& err);

}  // namespace app
