#include "app/options/option_table.h"

namespace app {
namespace {

constexpr std::array<std::string_view, 7> kCommandNames = {"frequency", "volume",   "thickness", "diameter",
                                                           "surface",   "absorber", "batch"};

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
  if (command == Command::kBatch || command == Command::kAbsorber) return std::nullopt;
  return static_cast<calculator::Quantity>(command);
}

}  // namespace app
