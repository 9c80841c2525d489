// From the texts given for the design quantities to the menu choice that
// computes the missing one and its three typed values, with the screens'
// storage (single precision) and units. The subcommands and the batch rows
// both come through here; they differ only in how they name a quantity in
// a refusal (an option or a CSV column).
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "app/quantities.h"
#include "app/result.h"
#include "calculator/design.h"

namespace app {

// Indexed by calculator::Quantity.
using QuantityNames = std::array<std::string_view, 5>;
inline constexpr QuantityNames kOptionNames = NamesOf(&QuantityEntry::option);
inline constexpr QuantityNames kColumnNames = NamesOf(&QuantityEntry::column);

// The text given for each quantity, or nullopt (indexed by calculator::Quantity).
using QuantityTexts = std::array<std::optional<std::string_view>, 5>;

inline std::size_t IndexOf(calculator::Quantity quantity) { return static_cast<std::size_t>(quantity); }

// The menu choice that solves for `solved`, with a round orifice unless
// `anyOrifice`: kVolume, round -> kVolumeRound; kSurface -> kSurfaceAny.
calculator::Choice ChoiceFor(calculator::Quantity solved, bool anyOrifice);

// The three quantities `choice` asks for, parsed from `texts` (each must be
// there) into a Quantities as the screen's prompts fill it, or the first
// refusal as "NAME: reason". A quantity `given` otherwise (the surface of a
// slot) is not read and stays 0.
Result<calculator::Quantities> ParseTyped(calculator::Choice choice, const QuantityTexts& texts,
                                          const QuantityNames& names,
                                          std::optional<calculator::Quantity> given = std::nullopt);

}  // namespace app
