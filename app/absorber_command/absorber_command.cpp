#include "app/absorber_command/absorber_command.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <optional>
#include <ostream>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include "acoustics/panel/bands.h"
#include "app/absorber_command/absorber_designs.h"
#include "app/absorber_command/absorber_rows.h"
#include "app/command_line.h"
#include "app/output/file_replacement.h"
#include "app/sweep_command/sweep_chart.h"
#include "app/plot/chart.h"
#include "app/plot/svg.h"
#include "app/plot/terminal_chart.h"
#include "numtext/plain_number.h"

namespace app {
namespace {

constexpr std::size_t kMaxCurves = plot::Chart::kMaxCurves;

// A third-octave band reaches a sixth of an octave either side of its centre.
const double kHalfBand = std::exp2(1.0 / 6);

int Refuse(std::ostream& err, const std::string& reason) {
  err << DiagnosticLine("absorber: " + reason);
  return kExitBadArgument;
}

// The design options with more than one value, whose values lead each row.
std::vector<std::size_t> SweptAxes(const AbsorberSetup& setup) {
  std::vector<std::size_t> swept;
  for (std::size_t axis = 0; axis < setup.axes.size(); ++axis) {
    if (setup.axes[axis].values.Size() > 1) swept.push_back(axis);
  }
  return swept;
}

std::optional<OptionId> SolvedOption(const AbsorberSetup& setup) {
  if (!setup.tuning) return std::nullopt;
  return OptionSolved(setup.tuning->solved);
}

// The value --solve computed, m.
double SolvedMetres(OptionId id, const DesignInputs& inputs) {
  return id == OptionId::kDepth   ? inputs.depth_m
         : id == OptionId::kPitch ? inputs.pitch_m.value_or(0)
                                  : inputs.opening_m.value_or(0);
}

// "depth 50 mm, fill 25 mm": the given values of `axes` of the design.
std::string DesignName(const AbsorberSetup& setup, std::span<const float> values,
                       const std::vector<std::size_t>& axes) {
  std::string name;
  for (const std::size_t axis : axes) {
    name += (name.empty() ? "" : ", ") + NamedValue(setup.axes[axis].id, values[axis]);
  }
  return name;
}

std::vector<std::size_t> EveryAxis(const AbsorberSetup& setup) {
  std::vector<std::size_t> axes(setup.axes.size());
  for (std::size_t axis = 0; axis < axes.size(); ++axis) axes[axis] = axis;
  return axes;
}

std::string FitRangeWarning(const AbsorberSetup& setup, const std::string& design) {
  const bool miki = setup.porous == acoustics::PorousModel::kMiki;
  return "absorber: warning: the fill's " + std::string(miki ? "Miki" : "Delany-Bazley") +
         " model is used outside the range it was fitted to (0.01 <= " + (miki ? "f/R" : "rho f/R") + " <= 1)" +
         (design.empty() ? "" : " for " + design);
}

// The lowest and highest frequency a design is computed at: its rows', and
// the third-octave centres of the figures.
std::pair<double, double> FrequencySpan(const AbsorberSetup& setup, bool figures) {
  double low = setup.frequencies[0];
  double high = setup.frequencies[setup.frequencies.size() - 1];
  if (figures) {
    low = std::min(low, acoustics::ThirdOctaveCentreHz(0));
    high = std::max(high, acoustics::ThirdOctaveCentreHz(acoustics::kThirdOctaveCount - 1));
  }
  return {low, high};
}

// The description of one design in the text answer.
std::string DesignLines(const AbsorberSetup& setup, std::span<const float> values, const DesignInputs& inputs,
                        const acoustics::Absorber& absorber) {
  std::string line = "Absorber: " + DesignName(setup, values, EveryAxis(setup));
  if (const std::optional<OptionId> solved = SolvedOption(setup)) {
    line += std::string(setup.axes.empty() ? "" : ", ") + std::string(EntryOf(*solved).name.substr(2)) + " " +
            numtext::RoundedPlain(SolvedMetres(*solved, inputs) * 1000, kShownDigits) + " mm" +
            " (for f0 = " + numtext::RoundedPlain(setup.tuning->resonance_hz, 7) + " Hz)";
  }
  const bool areaNamed = std::any_of(setup.axes.begin(), setup.axes.end(),
                                     [](const DesignAxis& axis) { return axis.id == OptionId::kOpenArea; });
  if (absorber.facing.kind != acoustics::FacingKind::kNone && !areaNamed) {
    line += "; open area " + numtext::RoundedPlain(absorber.facing.open_area * 100, 4) + "%";
  }
  if (absorber.fill) {
    line += std::string("; fill: ") + (setup.porous == acoustics::PorousModel::kMiki ? "Miki" : "Delany-Bazley") +
            (setup.fillPlace == acoustics::FillPlace::kAgainstFacing ? ", against the facing" : ", against the wall");
  }
  std::string incidence =
      setup.incidence.angle_rad
          ? numtext::RoundedPlain(*setup.incidence.angle_rad * 180 / std::numbers::pi, 7) + " degrees from the normal"
      : setup.incidence.incidence == acoustics::Incidence::kNormal ? "normal incidence"
                                                                   : "diffuse field";
  return line + "\n" + "Incidence: " + incidence + "; " + setup.airName + "\n";
}

class AbsorberRun {
 public:
  AbsorberRun(const AbsorberRequest& request, const AbsorberSetup& setup, Output& out, std::ostream& err)
      : request_(request),
        setup_(setup),
        out_(out),
        err_(err),
        swept_(SweptAxes(setup)),
        solved_(SolvedOption(setup)),
        cells_(request.format, request.csv, Columns()) {}

