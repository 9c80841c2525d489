// The absorber's options read into what the command computes: the design
// options as the axes of a sweep (a single value is an axis of one), the
// fixed choices (grid, fill's place and model, incidence), the frequency
// axis and the rows asked for. Each design of the sweep is then made into an
// acoustics::Absorber, in SI units.
//
//   --holes 5mm --pitch 25mm --thickness 3mm --depth 50:200:50mm
//   -> axes holes 0.5, pitch 2.5, thickness 0.3, depth 5 ... 20 (cm); 4 designs
//   DesignAt(those, {0.5, 2.5, 0.3, 5}) -> holes 5 mm on a 25 mm square grid over 50 mm
//   --open-area 50% --holes 5mm ...    -> the fault kOpenAreaAboveInteractionLimit
#pragma once

#include <optional>
#include <span>
#include <string>
#include <variant>
#include <vector>

#include "acoustics/air.h"
#include "acoustics/frequency_axis.h"
#include "acoustics/panel/absorber.h"
#include "acoustics/panel/incidence.h"
#include "app/absorber_command/absorber_command.h"
#include "app/result.h"
#include "app/sweep/sweep.h"

namespace app {

// The rows asked for: the curve, band values, or one row of ratings.
enum class AbsorberRows { kCurve, kThirdOctaves, kOctaves, kRatings };

// What --solve computes for --tune.
enum class Solved { kDepth, kPitch, kOpening };

// Normal incidence, the diffuse field, or one angle from the normal.
struct IncidenceChoice {
  acoustics::Incidence incidence = acoustics::Incidence::kDiffuse;
  std::optional<double> angle_rad;
};

// The option --solve stands in for, which must not be given too:
//   Solved::kOpening -> OptionId::kHoles
OptionId OptionSolved(Solved solved);

struct Tuning {
  double resonance_hz = 0;
  Solved solved = Solved::kDepth;
};

// One design option given: its option and its values (in the screens' unit
// for lengths, cm; a fraction for the open area; Pa s/m^2).
struct DesignAxis {
  OptionId id = OptionId::kDepth;
  sweep::Sequence values;
};

struct AbsorberSetup {
  std::vector<DesignAxis> axes;
  std::optional<sweep::Sweep> sweep;  // set once the axes are read
  acoustics::FacingKind facing = acoustics::FacingKind::kNone;
  acoustics::HoleGrid grid = acoustics::HoleGrid::kSquare;
  acoustics::PorousModel porous = acoustics::PorousModel::kMiki;
  acoustics::FillPlace fillPlace = acoustics::FillPlace::kAgainstFacing;
  IncidenceChoice incidence;
  acoustics::FrequencyAxis frequencies;
  AbsorberRows rows = AbsorberRows::kCurve;
  std::optional<Tuning> tuning;
  std::optional<std::string> plot;
  acoustics::Air air;
  std::string airName;  // "air at 20 C, c = 343.2146 m/s"
};

// The options read, or the first refusal, worded without the command's name:
//   --holes 5mm --open-area 5% --thickness 3mm  -> "--depth is missing"
Result<AbsorberSetup> ReadAbsorberSetup(const AbsorberRequest& request);

// A design's inputs in SI units, each unset when not given.
struct DesignInputs {
  std::optional<double> opening_m;
  std::optional<double> pitch_m;
  std::optional<double> open_area;
  double thickness_m = 0;
  double depth_m = 0;
  std::optional<double> fill_m;
  double flow_resistivity_pa_s_m2 = 0;
};

// The inputs of the design whose axis values are `values` (Odometer::Values),
// from the screens' units: depth axis at 5 (cm) -> depth_m 0.05.
DesignInputs InputsAt(const AbsorberSetup& setup, std::span<const float> values);

// The facing those inputs make (NoFacing without holes or slots), or why
// there is none: holes 0.005 m at pitch 0.004 m -> PanelFault::kOpeningWiderThanPitch.
std::variant<acoustics::Facing, acoustics::PanelFault> FacingOf(const AbsorberSetup& setup, const DesignInputs& inputs);

// Puts the value --solve names into `inputs` for the lumped resonance
// --tune asks (nothing to do without them); false when no such value exists.
//   holes 5 mm, t 3 mm, open area 5%, --tune 695.851 --solve depth -> depth 0.05 m
bool ApplyTuning(const AbsorberSetup& setup, DesignInputs& inputs);

// The absorber those inputs make, or why there is none:
//   no facing, depth 0.05 m, fill 0.06 m -> PanelFault::kFillThickerThanDepth
std::variant<acoustics::Absorber, acoustics::PanelFault> AbsorberOf(const AbsorberSetup& setup,
                                                                    const DesignInputs& inputs);

// A fault in the words of the options:
//   kOpeningWiderThanPitch, holes 0.005 m, pitch 0.004 m -> "--holes 5 mm is wider than --pitch 4 mm"
std::string FaultText(acoustics::PanelFault fault, const AbsorberSetup& setup, const DesignInputs& inputs);

// A design option's value as a column and a text show it: lengths in mm, the
// open area in per cent, the flow resistivity in Pa s/m^2.
// Rows and texts write it to kShownDigits significant digits: a range's
// point, rounded to single in cm, is then the millimetres typed (2.06 cm ->
// 20.6 mm, not the single 20.599998).
//   ShownValue(OptionId::kDepth, 5) -> 50 (mm);  ShownValue(OptionId::kOpenArea, 0.05) -> 5 (%)
inline constexpr int kShownDigits = 7;
double ShownValue(OptionId id, float value);
//   ColumnOf(OptionId::kDepth) -> "depth_mm";  kOpenArea -> "open_area_pct";
//   kFlowResistivity -> "flow_resistivity_pa_s_m2"
std::string ColumnOf(OptionId id);
//   NamedValue(OptionId::kDepth, 5) -> "depth 50 mm";  NamedValue(OptionId::kOpenArea, 0.05) -> "open area 5%"
std::string NamedValue(OptionId id, float value);

}  // namespace app
