#include "app/absorber_command/absorber_rows.h"

#include <algorithm>
#include <cmath>
#include <tuple>
#include <utility>

#include "acoustics/panel/bands.h"
#include "acoustics/panel/resonance.h"
#include "numtext/plain_number.h"

namespace app {
namespace {

// "0.40"; hundredths are never negative.
std::string HundredthsText(int hundredths, char point = '.') {
  const std::string cents = std::to_string(hundredths % 100);
  return std::to_string(hundredths / 100) + point + (cents.size() < 2 ? "0" : "") + cents;
}

// A frequency as the text answer writes it: 4 significant digits.
std::string Hz(double value) { return numtext::RoundedPlain(value, 4) + " Hz"; }

// Where the curve crosses `level` between points a and b, interpolated in log f.
double Crossing(double fa, double alphaA, double fb, double alphaB, double level) {
  const double share = (level - alphaA) / (alphaB - alphaA);
  return std::exp(std::log(fa) + share * (std::log(fb) - std::log(fa)));
}

// Band names and values as two lines: "Hz" over "alpha", 11 bands a line.
template <std::size_t kCount>
std::string BandLines(const std::array<int, kCount>& values, int (*nominal)(int)) {
  std::string text;
  for (std::size_t first = 0; first < kCount; first += 11) {
    std::string names = "  Hz   ";
    std::string alphas = "  alpha";
    for (std::size_t band = first; band < std::min(kCount, first + 11); ++band) {
      const std::string name = std::to_string(nominal(static_cast<int>(band)));
      names += std::string(5 - name.size(), ' ') + name;
      alphas += " " + HundredthsText(values[band]);
    }
    text += names + "\n" + alphas + "\n";
  }
  return text;
}

int OctaveNominal(int octave) { return 125 << octave; }

double AlphaAt(const acoustics::Absorber& absorber, const AbsorberSetup& setup, double hz) {
  return AlphaOf(acoustics::SurfaceImpedance(absorber, hz, setup.air), setup.incidence);
}

// The highest alpha between `low_hz` and `high_hz`, by golden-section search
// in log f: a narrow peak seldom stands on one of the frequencies asked.
// {frequency, alpha}.
std::pair<double, double> RefinedPeak(const acoustics::Absorber& absorber, const AbsorberSetup& setup, double low_hz,
                                      double high_hz) {
  const double shrink = (std::sqrt(5.0) - 1) / 2;
  double low = std::log(low_hz);
  double high = std::log(high_hz);
  double left = high - shrink * (high - low);
  double right = low + shrink * (high - low);
  double alphaLeft = AlphaAt(absorber, setup, std::exp(left));
  double alphaRight = AlphaAt(absorber, setup, std::exp(right));
  // 0.618^48 of an octave or two: below a part in 10^9 of the frequency.
  for (int step = 0; step < 48; ++step) {
    if (alphaLeft < alphaRight) {
      low = left;
      left = right;
      alphaLeft = alphaRight;
      right = low + shrink * (high - low);
      alphaRight = AlphaAt(absorber, setup, std::exp(right));
    } else {
      high = right;
      right = left;
      alphaRight = alphaLeft;
      left = high - shrink * (high - low);
      alphaLeft = AlphaAt(absorber, setup, std::exp(left));
    }
  }
  return alphaLeft < alphaRight ? std::pair(std::exp(right), alphaRight) : std::pair(std::exp(left), alphaLeft);
}

}  // namespace

double AlphaOf(std::complex<double> z, const IncidenceChoice& incidence) {
  return incidence.angle_rad ? acoustics::AbsorptionAt(z, *incidence.angle_rad)
                             : acoustics::Absorption(z, incidence.incidence);
}

AbsorberFigures FiguresOf(const acoustics::Absorber& absorber, const AbsorberSetup& setup) {
  AbsorberFigures figures;
  if (absorber.facing.kind != acoustics::FacingKind::kNone) {
    figures.resonance_hz = acoustics::LumpedResonanceHz(absorber.facing, absorber.depth_m, setup.air);
  }
  std::vector<double> alphas;
  alphas.reserve(setup.frequencies.size());
  std::size_t peak = 0;
  for (const double hz : setup.frequencies) {
    alphas.push_back(AlphaAt(absorber, setup, hz));
    if (alphas.back() > alphas[peak]) peak = alphas.size() - 1;
  }
  figures.peak_hz = setup.frequencies[peak];
  figures.peak_alpha = alphas[peak];
  if (peak > 0 && peak + 1 < alphas.size()) {
    const auto [hz, alpha] = RefinedPeak(absorber, setup, setup.frequencies[peak - 1], setup.frequencies[peak + 1]);
    if (alpha > figures.peak_alpha) std::tie(figures.peak_hz, figures.peak_alpha) = std::tie(hz, alpha);
  }
  const double half = figures.peak_alpha / 2;
  for (std::size_t i = peak; i > 0; --i) {
    if (alphas[i - 1] < half) {
      figures.halfLow_hz = Crossing(setup.frequencies[i - 1], alphas[i - 1], setup.frequencies[i], alphas[i], half);
      break;
    }
  }
  for (std::size_t i = peak; i + 1 < alphas.size(); ++i) {
    if (alphas[i + 1] < half) {
      figures.halfHigh_hz = Crossing(setup.frequencies[i], alphas[i], setup.frequencies[i + 1], alphas[i + 1], half);
      break;
    }
  }
  for (int band = 0; band < acoustics::kThirdOctaveCount; ++band) {
    const double hz = acoustics::ThirdOctaveCentreHz(band);
    figures.thirds[static_cast<std::size_t>(band)] = acoustics::ToHundredths(AlphaAt(absorber, setup, hz));
  }
  figures.octaves = acoustics::PracticalOctaves(figures.thirds);
  figures.weighted = acoustics::WeightedAbsorption(figures.octaves);
  figures.nrc = acoustics::NoiseReductionCoefficient(figures.thirds);
  figures.saa = acoustics::SoundAbsorptionAverage(figures.thirds);
  return figures;
}

std::string ShapeText(const acoustics::WeightedRating& rating) {
  return std::string(rating.low ? "L" : "") + (rating.mid ? "M" : "") + (rating.high ? "H" : "");
}

std::string_view ClassText(acoustics::AbsorptionClass absorptionClass) {
  switch (absorptionClass) {
    case acoustics::AbsorptionClass::kA: return "A";
    case acoustics::AbsorptionClass::kB: return "B";
    case acoustics::AbsorptionClass::kC: return "C";
    case acoustics::AbsorptionClass::kD: return "D";
    case acoustics::AbsorptionClass::kE: return "E";
    case acoustics::AbsorptionClass::kNotClassified: return "not classified";
  }
  return "not classified";
}

std::string FigureLines(const AbsorberFigures& figures) {
  std::string text;
  text += "f0 = " +
          (figures.resonance_hz ? Hz(*figures.resonance_hz) + " (lumped, the cavity without its fill)"
                                : std::string("none (no facing)")) +
          "\n";
  text += "Peak: alpha = " + numtext::RoundedPlain(figures.peak_alpha, 3) + " at " + Hz(figures.peak_hz) + "\n";
  text +=
      "Half absorption: " + (figures.halfLow_hz ? Hz(*figures.halfLow_hz) : std::string("below the lowest frequency")) +
      " to " + (figures.halfHigh_hz ? Hz(*figures.halfHigh_hz) : std::string("above the highest frequency")) + "\n";
  text += "Third octaves:\n" + BandLines(figures.thirds, acoustics::NominalCentreHz);
  text += "Octaves (alpha_p):\n" + BandLines(figures.octaves, OctaveNominal);
  text += "NRC = " + HundredthsText(figures.nrc) + "\n";
  text += "SAA = " + HundredthsText(figures.saa) + "\n";
  const std::string shape = ShapeText(figures.weighted);
  text += "\xCE\xB1w = " + HundredthsText(figures.weighted.alpha_w_hundredths) +
          (shape.empty() ? "" : "(" + shape + ")") + "\n";
  text += "Class = " + std::string(ClassText(figures.weighted.absorption_class)) + "\n";
  return text;
}

AbsorberCells::AbsorberCells(Format format, CsvStyle csv, std::vector<std::string> names)
    : format_(format), csv_(csv), names_(std::move(names)) {}

std::string AbsorberCells::Header() const {
  if (format_ != Format::kCsv) return {};
  std::string header;
  for (const std::string& name : names_) header += (header.empty() ? "" : std::string(1, csv_.separator)) + name;
  return header + "\n";
}

void AbsorberCells::Open(std::string& out) {
  if (format_ == Format::kJson) {
    out += column_ == 0 ? "{\"" : ",\"";
    out += names_[column_];
    out += "\":";
  } else if (column_ > 0) {
    out += csv_.separator;
  }
  ++column_;
}

void AbsorberCells::Number(std::string& out, double value) {
  Open(out);
  if (format_ == Format::kJson && !std::isfinite(value)) {
    out += "null";
    return;
  }
  const std::size_t start = out.size();
  numtext::AppendShortestPlain(out, static_cast<float>(value));
  if (format_ == Format::kCsv && csv_.decimalComma)
    std::replace(out.begin() + static_cast<long>(start), out.end(), '.', ',');
}

void AbsorberCells::Rounded(std::string& out, double value, int digits) {
  Open(out);
  const std::size_t start = out.size();
  out += numtext::RoundedPlain(value, digits);
  if (format_ == Format::kCsv && csv_.decimalComma) {
    std::replace(out.begin() + static_cast<long>(start), out.end(), '.', ',');
  }
}

void AbsorberCells::Hundredths(std::string& out, int hundredths) {
  Open(out);
  out += HundredthsText(hundredths, format_ == Format::kCsv && csv_.decimalComma ? ',' : '.');
}

void AbsorberCells::Text(std::string& out, std::string_view text) {
  Open(out);
  if (format_ == Format::kJson) {
    out += '"';
    out += text;
    out += '"';
  } else {
    out += text;
  }
}

void AbsorberCells::Empty(std::string& out) {
  Open(out);
  if (format_ == Format::kJson) out += "null";
}

void AbsorberCells::End(std::string& out) { out += format_ == Format::kJson ? "}\n" : "\n"; }

std::vector<std::string> RowColumns(AbsorberRows rows) {
  switch (rows) {
    case AbsorberRows::kCurve: return {"frequency_hz", "alpha", "impedance_re", "impedance_im"};
    case AbsorberRows::kThirdOctaves: return {"band_hz", "frequency_hz", "alpha"};
    case AbsorberRows::kOctaves: return {"band_hz", "alpha"};
    case AbsorberRows::kRatings:
      return {"f0_hz", "peak_hz", "peak_alpha", "nrc", "saa", "alpha_w", "alpha_w_shape", "alpha_w_class"};
  }
  return {};
}

}  // namespace app