  // Every design looked at before the first row: a refusal, or 0.
  int Check() {
    for (sweep::Odometer design(*setup_.sweep); design.Valid(); design.Next()) {
      DesignInputs inputs = InputsAt(setup_, design.Values());
      // A sweep's refusal names its design.
      const auto where = [&] {
        const std::string name = DesignName(setup_, design.Values(), swept_);
        return name.empty() ? name : " (" + name + ")";
      };
      if (!ApplyTuning(setup_, inputs)) {
        return Refuse(err_, "--tune " + numtext::RoundedPlain(setup_.tuning->resonance_hz, 7) + " Hz: no " +
                                std::string(EntryOf(*solved_).name.substr(2)) + " gives it" + where());
      }
      const auto absorber = AbsorberOf(setup_, inputs);
      if (const auto* fault = std::get_if<acoustics::PanelFault>(&absorber)) {
        return Refuse(err_, FaultText(*fault, setup_, inputs) + where());
      }
    }
    if (setup_.plot && setup_.sweep->Count() * (Steps() ? 2 : 1) > kMaxCurves) {
      return Refuse(err_, "--plot: at most " + std::to_string(kMaxCurves) + " curves, one per design" +
                              (Steps() ? " and one of its third octaves" : "") + "; there are " +
                              std::to_string(setup_.sweep->Count() * (Steps() ? 2 : 1)));
    }
    return 0;
  }

  int Run() {
    const bool terminalChart = setup_.plot && *setup_.plot == "-";
    std::optional<FileReplacement> file;
    if (setup_.plot && !terminalChart) {
      file = FileReplacement::Open(*setup_.plot);
      if (!file) return CannotWrite();
    }
    if (setup_.plot) chart_.emplace(MakeChart());
    rows_ = !terminalChart;
    if (rows_) out_.Append(cells_.Header());
    std::size_t index = 0;
    for (sweep::Odometer design(*setup_.sweep); design.Valid() && !out_.failed(); design.Next(), ++index) {
      DesignInputs inputs = InputsAt(setup_, design.Values());
      ApplyTuning(setup_, inputs);
      const acoustics::Absorber absorber = std::get<acoustics::Absorber>(AbsorberOf(setup_, inputs));
      Design(design.Values(), inputs, absorber, index);
    }
    if (chart_ && !out_.failed()) {
      if (terminalChart) {
        out_.Append(plot::TerminalChartText(*chart_, plot::DetectTerminalStyle(1, request_.colours)));
      } else if (!file->Commit(plot::SvgText(*chart_))) {
        out_.Flush();
        CannotWrite();
        return kExitWriteFailed;
      }
    }
    return FinishOutput(out_, 0, err_);
  }

