#include <gtest/gtest.h>

#include <cmath>

#include "engine/common/Angles.h"
#include "engine/common/Rotation.h"

namespace navora {
namespace {

TEST(WrapDegrees, EdgesOfBothRanges) {
  struct Case {
    double in, to360, to180;
  };
  const Case cases[] = {
      {0.0, 0.0, 0.0},           {-0.0, 0.0, 0.0},       {360.0, 0.0, 0.0},
      {-360.0, 0.0, 0.0},        {180.0, 180.0, 180.0},  {-180.0, 180.0, 180.0},
      {540.0, 180.0, 180.0},     {-1e-20, 0.0, -1e-20},  {359.5, 359.5, -0.5},
      {-725.0, 355.0, -5.0},     {181.0, 181.0, -179.0}, {1e6, 280.0, -80.0},
  };
  for (const Case& c : cases) {
    const double to360 = WrapDegrees360(c.in);
    const double to180 = WrapDegrees180(c.in);
    EXPECT_EQ(to360, c.to360) << c.in;
    EXPECT_EQ(to180, c.to180) << c.in;
    EXPECT_FALSE(std::signbit(to360)) << c.in;  // never -0
    EXPECT_TRUE(to360 >= 0.0 && to360 < 360.0) << c.in;
    EXPECT_TRUE(to180 > -180.0 && to180 <= 180.0) << c.in;
  }
}

TEST(Rotation, MatricesAndDirectRotationsAgreeAndInvert) {
  const Vector3 v{0.3, -0.5, 0.8};
  const double angle = 0.7;
  const struct {
    Matrix3 matrix;
    Vector3 direct;
  } rotations[] = {{RotationAboutX(angle), RotateAboutX(v, angle)},
                   {RotationAboutY(angle), RotateAboutY(v, angle)},
                   {RotationAboutZ(angle), RotateAboutZ(v, angle)}};
  for (const auto& r : rotations) {
    const Vector3 viaMatrix = Multiply(r.matrix, v);
    const Vector3 back = MultiplyTransposed(r.matrix, viaMatrix);
    for (int i = 0; i < 3; ++i) {
      EXPECT_NEAR(viaMatrix[i], r.direct[i], 1e-15);
      EXPECT_NEAR(back[i], v[i], 1e-15);
    }
  }
  // A frame turned a quarter turn about z sees the old y axis as its x axis.
  const Vector3 y = RotateAboutZ({0.0, 1.0, 0.0}, DegreesToRadians(90.0));
  EXPECT_NEAR(y[0], 1.0, 1e-15);
  EXPECT_NEAR(y[1], 0.0, 1e-15);
}

}  // namespace
}  // namespace navora
