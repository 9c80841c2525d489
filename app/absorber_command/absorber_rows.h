// What the absorber command writes of one design: its figures (the lumped
// f0, the peak, the half-absorption band, band values and ratings) and the
// rows of CSV and JSON Lines, each row led by the design's swept values, and
// the text answer's lines of fixed form.
//
//   FiguresOf(holes 5 mm, pitch 25 mm, t 3 mm, D 100 mm, 50 mm of 10^4 Pa s/m^2, diffuse)
//     -> thirds 6 9 14 20 30 43 60 77 86 81 68 54 44 38 37 31 12 8 9 4 3, NRC 40 ...
//   text: "NRC = 0.40", "SAA = 0.37", "αw = 0.60(M)", "Class = C", "Class = not classified"
#pragma once

#include <complex>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "acoustics/panel/absorber.h"
#include "acoustics/panel/ratings.h"
#include "app/absorber_command/absorber_designs.h"
#include "app/output/design_writer.h"

namespace app {

// alpha of a surface of normalised impedance `z` under `incidence`:
//   AlphaOf({1, 0.5}, normal) -> 0.941176 (16/17);  AlphaOf({1, 0}, diffuse) -> 0.909645
double AlphaOf(std::complex<double> z, const IncidenceChoice& incidence);

struct AbsorberFigures {
  std::optional<double> resonance_hz;  // the lumped f0; none without a facing
  double peak_hz = 0;
  double peak_alpha = 0;
  // Where alpha falls to half the peak, below and above it; none where it
  // does not within the frequencies.
  std::optional<double> halfLow_hz;
  std::optional<double> halfHigh_hz;
  acoustics::BandHundredths thirds{};
  acoustics::OctaveHundredths octaves{};
  acoustics::WeightedRating weighted;
  int nrc = 0;
  int saa = 0;
};

// The figures of `absorber` over the setup's frequencies (the peak is the
// highest alpha among them, refined between its two neighbours; the
// half-absorption band interpolated between them in log f).
AbsorberFigures FiguresOf(const acoustics::Absorber& absorber, const AbsorberSetup& setup);

// The shape indicators: {mid} -> "M", {low, mid} -> "LM", none -> "".
std::string ShapeText(const acoustics::WeightedRating& rating);
// AbsorptionClass::kC -> "C", kNotClassified -> "not classified".
std::string_view ClassText(acoustics::AbsorptionClass absorptionClass);

// The text answer's lines of one design, each ending in '\n': f0, the peak,
// the half-absorption band, the band values and the ratings,
//   "f0 = 383.1 Hz (lumped, the cavity without its fill)\n" ... "NRC = 0.50\n" ... "Class = E\n"
std::string FigureLines(const AbsorberFigures& figures);

// The cells of CSV and JSON Lines rows, one after the other; a row may
// start from cells written once for its design (Resume).
//   names {depth_mm, alpha}: Number(50) Number(0.5) End() -> "50,0.5\n" (CSV),
//                            "{\"depth_mm\":50,\"alpha\":0.5}\n" (JSON);  Hundredths(40) -> "0.40"
class AbsorberCells {
 public:
  AbsorberCells(Format format, CsvStyle csv, std::vector<std::string> names);
  // The header line of CSV; empty for JSON.
  std::string Header() const;
  // A row from its first cell.
  void Begin() { column_ = 0; }
  // A row that starts with `prefix`, which held the first `columns` cells.
  void Resume(std::string& out, std::string_view prefix, std::size_t columns) {
    out += prefix;
    column_ = columns;
  }
  void Number(std::string& out, double value);
  // 20.5999994 to 7 digits -> 20.6
  void Rounded(std::string& out, double value, int digits);
  // 40 -> 0.40
  void Hundredths(std::string& out, int hundredths);
  void Text(std::string& out, std::string_view text);
  void Empty(std::string& out);
  void End(std::string& out);

 private:
  void Open(std::string& out);
  Format format_;
  CsvStyle csv_;
  std::vector<std::string> names_;
  std::size_t column_ = 0;
};

// The columns of the rows asked for, behind the design's own:
//   AbsorberRows::kOctaves -> {"band_hz", "alpha"}
std::vector<std::string> RowColumns(AbsorberRows rows);

}  // namespace app
