#include "app/options/option_table.h"

namespace app {
namespace {

constexpr std::array<std::string_view, kCommands.size()> kCommandNames = {
    "frequency", "volume", "thickness", "diameter", "surface", "response", "absorber", "batch"};

}  // namespace

const OptionEntry* OptionFor(std::string_view name) {
  for (const OptionEntry& option : kOptions) {
    if (option.name == name) return &option;
  }
  return nullptr;
}

std::string_view NameOf(Command command) { return kCommandNames[static_cast<std::size_t>(command)]; }

std::optional<Command> CommandNamed(std::string_view name) {
  for (const Command command : kCommands) {
    if (NameOf(command) == name) return command;
  }
  return std::nullopt;
}

std::optional<calculator::Quantity> SolvedBy(Command command) {
  switch (command) {
    case Command::kBatch:
    case Command::kAbsorber: return std::nullopt;
    // A response's curve stands around the resonance it solves first.
    case Command::kResponse: return calculator::Quantity::kFrequency;
    default: return static_cast<calculator::Quantity>(command);
  }
}

}  // namespace app
