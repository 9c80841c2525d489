#include "app/absorber_command/absorber_designs.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <string_view>
#include <utility>

#include "app/command_line.h"
#include "app/response_command/response_axis.h"
#include "app/sweep/range.h"
#include "acoustics/panel/resonance.h"
#include "app/units.h"
#include "numtext/plain_number.h"

namespace app {
namespace {

using acoustics::FacingKind;
using acoustics::PanelFault;

// The design options, in the order a sweep's axes may take them.
constexpr std::array<OptionId, 8> kDesignOptions = {OptionId::kHoles,    OptionId::kSlots,          OptionId::kPitch,
                                                    OptionId::kOpenArea, OptionId::kThickness,      OptionId::kDepth,
                                                    OptionId::kFill,     OptionId::kFlowResistivity};

// The default frequency axis: 50 * 2^(i/24) Hz, i = 0 ... 160, so that the
// 5 kHz band's centre (5011.87 Hz) lies inside.
constexpr double kFirstHz = 50;
constexpr double kLastHz = 5080;

std::string Name(OptionId id) { return std::string(EntryOf(id).name); }

bool IsLength(OptionId id) { return id != OptionId::kOpenArea && id != OptionId::kFlowResistivity; }

// The unit behind a number, without the blank that may stand between.
std::string_view Trimmed(std::string_view unit) {
  while (!unit.empty() && unit.front() == ' ') unit.remove_prefix(1);
  return unit;
}

// A bare number in the screens' syntax, for values whose unit is read here.
Result<long double> BareNumber(std::string_view number) { return ParseWorkingValue(number, Dimension::kFrequency); }

// 5% -> 0.05; a bare number is the fraction itself.
Result<long double> OpenAreaValue(std::string_view number, std::string_view unit) {
  unit = Trimmed(unit);
  if (unit != "" && unit != "%") {
    return Refused("'" + Printable(std::string(number) + std::string(unit)) + "' is not an open area (5% or 0.05)");
  }
  const Result<long double> value = BareNumber(number);
  if (!value.ok() || unit.empty()) return value;
  return value.value() / 100;
}

// Pa*s/m2 (a bare number too) or kPa*s/m2, as data sheets give it.
Result<long double> ResistivityValue(std::string_view number, std::string_view unit) {
  unit = Trimmed(unit);
  const long double factor = unit == "kPa*s/m2" ? 1000 : 1;
  if (unit != "" && unit != "Pa*s/m2" && unit != "kPa*s/m2") {
    return Refused("'" + Printable(std::string(number) + std::string(unit)) +
                   "' is not a flow resistivity (Pa*s/m2 or kPa*s/m2)");
  }
  const Result<long double> value = BareNumber(number);
  if (!value.ok()) return value;
  return value.value() * factor;
}

sweep::ValueParser ParserFor(OptionId id) {
  if (id == OptionId::kOpenArea) return OpenAreaValue;
  if (id == OptionId::kFlowResistivity) return ResistivityValue;
  return [](std::string_view number, std::string_view unit) {
    return ParseWorkingValue(std::string(number) + std::string(unit), Dimension::kLength);
  };
}

bool Given(const AbsorberRequest& request, OptionId id) { return !request.texts[static_cast<std::size_t>(id)].empty(); }

// The one text of an option given at most once.
Result<std::optional<std::string_view>> One(const AbsorberRequest& request, OptionId id) {
  const std::vector<std::string>& texts = request.texts[static_cast<std::size_t>(id)];
  if (texts.size() > 1) return Refused(Name(id) + " is given more than once");
  if (texts.empty()) return std::optional<std::string_view>();
  return std::optional<std::string_view>(texts.front());
}

// One of `words` as the option's value, by its index; `fallback` when not given.
Result<std::size_t> Word(const AbsorberRequest& request, OptionId id, std::size_t fallback) {
  const Result<std::optional<std::string_view>> text = One(request, id);
  if (!text.ok()) return text.refusal();
  if (!text.value()) return fallback;
  const std::string_view words = EntryOf(id).words;
  std::size_t index = 0;
  for (std::size_t start = 0; start < words.size(); ++index) {
    const std::size_t end = std::min(words.find(' ', start), words.size());
    if (words.substr(start, end - start) == *text.value()) return index;
    start = end + 1;
  }
  return Refused(Name(id) + ": '" + Printable(*text.value()) + "' is not one of " + std::string(words));
}

// A frequency in Hz or kHz.
Result<double> Frequency(std::string_view text, OptionId id) {
  const Result<long double> value = ParseWorkingValue(text, Dimension::kFrequency);
  if (!value.ok()) return Refused(Name(id) + ": " + value.refusal().message);
  if (!(value.value() > 0)) return Refused(Name(id) + ": " + Printable(text) + " is not above 0 Hz");
  return static_cast<double>(value.value());
}

Result<IncidenceChoice> ReadIncidence(const AbsorberRequest& request) {
  const Result<std::optional<std::string_view>> text = One(request, OptionId::kIncidence);
  if (!text.ok()) return text.refusal();
  if (!text.value() || *text.value() == "diffuse") return IncidenceChoice{};
  if (*text.value() == "normal") return IncidenceChoice{acoustics::Incidence::kNormal, std::nullopt};
  const auto [number, unit] = sweep::SplitNumberAndUnit(*text.value());
  const Result<long double> degrees = BareNumber(number);
  if (!degrees.ok() || !(Trimmed(unit).empty() || Trimmed(unit) == "deg") || degrees.value() < 0 ||
      degrees.value() >= 90) {
    return Refused("--incidence: '" + Printable(*text.value()) +
                   "' is not normal, diffuse or an angle from 0 to below 90 degrees");
  }
  return IncidenceChoice{acoustics::Incidence::kNormal, static_cast<double>(degrees.value()) * std::numbers::pi / 180};
}

// --band FROM:TO with --per-octave N, or START:STOP:STEP, read as the
// response reads them; without a band 50 Hz to 5.08 kHz, so that the 5 kHz
// third octave lies inside.
Result<acoustics::FrequencyAxis> ReadFrequencies(const AbsorberRequest& request) {
  const auto band = One(request, OptionId::kBand);
  const auto perOctave = One(request, OptionId::kPerOctave);
  for (const auto* single : {&band, &perOctave}) {
    if (!single->ok()) return single->refusal();
  }
  const Result<AxisChoice> choice = ParseAxisChoice(band.value(), perOctave.value());
  if (!choice.ok()) return choice.refusal();
  return AxisOr(choice.value(), kFirstHz, kLastHz);
}

Result<AbsorberRows> ReadRows(const AbsorberRequest& request) {
  if (request.ratings && Given(request, OptionId::kBands))
    return Refused("--bands and --ratings cannot be given together");
  if (request.ratings) return AbsorberRows::kRatings;
  if (!Given(request, OptionId::kBands)) return AbsorberRows::kCurve;
  const Result<std::size_t> bands = Word(request, OptionId::kBands, 0);
  if (!bands.ok()) return bands.refusal();
  return bands.value() == 0 ? AbsorberRows::kThirdOctaves : AbsorberRows::kOctaves;
}

Result<std::optional<Tuning>> ReadTuning(const AbsorberRequest& request) {
  const bool tune = Given(request, OptionId::kTune);
  const bool solve = Given(request, OptionId::kSolve);
  if (tune != solve) return Refused(std::string(tune ? "--tune needs --solve" : "--solve needs --tune"));
  if (!tune) return std::optional<Tuning>();
  const Result<std::optional<std::string_view>> text = One(request, OptionId::kTune);
  if (!text.ok()) return text.refusal();
  const Result<double> hz = Frequency(*text.value(), OptionId::kTune);
  const Result<std::size_t> solved = Word(request, OptionId::kSolve, 0);
  if (!hz.ok()) return hz.refusal();
  if (!solved.ok()) return solved.refusal();
  constexpr std::array<Solved, 3> kSolved = {Solved::kDepth, Solved::kPitch, Solved::kOpening};
  return std::optional<Tuning>(Tuning{hz.value(), kSolved[solved.value()]});
}

// Which options go together: a refusal for the first combination that
// cannot be computed.
Result<FacingKind> CheckCombination(const AbsorberRequest& request, const std::optional<Tuning>& tuning) {
  const auto given = [&](OptionId id) { return Given(request, id) || (tuning && OptionSolved(tuning->solved) == id); };
  if (tuning && Given(request, OptionSolved(tuning->solved))) {
    return Refused(Name(OptionSolved(tuning->solved)) + " cannot be given with --solve: it is what --tune computes");
  }
  if (tuning && tuning->solved == Solved::kOpening && Given(request, OptionId::kSlots)) {
    return Refused("--solve holes computes round holes, not --slots");
  }
  if (tuning && tuning->solved == Solved::kPitch && Given(request, OptionId::kOpenArea)) {
    return Refused("--open-area cannot be given with --solve pitch");
  }
  if (tuning && tuning->solved == Solved::kOpening && !Given(request, OptionId::kPitch)) {
    return Refused("--solve holes needs --pitch");
  }
  if (given(OptionId::kHoles) && given(OptionId::kSlots))
    return Refused("--holes and --slots cannot be given together");
  if (given(OptionId::kPitch) && given(OptionId::kOpenArea)) {
    return Refused("--pitch and --open-area cannot be given together");
  }
  const FacingKind facing = given(OptionId::kHoles)   ? FacingKind::kPerforated
                            : given(OptionId::kSlots) ? FacingKind::kSlotted
                                                      : FacingKind::kNone;
  for (const OptionId id : {OptionId::kPitch, OptionId::kOpenArea, OptionId::kThickness, OptionId::kGrid}) {
    if (facing == FacingKind::kNone && given(id)) return Refused(Name(id) + " needs --holes or --slots");
  }
  if (facing != FacingKind::kNone) {
    if (!given(OptionId::kThickness)) return Refused("--thickness is missing");
    if (!given(OptionId::kPitch) && !given(OptionId::kOpenArea)) {
      return Refused("--pitch or --open-area is missing");
    }
  }
  if (Given(request, OptionId::kGrid) && (facing != FacingKind::kPerforated || !given(OptionId::kPitch))) {
    return Refused("--grid needs --holes and --pitch");
  }
  if (!given(OptionId::kDepth)) return Refused("--depth is missing");
  if (tuning && facing == FacingKind::kNone) return Refused("--tune needs --holes or --slots");
  if (Given(request, OptionId::kFill) != Given(request, OptionId::kFlowResistivity)) {
    return Refused(std::string(Given(request, OptionId::kFill) ? "--fill needs --flow-resistivity"
                                                               : "--flow-resistivity needs --fill"));
  }
  for (const OptionId id : {OptionId::kFillAt, OptionId::kPorous}) {
    if (Given(request, id) && !Given(request, OptionId::kFill)) return Refused(Name(id) + " needs --fill");
  }
  return facing;
}

Result<std::vector<DesignAxis>> ReadAxes(const AbsorberRequest& request) {
  std::vector<DesignAxis> axes;
  for (const OptionId id : request.order) {
    if (std::find(kDesignOptions.begin(), kDesignOptions.end(), id) == kDesignOptions.end()) continue;
    const std::vector<std::string>& texts = request.texts[static_cast<std::size_t>(id)];
    const std::vector<std::string_view> views(texts.begin(), texts.end());
    // A single value is refused as a value, not as a range of one.
    for (const std::string_view text : views) {
      if (sweep::IsRangeText(text)) continue;
      const auto [number, unit] = sweep::SplitNumberAndUnit(text);
      const Result<long double> value = ParserFor(id)(number, unit);
      if (!value.ok()) return Refused(Name(id) + ": " + value.refusal().message);
    }
    Result<sweep::Sequence> values = sweep::ParseSequence(views, ParserFor(id));
    if (!values.ok()) return Refused(Name(id) + ": " + values.refusal().message);
    axes.push_back({id, std::move(values.value())});
  }
  return axes;
}

// "5 mm", "5 %", "10000 Pa*s/m2"
std::string ValueText(OptionId id, double value) {
  const std::string number = numtext::RoundedPlain(value, kShownDigits);
  if (id == OptionId::kOpenArea) return number + "%";
  if (id == OptionId::kFlowResistivity) return number + " Pa*s/m2";
  return number + " mm";
}

// An option and its value in SI units as a fault names them: "--pitch 4 mm".
std::string Typed(OptionId id, double si) {
  const double shown = id == OptionId::kOpenArea ? si * 100 : id == OptionId::kFlowResistivity ? si : si * 1000;
  return Name(id) + " " + ValueText(id, shown);
}

}  // namespace

OptionId OptionSolved(Solved solved) {
  switch (solved) {
    case Solved::kDepth: return OptionId::kDepth;
    case Solved::kPitch: return OptionId::kPitch;
    case Solved::kOpening: return OptionId::kHoles;
  }
  return OptionId::kDepth;
}

double ShownValue(OptionId id, float value) {
  if (id == OptionId::kOpenArea) return static_cast<double>(value) * 100;
  return IsLength(id) ? static_cast<double>(value) * 10 : value;
}

std::string ColumnOf(OptionId id) {
  std::string stem(EntryOf(id).name.substr(2));
  std::replace(stem.begin(), stem.end(), '-', '_');
  if (id == OptionId::kOpenArea) return stem + "_pct";
  if (id == OptionId::kFlowResistivity) return stem + "_pa_s_m2";
  return stem + "_mm";
}

std::string NamedValue(OptionId id, float value) {
  std::string name(EntryOf(id).name.substr(2));
  std::replace(name.begin(), name.end(), '-', ' ');
  return name + " " + ValueText(id, ShownValue(id, value));
}

Result<AbsorberSetup> ReadAbsorberSetup(const AbsorberRequest& request) {
  AbsorberSetup setup;
  const Result<std::optional<Tuning>> tuning = ReadTuning(request);
  if (!tuning.ok()) return tuning.refusal();
  setup.tuning = tuning.value();
  const Result<FacingKind> facing = CheckCombination(request, setup.tuning);
  if (!facing.ok()) return facing.refusal();
  setup.facing = facing.value();
  const Result<std::size_t> grid = Word(request, OptionId::kGrid, 0);
  const Result<std::size_t> place = Word(request, OptionId::kFillAt, 0);
  const Result<std::size_t> porous = Word(request, OptionId::kPorous, 0);
  const Result<IncidenceChoice> incidence = ReadIncidence(request);
  const Result<acoustics::FrequencyAxis> frequencies = ReadFrequencies(request);
  const Result<AbsorberRows> rows = ReadRows(request);
  const Result<std::optional<std::string_view>> plot = One(request, OptionId::kPlot);
  for (const auto* word : {&grid, &place, &porous}) {
    if (!word->ok()) return word->refusal();
  }
  if (!incidence.ok()) return incidence.refusal();
  if (!frequencies.ok()) return frequencies.refusal();
  if (!rows.ok()) return rows.refusal();
  if (!plot.ok()) return plot.refusal();
  setup.grid = grid.value() == 0 ? acoustics::HoleGrid::kSquare : acoustics::HoleGrid::kTriangular;
  setup.fillPlace = place.value() == 0 ? acoustics::FillPlace::kAgainstFacing : acoustics::FillPlace::kAgainstWall;
  setup.porous = porous.value() == 0 ? acoustics::PorousModel::kMiki : acoustics::PorousModel::kDelanyBazley;
  setup.incidence = incidence.value();
  setup.frequencies = frequencies.value();
  if (setup.frequencies.size() == 0) return Refused("--band: no frequency lies in it");
  setup.rows = rows.value();
  if (plot.value()) {
    const std::string_view file = *plot.value();
    if (file != "-" && !(file.size() > 4 && (file.ends_with(".svg") || file.ends_with(".SVG")))) {
      return Refused("--plot: '" + Printable(file, Backslash::kKept) +
                     "' is not an SVG file (FILE.svg), nor - for the terminal");
    }
    setup.plot = std::string(file);
  }
  Result<std::vector<DesignAxis>> axes = ReadAxes(request);
  if (!axes.ok()) return axes.refusal();
  setup.axes = std::move(axes.value());
  std::vector<sweep::Sequence> sequences;
  for (const DesignAxis& axis : setup.axes) sequences.push_back(axis.values);
  Result<sweep::Sweep> made = sweep::Sweep::Make(std::move(sequences));
  if (!made.ok()) return made.refusal();
  setup.sweep = std::move(made.value());
  // The textbook models' air: the screens' 34000 cm/s belongs to their own formulas.
  calculator::PortModel textbook;
  textbook.ends = calculator::Ends::kFlanged;
  setup.air = AirOf(textbook, request.air);
  setup.airName = AirName(textbook, request.air);
  return setup;
}

DesignInputs InputsAt(const AbsorberSetup& setup, std::span<const float> values) {
  DesignInputs inputs;
  for (std::size_t axis = 0; axis < setup.axes.size(); ++axis) {
    const double value = values[axis];
    const double metres = value / 100;
    switch (setup.axes[axis].id) {
      case OptionId::kHoles:
      case OptionId::kSlots: inputs.opening_m = metres; break;
      case OptionId::kPitch: inputs.pitch_m = metres; break;
      case OptionId::kOpenArea: inputs.open_area = value; break;
      case OptionId::kThickness: inputs.thickness_m = metres; break;
      case OptionId::kDepth: inputs.depth_m = metres; break;
      case OptionId::kFill: inputs.fill_m = metres; break;
      case OptionId::kFlowResistivity: inputs.flow_resistivity_pa_s_m2 = value; break;
      default: break;
    }
  }
  return inputs;
}

std::variant<acoustics::Facing, PanelFault> FacingOf(const AbsorberSetup& setup, const DesignInputs& inputs) {
  const double opening = inputs.opening_m.value_or(0);
  const bool holes = setup.facing == FacingKind::kPerforated;
  if (setup.facing == FacingKind::kNone) return acoustics::NoFacing();
  if (inputs.pitch_m) {
    return holes ? acoustics::PerforatedOnGrid(opening, inputs.thickness_m, *inputs.pitch_m, setup.grid)
                 : acoustics::SlottedOnPitch(opening, inputs.thickness_m, *inputs.pitch_m);
  }
  const double area = inputs.open_area.value_or(0);
  return holes ? acoustics::PerforatedWithOpenArea(opening, inputs.thickness_m, area)
               : acoustics::SlottedWithOpenArea(opening, inputs.thickness_m, area);
}

bool ApplyTuning(const AbsorberSetup& setup, DesignInputs& inputs) {
  if (!setup.tuning) return true;
  const double hz = setup.tuning->resonance_hz;
  if (setup.tuning->solved == Solved::kDepth) {
    const std::variant<acoustics::Facing, PanelFault> facing = FacingOf(setup, inputs);
    if (std::holds_alternative<PanelFault>(facing)) return true;  // said as the design's own fault
    inputs.depth_m = acoustics::DepthForResonance(std::get<acoustics::Facing>(facing), hz, setup.air);
    return true;
  }
  // The open area of the facing is what the pitch or the opening sets: any
  // will do until then.
  const acoustics::Facing sized{.kind = setup.facing,
                                .opening_m = inputs.opening_m.value_or(0),
                                .thickness_m = inputs.thickness_m,
                                .open_area = 0.01};
  const std::optional<double> solved =
      setup.tuning->solved == Solved::kPitch
          ? acoustics::PitchForResonance(sized, setup.grid, inputs.depth_m, hz, setup.air)
          : acoustics::OpeningForResonance(sized, setup.grid, inputs.pitch_m.value_or(0), inputs.depth_m, hz,
                                           setup.air);
  if (!solved) return false;
  (setup.tuning->solved == Solved::kPitch ? inputs.pitch_m : inputs.opening_m) = *solved;
  return true;
}

std::variant<acoustics::Absorber, PanelFault> AbsorberOf(const AbsorberSetup& setup, const DesignInputs& inputs) {
  const std::variant<acoustics::Facing, PanelFault> facing = FacingOf(setup, inputs);
  if (const auto* fault = std::get_if<PanelFault>(&facing)) return *fault;
  acoustics::Absorber absorber{.facing = std::get<acoustics::Facing>(facing), .depth_m = inputs.depth_m, .fill = {}};
  if (inputs.fill_m) {
    absorber.fill = acoustics::Fill{.thickness_m = *inputs.fill_m,
                                    .flow_resistivity_pa_s_m2 = inputs.flow_resistivity_pa_s_m2,
                                    .model = setup.porous,
                                    .place = setup.fillPlace};
  }
  if (const std::optional<PanelFault> fault = acoustics::FaultOf(absorber)) return *fault;
  return absorber;
}

std::string FaultText(PanelFault fault, const AbsorberSetup& setup, const DesignInputs& inputs) {
  const OptionId opening = setup.facing == FacingKind::kSlotted ? OptionId::kSlots : OptionId::kHoles;
  switch (fault) {
    case PanelFault::kNonPositiveSize: {
      const std::array<std::pair<OptionId, std::optional<double>>, 6> sizes = {{
          {opening, inputs.opening_m},
          {OptionId::kThickness, inputs.thickness_m},
          {OptionId::kPitch, inputs.pitch_m},
          {OptionId::kOpenArea, inputs.open_area},
          {OptionId::kFill, inputs.fill_m},
          {OptionId::kFlowResistivity, inputs.flow_resistivity_pa_s_m2},
      }};
      for (const auto& [id, value] : sizes) {
        if (value && !(*value > 0)) return Typed(id, *value) + " is not above zero";
      }
      return "a size is not above zero";
    }
    case PanelFault::kOpeningWiderThanPitch:
      return Typed(opening, inputs.opening_m.value_or(0)) + " is wider than " +
             Typed(OptionId::kPitch, inputs.pitch_m.value_or(0));
    case PanelFault::kOpenAreaTooLarge:
      return inputs.open_area ? Typed(OptionId::kOpenArea, *inputs.open_area) + " is not below 100%"
                              : Typed(opening, inputs.opening_m.value_or(0)) + " at " +
                                    Typed(OptionId::kPitch, inputs.pitch_m.value_or(0)) + " leaves no plate";
    case PanelFault::kOpenAreaAboveInteractionLimit: {
      const double area = inputs.open_area.value_or(
          acoustics::GridOpenArea(inputs.opening_m.value_or(0), inputs.pitch_m.value_or(1), setup.grid));
      return "the holes' open area " + numtext::RoundedPlain(area * 100, 4) +
             "% is above 40%, where their end correction holds no more";
    }
    case PanelFault::kNonPositiveDepth: return Typed(OptionId::kDepth, inputs.depth_m) + " is not above zero";
    case PanelFault::kFillThickerThanDepth:
      return Typed(OptionId::kFill, inputs.fill_m.value_or(0)) + " is thicker than " +
             Typed(OptionId::kDepth, inputs.depth_m);
  }
  return "the design cannot be computed";
}

}  // namespace app
