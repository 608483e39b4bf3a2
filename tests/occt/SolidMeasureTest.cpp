// The volume and bounding box a part's figures give agree with the kernel's volume integration
// and optimal box, on every shipped standard of every kind at its smallest, middle and largest
// size, where it stands and moved by a placement. One case per family and kind, so that ctest
// spreads them over the cores.
#include <gtest/gtest.h>

#include <BRepBndLib.hxx>
#include <BRepGProp.hxx>
#include <Bnd_Box.hxx>
#include <GProp_GProps.hxx>
#include <TopLoc_Location.hxx>
#include <TopoDS_Shape.hxx>
#include <cmath>
#include <gp_Ax1.hxx>
#include <gp_Trsf.hxx>
#include <string>

#include "components/NewVormbrace.h"
#include "host/occt/Kernel.h"
#include "host/occt/SolidMeasure.h"
#include "support/SampledSizes.h"
#include "support/TestHost.h"

namespace vormbrace::test {
namespace {

void ExpectAsKernel(const TopoDS_Shape& solid, const std::string& what) {
  GProp_GProps props;
  BRepGProp::VolumeProperties(solid, props);
  EXPECT_NEAR(host::occt::SolidVolume(solid), props.Mass(), 1e-6 * std::abs(props.Mass())) << what;
  Bnd_Box kernel;
  BRepBndLib::AddOptimal(solid, kernel, Standard_False, Standard_False);
  Bnd_Box fast = host::occt::SolidBox(solid);
  double k[6], f[6];
  kernel.Get(k[0], k[1], k[2], k[3], k[4], k[5]);
  fast.Get(f[0], f[1], f[2], f[3], f[4], f[5]);
  for (int i = 0; i < 6; ++i) EXPECT_NEAR(f[i], k[i], 1e-6) << what << ", box bound " << i;
}

struct Sweep {
  std::int16_t family, kind;
};

class SolidMeasure : public ::testing::TestWithParam<Sweep> {};

TEST_P(SolidMeasure, ShippedPartsMeasureAsTheKernelDoes) {
  const auto [family, kind] = GetParam();
  TestHost host(host::ref::SettingsStore::Load(VORMBRACE_STANDARDS_SOURCE_DIR "/settings.json"));
  gp_Trsf turn, shift;
  turn.SetRotation(gp_Ax1(gp_Pnt(1, 2, 3), gp_Dir(1, 1, 1)), 0.7);
  shift.SetTranslation(gp_Vec(40, -25, 12));
  const TopLoc_Location placement(shift * turn);
  int measured = 0;
  VisitSampledSizes(family, kind, SampledLength::Middle, [&](const SampledSize& s) {
    host::ref::SceneDocument document;
    host::occt::OcctEvaluator& kernel = host::occt::AttachKernel(document);
    kernel.UseSolidCache(nullptr);
    auto& part =
        static_cast<host::ref::SceneShape&>(document.RootShape().Shapes(host::kShapePart).Add());
    MakeComponent(kind, s.type, s.values)->CreateInPart(part);
    TopoDS_Shape solid = host::occt::PartSolid(kernel, part);
    ASSERT_FALSE(solid.IsNull()) << s.what;
    ExpectAsKernel(solid, s.what);
    ExpectAsKernel(solid.Moved(placement), s.what + " placed");
    ++measured;
  });
  EXPECT_GE(measured, 3);
}

std::string SweepName(const ::testing::TestParamInfo<Sweep>& param) {
  static const char* const kinds[] = {"Bolts", "Screws", "SetScrews", "Washers", "Nuts"};
  return std::string(param.param.family == 0 ? "ISO" : "DIN") + kinds[param.param.kind];
}

INSTANTIATE_TEST_SUITE_P(EveryKind, SolidMeasure,
                         ::testing::Values(Sweep{0, 0}, Sweep{0, 1}, Sweep{0, 2}, Sweep{0, 3},
                                           Sweep{0, 4}, Sweep{1, 0}, Sweep{1, 1}, Sweep{1, 2},
                                           Sweep{1, 3}, Sweep{1, 4}),
                         SweepName);

}  // namespace
}  // namespace vormbrace::test