 private:
  bool Steps() const { return setup_.rows == AbsorberRows::kThirdOctaves || setup_.rows == AbsorberRows::kOctaves; }
  bool Figures() const { return request_.format == Format::kText || setup_.rows != AbsorberRows::kCurve; }

  int CannotWrite() {
    err_ << CannotWriteChart(*setup_.plot);
    return kExitWriteFailed;
  }

  std::vector<std::string> Columns() const {
    std::vector<std::string> names;
    for (const std::size_t axis : swept_) names.push_back(ColumnOf(setup_.axes[axis].id));
    if (solved_) names.push_back(ColumnOf(*solved_));
    for (std::string& name : RowColumns(setup_.rows)) names.push_back(std::move(name));
    return names;
  }

  plot::Chart MakeChart() const {
    std::pair<double, double> bounds(setup_.frequencies[0], setup_.frequencies[setup_.frequencies.size() - 1]);
    if (Steps()) {
      bounds.first = std::min(bounds.first, acoustics::ThirdOctaveCentreHz(0) / kHalfBand);
      bounds.second =
          std::max(bounds.second, acoustics::ThirdOctaveCentreHz(acoustics::kThirdOctaveCount - 1) * kHalfBand);
    }
    std::vector<std::string> legends;
    for (sweep::Odometer design(*setup_.sweep); design.Valid(); design.Next()) {
      const std::string name = DesignName(setup_, design.Values(), swept_);
      legends.push_back(name.empty() && Steps() ? "alpha" : name);
      if (Steps()) legends.push_back(name.empty() ? "third octaves" : name + ", third octaves");
    }
    if (legends.size() == 1) legends = {""};
    plot::Chart chart({"Frequency", "Hz"}, {"Absorption coefficient", ""}, bounds, std::move(legends),
                      bounds.first > 0 ? plot::AxisScale::kLog : plot::AxisScale::kLinear);
    std::vector<std::size_t> fixed;
    for (std::size_t axis = 0; axis < setup_.axes.size(); ++axis) {
      if (setup_.axes[axis].values.Size() == 1) fixed.push_back(axis);
    }
    std::vector<float> firsts;
    for (const DesignAxis& axis : setup_.axes) firsts.push_back(axis.values.At(0));
    const std::string name = DesignName(setup_, firsts, fixed);
    chart.SetTitle((name.empty() ? "" : name + "; ") + setup_.airName);
    return chart;
  }

  void Warn(const acoustics::Absorber& absorber, std::span<const float> values) {
    const auto [low, high] = FrequencySpan(setup_, Figures());
    if (acoustics::FillOutsideFitRange(absorber, low, setup_.air) ||
        acoustics::FillOutsideFitRange(absorber, high, setup_.air)) {
      err_ << DiagnosticLine(FitRangeWarning(setup_, DesignName(setup_, values, swept_)));
    }
  }

  // The cells every row of the design starts with.
  std::string Prefix(std::span<const float> values, const DesignInputs& inputs) {
    std::string prefix;
    cells_.Begin();
    for (const std::size_t axis : swept_) {
      cells_.Rounded(prefix, ShownValue(setup_.axes[axis].id, values[axis]), kShownDigits);
    }
    if (solved_) cells_.Rounded(prefix, SolvedMetres(*solved_, inputs) * 1000, kShownDigits);
    return prefix;
  }

