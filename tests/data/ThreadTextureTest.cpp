// The cosmetic thread: where the texture comes from, what the finish receives, and which
// failures stop it.
#include <gtest/gtest.h>

#include "data/Settings.h"
#include "data/ThreadTexture.h"
#include "host/RuntimeError.h"
#include "host/TextFile.h"
#include "host/occt/OcctEvaluator.h"
#include "host/reference/SceneDocument.h"
#include "support/TestHost.h"

namespace vormbrace::test {
namespace {

using host::ref::SceneShape;

class ThreadTexture : public ::testing::Test {
 protected:
  ThreadTexture()
      : part_(document_.RootShape().Shapes(host::kShapePart).Add()),
        feature_(static_cast<SceneShape&>(
            part_.Components(23).Item(1).Shapes(host::kShapeRevolved).Add())) {}

  std::string InstallTexture() {
    host_.Settings().SetRegistry(kCorvaneKey, "ApplDir", host_.Scratch().string());
    return host_.WriteFile("Images/3iaoftt.jpg", "jpeg");
  }
  // The feature turned so that its Z axis is the part's X.
  void TurnFeature() {
    host::Component& p = feature_.Components(4).Item(1);
    const double v[] = {0, 0, 0, 0, 1, 0, 90};
    for (int i = 0; i < 7; ++i) p.Variable(i + 1).SetValue(host::Value::Double(v[i]));
  }
  std::vector<std::unique_ptr<host::ref::SurfaceFinishRecord>>& Finishes() {
    return feature_.Store().First(27)->Finishes();
  }

  TestHost host_;
  host::ref::SceneDocument document_;
  host::Shape& part_;
  SceneShape& feature_;
};

TEST_F(ThreadTexture, WithoutAnImageNothingChanges) {
  ApplyThreadTexture(feature_, 0, 0, 0.01, 10, 1.5);
  EXPECT_EQ(feature_.Components(27).Count(), 0);
}

TEST_F(ThreadTexture, FinishCarriesTheImageSizedByTheThread) {
  std::string image = InstallTexture();
  TurnFeature();
  ApplyThreadTexture(feature_, 0.005, 0.005, 0.015, 10, 1.5);
  ASSERT_EQ(feature_.Components(27).Count(), 1);
  ASSERT_EQ(Finishes().size(), 1u);
  const auto& f = *Finishes()[0];
  EXPECT_EQ(host::NativePath(f.textureFile), host::NativePath(image));
  EXPECT_DOUBLE_EQ(f.point.z, 0.015);
  EXPECT_EQ(f.projectionType, 3);
  EXPECT_EQ(f.verticalRatio, 1);
  EXPECT_EQ(f.horizontalRatio, 1);
  EXPECT_DOUBLE_EQ(f.projectionWidth, 3.14159265358979 * 10);  // the circumference
  EXPECT_NEAR(f.projectionHeight, 6.25 * 1.5, 1e-12);          // 6.25 pitches, in mm
  EXPECT_NEAR(f.upDirection.x, 1, 1e-12);                      // the feature's normal
  EXPECT_TRUE(f.flip);

  // A second texture reuses the finish component; a pitch of 0 skips only the height.
  ApplyThreadTexture(feature_, 0, 0, -0.01, 10, 0);
  EXPECT_EQ(feature_.Components(27).Count(), 1);
  ASSERT_EQ(Finishes().size(), 2u);
  EXPECT_EQ(Finishes()[1]->projectionHeight, 0);
  EXPECT_DOUBLE_EQ(Finishes()[1]->projectionWidth, 3.14159265358979 * 10);
  EXPECT_TRUE(Finishes()[1]->flip);
}

TEST_F(ThreadTexture, AFailingUpdateTravelsToTheCaller) {
  // With the solid kernel, Update checks the profile: an open loop stops the texture.
  host::occt::AttachKernel(document_);
  InstallTexture();
  host::Component& loop = feature_.Components(15).Item(1).Profile().Components(3).Add();
  loop.SetStartPoint(0, 0);
  loop.AddLineTo(1, 0);
  EXPECT_THROW(ApplyThreadTexture(feature_, 0, 0, 0, 10, 1.5), host::RuntimeError);
  EXPECT_TRUE(Finishes().empty());
}

}  // namespace
}  // namespace vormbrace::test
