#pragma once

// Small ephemeris files with known coefficients, and their states worked out
// independently of the reader (trigonometric Chebyshev form, own record search).

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "support/TemporaryDirectory.h"

namespace navora::testing {

struct SyntheticRow {
  int32_t offset, coefficientCount, subintervalCount;
};

struct SyntheticEphemeris {
  static constexpr size_t kBlockBytes = 8000;
  double startJd = 2451536.5;
  double stepDays = 32.0;
  int recordCount = 4;
  double auKm = 149597870.691;
  double earthMoonRatio = 81.30056;
  double seed = 1.0;
  // Varied counts, so that rows share and extend the polynomial cache; the
  // last row (nutations) is never read. Positions 1 and 2 of a record hold
  // its dates.
  std::array<SyntheticRow, 12> rows = {{{3, 6, 2},
                                        {39, 7, 1},
                                        {60, 9, 2},
                                        {114, 5, 1},
                                        {129, 4, 1},
                                        {141, 4, 1},
                                        {153, 3, 1},
                                        {162, 3, 1},
                                        {171, 3, 1},
                                        {180, 10, 4},
                                        {300, 8, 2},
                                        {348, 5, 4}}};

  double EndJd() const { return startJd + recordCount * stepDays; }

  // Distinct for every record, row, sub-interval and coordinate; km, of the
  // order of an astronomical unit.
  double Coefficient(int record, int row, int subinterval, int c, int degree) const {
    const double base = 1.0e5 * (1000.0 * (row + 1) + 100.0 * record + 10.0 * subinterval + c);
    return seed * base * std::cos(0.7 * degree + record) / (1.0 + degree * degree);
  }

  std::vector<unsigned char> Bytes() const {
    std::vector<unsigned char> bytes(kBlockBytes * (recordCount + 1), ' ');
    std::vector<double> span{startJd, EndJd(), stepDays};
    std::memcpy(&bytes[2652], span.data(), 24);  // little-endian host
    const int32_t constantCount = 400;
    std::memcpy(&bytes[2676], &constantCount, 4);
    const double scales[] = {auKm, earthMoonRatio};
    std::memcpy(&bytes[5880], scales, 16);
    std::memcpy(&bytes[5896], rows.data(), 144);
    for (int record = 1; record <= recordCount; ++record) {
      const double dates[] = {startJd + (record - 1) * stepDays, startJd + record * stepDays};
      std::memcpy(&bytes[kBlockBytes * record], dates, 16);
      for (int r = 0; r < 12; ++r) {
        const SyntheticRow& row = rows[r];
        for (int l = 1; l <= row.subintervalCount; ++l) {
          for (int c = 0; c < 3; ++c) {
            for (int j = 0; j < row.coefficientCount; ++j) {
              const int64_t index =
                  row.offset - 1 + j + int64_t{row.coefficientCount} * (c + 3 * (l - 1));
              if (index < 0 || index >= 900) continue;  // rows made to be refused
              const double value = Coefficient(record, r, l, c, j);
              std::memcpy(&bytes[kBlockBytes * record + 8 * index], &value, 8);
            }
          }
        }
      }
    }
    return bytes;
  }

  // The first `size` bytes of the file.
  void Write(const std::string& path, size_t size = SIZE_MAX) const {
    std::vector<unsigned char> bytes = Bytes();
    bytes.resize(std::min(size, bytes.size()));
    WriteBytes(path, bytes);
  }

  // Barycentric position (AU) and velocity (AU/day) of one row at jd.
  void RowState(int row, double jd, double (&position)[3], double (&velocity)[3]) const {
    const double days = jd - startJd;
    const int record = std::min(static_cast<int>(std::floor(days / stepDays)) + 1, recordCount);
    const double t = (days - (record - 1) * stepDays) / stepDays;
    const SyntheticRow& r = rows[row];
    const int l =
        std::min(static_cast<int>(std::floor(t * r.subintervalCount)) + 1, r.subintervalCount);
    const double x = 2.0 * (t * r.subintervalCount - (l - 1)) - 1.0;
    const double theta = std::acos(std::clamp(x, -1.0, 1.0));
    for (int c = 0; c < 3; ++c) {
      position[c] = velocity[c] = 0.0;
      for (int j = 0; j < r.coefficientCount; ++j) {
        const double a = Coefficient(record, row, l, c, j) / auKm;
        position[c] += a * std::cos(j * theta);
        // dT_j/dx = j sin(j theta) / sin(theta); j^2 (+-1)^(j+1) at the ends.
        const double slope = std::abs(std::sin(theta)) < 1e-12
                                 ? j * j * (x > 0 || j % 2 ? 1.0 : -1.0)
                                 : j * std::sin(j * theta) / std::sin(theta);
        velocity[c] += a * slope * 2.0 * r.subintervalCount / stepDays;
      }
    }
  }
};

}  // namespace navora::testing