  void Design(std::span<const float> values, const DesignInputs& inputs, const acoustics::Absorber& absorber,
              std::size_t index) {
    Warn(absorber, values);
    std::optional<AbsorberFigures> figures;
    if (Figures()) figures = FiguresOf(absorber, setup_);
    if (chart_) Draw(absorber, figures, index);
    if (!rows_) return;
    if (request_.format == Format::kText) {
      if (index > 0) out_.Append("\n");
      out_.Append(DesignLines(setup_, values, inputs, absorber) + FigureLines(*figures));
      out_.EndRow();
      return;
    }
    const std::string prefix = Prefix(values, inputs);
    const std::size_t lead = swept_.size() + (solved_ ? 1 : 0);
    std::string& out = out_.buffer();
    switch (setup_.rows) {
      case AbsorberRows::kCurve:
        for (const double hz : setup_.frequencies) {
          // A closed pipe ends a long curve at once, not at its last point.
          if (out_.failed()) break;
          const std::complex<double> z = acoustics::SurfaceImpedance(absorber, hz, setup_.air);
          cells_.Resume(out, prefix, lead);
          cells_.Number(out, hz);
          cells_.Number(out, AlphaOf(z, setup_.incidence));
          cells_.Number(out, z.real());
          cells_.Number(out, z.imag());
          cells_.End(out);
          out_.EndRow();
        }
        break;
      case AbsorberRows::kThirdOctaves:
        for (int band = 0; band < acoustics::kThirdOctaveCount; ++band) {
          cells_.Resume(out, prefix, lead);
          cells_.Number(out, acoustics::NominalCentreHz(band));
          cells_.Number(out, acoustics::ThirdOctaveCentreHz(band));
          cells_.Hundredths(out, figures->thirds[static_cast<std::size_t>(band)]);
          cells_.End(out);
        }
        break;
      case AbsorberRows::kOctaves:
        for (std::size_t octave = 0; octave < acoustics::kOctaveCount; ++octave) {
          cells_.Resume(out, prefix, lead);
          cells_.Number(out, 125 << octave);
          cells_.Hundredths(out, figures->octaves[octave]);
          cells_.End(out);
        }
        break;
      case AbsorberRows::kRatings:
        cells_.Resume(out, prefix, lead);
        if (figures->resonance_hz) {
          cells_.Number(out, *figures->resonance_hz);
        } else {
          cells_.Empty(out);
        }
        cells_.Number(out, figures->peak_hz);
        cells_.Number(out, figures->peak_alpha);
        cells_.Hundredths(out, figures->nrc);
        cells_.Hundredths(out, figures->saa);
        cells_.Hundredths(out, figures->weighted.alpha_w_hundredths);
        cells_.Text(out, ShapeText(figures->weighted));
        cells_.Text(out, ClassText(figures->weighted.absorption_class));
        cells_.End(out);
        break;
    }
    out_.EndRow();
  }

  void Draw(const acoustics::Absorber& absorber, const std::optional<AbsorberFigures>& figures, std::size_t index) {
    const std::size_t curve = Steps() ? 2 * index : index;
    for (const double hz : setup_.frequencies) {
      chart_->Add(curve, hz, AlphaOf(acoustics::SurfaceImpedance(absorber, hz, setup_.air), setup_.incidence));
    }
    if (!Steps()) return;
    for (int band = 0; band < acoustics::kThirdOctaveCount; ++band) {
      const double centre = acoustics::ThirdOctaveCentreHz(band);
      const double alpha = figures->thirds[static_cast<std::size_t>(band)] / 100.0;
      chart_->Add(curve + 1, centre / kHalfBand, alpha);
      chart_->Add(curve + 1, centre * kHalfBand, alpha);
    }
  }

  const AbsorberRequest& request_;
  const AbsorberSetup& setup_;
  Output& out_;
  std::ostream& err_;
  std::vector<std::size_t> swept_;
  std::optional<OptionId> solved_;
  AbsorberCells cells_;
  std::optional<plot::Chart> chart_;
  bool rows_ = true;
};

}  // namespace

int RunAbsorber(const AbsorberRequest& request, Output& out, std::ostream& err) {
  const Result<AbsorberSetup> setup = ReadAbsorberSetup(request);
  if (!setup.ok()) return Refuse(err, setup.refusal().message);
  AbsorberRun run(request, setup.value(), out, err);
  if (const int refused = run.Check()) return refused;
  return run.Run();
}

}  // namespace app
