// Any bytes as a batch file and as a typed value: the CSV reader must give
// the same records whatever the size of the blocks it is handed, keep no
// cells of a malformed record and never step back a line; the value parser
// must give a finite value or a refusal, and a value it accepts without a
// unit must be exactly what the screens store for the same text; the model
// options' parser must give a model or a refusal, a slot of finite sides.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

#include "app/batch/csv_reader.h"
#include "app/model_options.h"
#include "app/units.h"
#include "numtext/numtext.h"

namespace {

std::string Records(std::string_view input, std::size_t blockBytes) {
  std::size_t position = 0;
  app::CsvReader reader([&](char* buffer, std::size_t capacity) {
    std::size_t count = input.size() - position;
    if (count > capacity) count = capacity;
    if (count > blockBytes) count = blockBytes;
    std::memcpy(buffer, input.data() + position, count);
    position += count;
    return count;
  });
  std::string records;
  app::CsvRecord record;
  std::size_t lastLine = 0;
  std::size_t cellBytes = 0;
  while (reader.Next(record)) {
    if (record.line <= lastLine) std::abort();
    if (!record.error.empty() && !record.cells.empty()) std::abort();
    lastLine = record.line;
    records += std::to_string(record.line) + record.error;
    for (const std::string& cell : record.cells) {
      cellBytes += cell.size();
      records += '\0' + cell;
    }
    records += '\n';
  }
  if (cellBytes > input.size()) std::abort();
  return records;
}

// A refusal always says why.
template <class T>
void CheckRefusal(const app::Result<T>& result) {
  if (!result.ok() && result.refusal().message.empty()) std::abort();
}

void CheckValue(std::string_view text) {
  const numtext::ScannedNumber scanned = numtext::ScanNumber(text);
  if (scanned.length > text.size()) std::abort();
  for (const app::Dimension dimension : {app::Dimension::kFrequency, app::Dimension::kVolume, app::Dimension::kLength,
                                         app::Dimension::kSurface, app::Dimension::kSoundSpeed}) {
    const app::Result<float> parsed = app::ParseValue(text, dimension);
    CheckRefusal(parsed);
    if (!parsed.ok()) continue;
    if (!std::isfinite(parsed.value())) std::abort();
    if (scanned.length == text.size()) {
      const float stored = static_cast<float>(numtext::TextToNumber(text));
      if (std::memcmp(&stored, &parsed.value(), sizeof stored) != 0) std::abort();
    }
  }
  const app::Result<float> speed = app::ParseTemperature(text);
  CheckRefusal(speed);
  if (speed.ok() && !(speed.value() >= 0 && std::isfinite(speed.value()))) std::abort();
  const app::Result<calculator::Slot> slot = app::ParseSlot(text);
  CheckRefusal(slot);
  if (slot.ok() && !(std::isfinite(slot.value().width) && std::isfinite(slot.value().height))) std::abort();
  CheckRefusal(app::ParseModel({text, text, text, text}, app::kModelOptionNames));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  const std::string whole = Records(input, size + 1);
  if (Records(input, 1) != whole || Records(input, 7) != whole) std::abort();
  if (size <= 64) CheckValue(input);
  return 0;
}
