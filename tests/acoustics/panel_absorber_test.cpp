#include "acoustics/panel/absorber.h"

#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <map>
#include <numbers>
#include <string>
#include <variant>

#include "acoustics/panel/incidence.h"

namespace acoustics {
namespace {

Facing Made(const std::variant<Facing, PanelFault>& made) {
  EXPECT_TRUE(std::holds_alternative<Facing>(made));
  return std::get<Facing>(made);
}

// The designs of tests/acoustics/reference/panel_absorber.py, by name.
std::map<std::string, Absorber> ReferenceDesigns() {
  const Facing holes = Made(PerforatedWithOpenArea(0.005, 0.003, 0.05));
  const Facing slots = Made(SlottedWithOpenArea(0.003, 0.012, 0.1));
  return {
      {"perforated over air", {.facing = holes, .depth_m = 0.05, .fill = std::nullopt}},
      {"micro-perforated over air",
       {.facing = Made(PerforatedWithOpenArea(0.0002, 0.0002, 0.01)), .depth_m = 0.06, .fill = std::nullopt}},
      {"slotted over air", {.facing = slots, .depth_m = 0.1, .fill = std::nullopt}},
      {"perforated, Miki fill at the facing",
       {.facing = holes, .depth_m = 0.1, .fill = Fill{.thickness_m = 0.05, .flow_resistivity_pa_s_m2 = 10000}}},
      {"perforated, Miki fill at the wall",
       {.facing = holes,
        .depth_m = 0.1,
        .fill = Fill{.thickness_m = 0.05, .flow_resistivity_pa_s_m2 = 10000, .place = FillPlace::kAgainstWall}}},
      {"slotted, Delany-Bazley fill at the facing",
       {.facing = slots,
        .depth_m = 0.1,
        .fill = Fill{.thickness_m = 0.04, .flow_resistivity_pa_s_m2 = 20000, .model = PorousModel::kDelanyBazley}}},
      {"micro-perforated, Delany-Bazley fill at the wall",
       {.facing = Made(PerforatedWithOpenArea(0.0005, 0.0008, 0.02)),
        .depth_m = 0.08,
        .fill = Fill{.thickness_m = 0.03,
                     .flow_resistivity_pa_s_m2 = 8000,
                     .model = PorousModel::kDelanyBazley,
                     .place = FillPlace::kAgainstWall}}},
      {"no facing, Miki fill filling the cavity",
       {.facing = NoFacing(), .depth_m = 0.05, .fill = Fill{.thickness_m = 0.05, .flow_resistivity_pa_s_m2 = 15000}}},
  };
}

// Differential rows: mpmath at 30 digits (tests/acoustics/reference/panel_absorber.py),
// the diffuse field there by quadrature of Paris' integral.
TEST(PanelAbsorberTest, MatchesTheReferenceImpedanceAndAbsorption) {
  struct Row {
    const char* design;
    double frequency_hz, z_real, z_imag, alpha_normal, alpha_diffuse;
  };
  const Row rows[] = {
      {"perforated over air", 63, 0.0210717524173402771, -17.1724311392692643, 0.000284815975534630711,
       0.000521100243692552749},
      {"perforated over air", 250, 0.0409292298797003322, -3.71433586039381943, 0.0110026108855654096,
       0.015252540749440089},
      {"perforated over air", 1000, 0.081306857655402451, 1.51770255706591918, 0.0936540812661938841,
       0.0936724350223267472},
      {"perforated over air", 4000, 0.162334793485517407, 7.33829005622982454, 0.0117630662565733304,
       0.0191740972695195846},
      {"micro-perforated over air", 63, 0.768575453274094388, -14.3797524598725751, 0.0146461483218492051,
       0.026093524593701225},
      {"micro-perforated over air", 250, 0.840170668087091732, -3.35958463715839957, 0.229037974028697862,
       0.297550176990784407},
      {"micro-perforated over air", 1000, 0.999937217274093458, 0.240491171152043702, 0.985746199006317772,
       0.900901908921472448},
      {"micro-perforated over air", 4000, 1.37300441519094572, 2.58765032904765406, 0.445524471204854509,
       0.535786400754744581},
      {"slotted over air", 63, 0.0216401529580225066, -8.44031638163959918, 0.00119752893481138298,
       0.00200939717926411505},
      {"slotted over air", 250, 0.0404731068826510432, -1.29364951273541925, 0.058739393882772717,
       0.055321738396600602},
      {"slotted over air", 1000, 0.0784449010317272864, 3.16198774717513162, 0.0281134040517569096,
       0.0369311881437726413},
      {"slotted over air", 4000, 0.154468668552567472, 10.8955553036799626, 0.00514698589770264258,
       0.00894359629113838635},
      {"perforated, Miki fill at the facing", 63, 0.785649447009446197, -7.26805933954102064, 0.0561045624290098576,
       0.089625500587147649},
      {"perforated, Miki fill at the facing", 250, 0.763398819737257914, -1.12013519340770522, 0.699679329491837184,
       0.675018312596731583},
      {"perforated, Miki fill at the facing", 1000, 1.5108336418796267, 2.42340701776860914, 0.496283295361832839,
       0.589095597181618672},
      {"perforated, Miki fill at the facing", 4000, 1.09830720504341196, 9.01864633943998453, 0.0512396369107711119,
       0.0847640872595098874},
      {"perforated, Miki fill at the wall", 63, 0.313441200652155113, -7.23705423215071708, 0.0231749151226744186,
       0.0374954693643143297},
      {"perforated, Miki fill at the wall", 250, 0.259853861364494745, -1.17507740340436681, 0.350202799199216328,
       0.323826182672438499},
      {"perforated, Miki fill at the wall", 1000, 0.605351279847715116, 2.51530777965392201, 0.271948029530625639,
       0.323600307507983535},
      {"perforated, Miki fill at the wall", 4000, 0.88148661319961242, 9.00094106707845567, 0.0416990821533701355,
       0.0692686702796065649},
      {"slotted, Delany-Bazley fill at the facing", 63, 1.32491371038445589, -8.15092985325783444,
       0.0737672926050371034, 0.119136738554456597},
      {"slotted, Delany-Bazley fill at the facing", 250, 1.30541834226924846, -1.07834746227828193,
       0.806089083102938044, 0.822754410488637608},
      {"slotted, Delany-Bazley fill at the facing", 1000, 1.90268830798024526, 2.71799872197225213,
       0.481293693644741851, 0.591880365884944589},
      {"slotted, Delany-Bazley fill at the facing", 4000, 1.21136811276487844, 11.343065233906101, 0.036280651201206041,
       0.0622323245665615453},
      {"micro-perforated, Delany-Bazley fill at the wall", 63, 0.17375577263444608, -10.010994993878679,
       0.00684093173948035772, 0.0117419439247695804},
      {"micro-perforated, Delany-Bazley fill at the wall", 250, 0.428640860301751441, -2.06037162379010849,
       0.272752726186433353, 0.304124593062756592},
      {"micro-perforated, Delany-Bazley fill at the wall", 1000, 0.587042316641414298, 1.18534143110550445,
       0.598452162738391506, 0.572595780364586892},
      {"micro-perforated, Delany-Bazley fill at the wall", 4000, 2.50325364403214609, 4.63404874978455365,
       0.296706582564768012, 0.413802502502843998},
      {"no facing, Miki fill filling the cavity", 63, 0.946789947902230369, -12.9125314260325664, 0.0222090251709822031,
       0.0389534413607434447},
      {"no facing, Miki fill filling the cavity", 250, 0.790123702808837125, -3.25389732236031052, 0.229147715584849497,
       0.295101919881206725},
      {"no facing, Miki fill filling the cavity", 1000, 0.872369307973046774, -0.488535684730460476,
       0.931910480238022595, 0.843792558822221958},
      {"no facing, Miki fill filling the cavity", 4000, 1.00489478526444124, -0.25719142543185239, 0.983804349344390519,
       0.900587176064522589},
  };
  const std::map<std::string, Absorber> designs = ReferenceDesigns();
  const Air air = AirAt(20);
  for (const Row& row : rows) {
    const std::complex<double> z = SurfaceImpedance(designs.at(row.design), row.frequency_hz, air);
    const std::string where = std::string(row.design) + " at " + std::to_string(row.frequency_hz) + " Hz";
    EXPECT_NEAR(z.real(), row.z_real, 1e-12 * std::abs(row.z_real) + 1e-14) << where;
    EXPECT_NEAR(z.imag(), row.z_imag, 1e-12 * std::abs(row.z_imag) + 1e-14) << where;
    EXPECT_NEAR(Absorption(z, Incidence::kNormal), row.alpha_normal, 1e-12) << where;
    EXPECT_NEAR(Absorption(z, Incidence::kDiffuse), row.alpha_diffuse, 1e-12) << where;
  }
}

TEST(PanelAbsorberTest, ParisClosedFormMatchesTheQuadrature) {
  struct Row {
    double x, y, alpha_diffuse;
  };
  const Row rows[] = {
      {1, 0, 0.909645111040875049},       {1.6, 0, 0.951130391655445818},    {0.3, 0.2, 0.529123249123315923},
      {0.05, -0.1, 0.123226294733733672}, {2, -3, 0.559551199546690976},     {40, 25, 0.125180098378269393},
      {0.5, 0, 0.71689974774414622},      {0.01, 3, 0.00517415590116098193},
  };
  for (const Row& row : rows) {
    EXPECT_NEAR(DiffuseAbsorption({row.x, row.y}), row.alpha_diffuse, 1e-13) << row.x << " " << row.y;
  }
}

TEST(PanelAbsorberTest, FaultsAreRefused) {
  struct Row {
    const char* what;
    std::variant<Facing, PanelFault> made;
    PanelFault fault;
  };
  const Row rows[] = {
      {"holes wider than the pitch", PerforatedOnGrid(0.006, 0.002, 0.005, HoleGrid::kSquare),
       PanelFault::kOpeningWiderThanPitch},
      {"slots wider than the pitch", SlottedOnPitch(0.006, 0.002, 0.005), PanelFault::kOpeningWiderThanPitch},
      {"open area of 100%", SlottedWithOpenArea(0.003, 0.002, 1), PanelFault::kOpenAreaTooLarge},
      {"perforated above 0.4", PerforatedWithOpenArea(0.005, 0.002, 0.41), PanelFault::kOpenAreaAboveInteractionLimit},
      {"touching holes on a square grid", PerforatedOnGrid(0.005, 0.002, 0.005, HoleGrid::kSquare),
       PanelFault::kOpenAreaAboveInteractionLimit},
      {"zero diameter", PerforatedWithOpenArea(0, 0.002, 0.1), PanelFault::kNonPositiveSize},
      {"negative thickness", SlottedWithOpenArea(0.003, -0.002, 0.1), PanelFault::kNonPositiveSize},
      {"not a number", PerforatedWithOpenArea(NAN, 0.002, 0.1), PanelFault::kNonPositiveSize},
      {"zero pitch", PerforatedOnGrid(0.005, 0.002, 0, HoleGrid::kTriangular), PanelFault::kNonPositiveSize},
  };
  for (const Row& row : rows) {
    ASSERT_TRUE(std::holds_alternative<PanelFault>(row.made)) << row.what;
    EXPECT_EQ(std::get<PanelFault>(row.made), row.fault) << row.what;
  }
  const Facing holes = Made(PerforatedWithOpenArea(0.005, 0.002, 0.1));
  EXPECT_EQ(FaultOf(Absorber{.facing = holes, .depth_m = 0, .fill = std::nullopt}), PanelFault::kNonPositiveDepth);
  EXPECT_EQ(FaultOf(Absorber{.facing = holes, .depth_m = -0.1, .fill = std::nullopt}), PanelFault::kNonPositiveDepth);
  EXPECT_EQ(FaultOf(Absorber{
                .facing = holes, .depth_m = 0.05, .fill = Fill{.thickness_m = 0.06, .flow_resistivity_pa_s_m2 = 1e4}}),
            PanelFault::kFillThickerThanDepth);
  EXPECT_EQ(FaultOf(Absorber{
                .facing = holes, .depth_m = 0.05, .fill = Fill{.thickness_m = 0.05, .flow_resistivity_pa_s_m2 = 0}}),
            PanelFault::kNonPositiveSize);
  EXPECT_EQ(FaultOf(Absorber{
                .facing = holes, .depth_m = 0.05, .fill = Fill{.thickness_m = 0.05, .flow_resistivity_pa_s_m2 = 1e4}}),
            std::nullopt);
}

TEST(PanelAbsorberTest, GridOpenAreas) {
  EXPECT_NEAR(GridOpenArea(0.005, 0.025, HoleGrid::kSquare), std::numbers::pi / 100, 1e-17);
  EXPECT_NEAR(GridOpenArea(0.005, 0.025, HoleGrid::kTriangular), std::numbers::pi / (50 * std::sqrt(3.0)), 1e-17);
  EXPECT_NEAR(Made(SlottedOnPitch(0.003, 0.01, 0.012)).open_area, 0.25, 1e-16);
}

// With no facing, a fill much thicker than its decay length is the fill's
// own half-space: z -> z_c.
TEST(PanelAbsorberTest, ThickFillTendsToItsCharacteristicImpedance) {
  const Air air = AirAt(20);
  for (const PorousModel model : {PorousModel::kMiki, PorousModel::kDelanyBazley}) {
    for (const double frequency_hz : {500.0, 1000.0, 4000.0}) {
      const Absorber thick{.facing = NoFacing(),
                           .depth_m = 2,
                           .fill = Fill{.thickness_m = 2, .flow_resistivity_pa_s_m2 = 20000, .model = model}};
      const std::complex<double> z = SurfaceImpedance(thick, frequency_hz, air);
      const std::complex<double> characteristic = PorousWaveAt(model, 20000, frequency_hz, air).impedance;
      EXPECT_NEAR(std::abs(z - characteristic), 0, 1e-9) << frequency_hz;
      const double own = 1 - std::norm((characteristic - 1.0) / (characteristic + 1.0));
      EXPECT_NEAR(Absorption(z, Incidence::kNormal), own, 1e-9) << frequency_hz;
    }
  }
}

TEST(PanelAbsorberTest, BareAirCavityAbsorbsNothing) {
  const Absorber air_only{.facing = NoFacing(), .depth_m = 0.1, .fill = std::nullopt};
  for (const double frequency_hz : {50.0, 333.0, 1000.0, 4999.0}) {
    const std::complex<double> z = SurfaceImpedance(air_only, frequency_hz, AirAt(20));
    EXPECT_NEAR(z.real(), 0, 1e-12) << frequency_hz;
    EXPECT_NEAR(Absorption(z, Incidence::kNormal), 0, 1e-12) << frequency_hz;
    EXPECT_NEAR(Absorption(z, Incidence::kDiffuse), 0, 1e-12) << frequency_hz;
  }
}

// A fill that fills the cavity is the same wherever it is placed.
TEST(PanelAbsorberTest, FullFillDoesNotDependOnItsPlace) {
  const Facing holes = Made(PerforatedWithOpenArea(0.003, 0.001, 0.1));
  const Fill fill{.thickness_m = 0.04, .flow_resistivity_pa_s_m2 = 9000};
  Fill at_wall = fill;
  at_wall.place = FillPlace::kAgainstWall;
  const std::complex<double> a = SurfaceImpedance({.facing = holes, .depth_m = 0.04, .fill = fill}, 700, AirAt(20));
  const std::complex<double> b = SurfaceImpedance({.facing = holes, .depth_m = 0.04, .fill = at_wall}, 700, AirAt(20));
  EXPECT_EQ(a, b);
}

TEST(PanelAbsorberTest, FitRanges) {
  const Air air = AirAt(20);
  struct Row {
    PorousModel model;
    double resistivity, frequency_hz;
    bool outside;
  };
  const Row rows[] = {
      {PorousModel::kDelanyBazley, 10000, 50, true},     // rho f/R = 0.0060
      {PorousModel::kDelanyBazley, 10000, 100, false},   // 0.012
      {PorousModel::kDelanyBazley, 10000, 8000, false},  // 0.963
      {PorousModel::kDelanyBazley, 10000, 8500, true},   // 1.02
      {PorousModel::kMiki, 10000, 99, true},             // f/R = 0.0099
      {PorousModel::kMiki, 10000, 100, false},           // 0.01
      {PorousModel::kMiki, 10000, 10000, false},         // 1
      {PorousModel::kMiki, 10000, 10001, true},
  };
  for (const Row& row : rows) {
    EXPECT_EQ(OutsideFitRange(row.model, row.resistivity, row.frequency_hz, air), row.outside) << row.frequency_hz;
  }
  EXPECT_FALSE(FillOutsideFitRange({.facing = NoFacing(), .depth_m = 0.1, .fill = std::nullopt}, 1, air));
}

// Oblique incidence: at 60 degrees a surface of z = 2 + j matches as z/2 would
// at normal incidence.
TEST(PanelAbsorberTest, ObliqueIncidenceScalesTheImpedance) {
  EXPECT_NEAR(AbsorptionAt({2, 1}, std::numbers::pi / 3), 16.0 / 17, 1e-15);
  EXPECT_NEAR(AbsorptionAt({2, 1}, std::numbers::pi / 3), AbsorptionAt({1, 0.5}, 0), 1e-15);
  EXPECT_NEAR(AbsorptionAt({1, 0}, 0), 1, 1e-15);
  EXPECT_NEAR(AbsorptionAt({3, -2}, std::numbers::pi / 2), 0, 1e-15);
}

}  // namespace
}  // namespace acoustics
