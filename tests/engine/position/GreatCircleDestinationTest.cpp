#include <gtest/gtest.h>

#include <GeographicLib/Geodesic.hpp>
#include <cmath>

#include "engine/position/GreatCircleDestination.h"

namespace navora {
namespace {

// On a sphere of radius 180/pi metres a metre is a degree of arc.
const GeographicLib::Geodesic kDegreeSphere(180.0 / 3.141592653589793, 0.0);

TEST(GreatCircleDestination, AgreesWithTheSphereBothWays) {
  PositionRecord start;
  start.latitude = 40.0;
  start.longitude = 170.0;
  for (double course : {0.0, 30.0, 90.0, 135.0, 180.0, 250.0, 359.0}) {
    for (double arc : {-20.0, -0.5, 0.00005, 0.3, 15.0}) {
      start.course = course;
      double lat = 0.0;
      double lon = 0.0;
      double newCourse = 0.0;
      ASSERT_EQ(GreatCircleDestination(start, arc, lat, lon, newCourse), kStatusOk);
      double lat2 = 0.0;
      double lon2 = 0.0;
      double azi2 = 0.0;
      kDegreeSphere.Direct(40.0, 170.0, course, arc, lat2, lon2, azi2);
      EXPECT_NEAR(lat, lat2, 1e-9) << course << " " << arc;
      EXPECT_NEAR(std::remainder(lon - lon2, 360.0), 0.0, 1e-9) << course << " " << arc;
      // A step below 0.0001 degree keeps the course.
      const double courseTolerance = std::fabs(arc) < 0.0001 ? 1e-4 : 1e-7;
      EXPECT_NEAR(std::remainder(newCourse - azi2, 360.0), 0.0, courseTolerance)
          << course << " " << arc;
      // The change of longitude is handed on unreduced, for the caller to add.
      EXPECT_TRUE(course != 90.0 || arc < 10.0 || lon > 180.0);
    }
  }
}

}  // namespace
}  // namespace navora
