#pragma once

// Builds small ephemeris files with known coefficients, and evaluates them
// independently of the reader (trigonometric Chebyshev form, own record search).

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

namespace navora::testing {

inline constexpr size_t kEphemerisBlockBytes = 8000;
inline constexpr size_t kEphemerisHeaderReadBytes = 6044;
inline constexpr int kEphemerisRows = 12;

struct SyntheticRow {
  int32_t offset;
  int32_t coefficientCount;
  int32_t subintervalCount;
};

struct SyntheticEphemeris {
  double startJd = 2451536.5;
  double stepDays = 32.0;
  int recordCount = 4;
  double auKm = 1000.0;
  double earthMoonRatio = 80.0;
  double coefficientSeed = 1.0;  // different seeds give different files
  // Varied counts, so that rows share and extend the polynomial cache.
  std::array<SyntheticRow, kEphemerisRows> rows = {{{1, 6, 2},
                                                    {37, 7, 1},
                                                    {58, 9, 2},
                                                    {112, 5, 1},
                                                    {127, 4, 1},
                                                    {139, 4, 1},
                                                    {151, 3, 1},
                                                    {160, 3, 1},
                                                    {169, 3, 1},
                                                    {178, 10, 4},
                                                    {298, 8, 2},
                                                    {346, 5, 4}}};

  double EndJd() const { return startJd + recordCount * stepDays; }

  // Coefficient j of (record, row, sub-interval, coordinate) in km; decaying
  // with degree like a real series and distinct for every record.
  double Coefficient(int record, int row, int subinterval, int coordinate, int degree) const {
    const double base = 1000.0 * (row + 1) + 100.0 * record + 10.0 * subinterval + coordinate;
    return coefficientSeed * base * std::cos(0.7 * degree + record) / (1.0 + degree * degree);
  }

  std::vector<unsigned char> Bytes() const {
    std::vector<unsigned char> bytes(kEphemerisBlockBytes * (recordCount + 1), 0);
    std::memset(bytes.data(), ' ', 252 + 2400);
    size_t at = 2652;
    PutDouble(bytes, at, startJd);
    PutDouble(bytes, at, EndJd());
    PutDouble(bytes, at, stepDays);
    PutInt(bytes, at, 400);
    at += 400 * 8;
    PutDouble(bytes, at, auKm);
    PutDouble(bytes, at, earthMoonRatio);
    for (const SyntheticRow& row : rows) {
      PutInt(bytes, at, row.offset);
      PutInt(bytes, at, row.coefficientCount);
      PutInt(bytes, at, row.subintervalCount);
    }
    PutInt(bytes, at, 405);
    for (int record = 1; record <= recordCount; ++record) {
      for (int r = 0; r < kEphemerisRows; ++r) {
        const SyntheticRow& row = rows[r];
        for (int l = 1; l <= row.subintervalCount; ++l) {
          for (int c = 0; c < 3; ++c) {
            for (int j = 0; j < row.coefficientCount; ++j) {
              const int64_t index =
                  row.offset - 1 + j + int64_t{row.coefficientCount} * (c + 3 * (l - 1));
              if (index < 0 || index >= 900) continue;  // rows made to be refused
              size_t position = kEphemerisBlockBytes * record + 8 * static_cast<size_t>(index);
              PutDouble(bytes, position, Coefficient(record, r, l, c, j));
            }
          }
        }
      }
    }
    return bytes;
  }

  // Writes the first `size` bytes of the file (all when size is npos).
  void Write(const std::string& path, size_t size = std::string::npos) const {
    const std::vector<unsigned char> bytes = Bytes();
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(std::min(size, bytes.size())));
  }

  // Position (AU) and velocity (AU/day) of one row at jd, by T_j(x) = cos(j acos x).
  void RowState(int row, double jd, std::array<double, 3>& position,
                std::array<double, 3>& velocity) const {
    const double offset = jd - startJd;
    int record = static_cast<int>(std::floor(offset / stepDays)) + 1;
    if (record > recordCount) record = recordCount;
    const double t = (offset - (record - 1) * stepDays) / stepDays;
    const SyntheticRow& r = rows[row];
    int subinterval = static_cast<int>(std::floor(t * r.subintervalCount)) + 1;
    if (subinterval > r.subintervalCount) subinterval = r.subintervalCount;
    const double x = 2.0 * (t * r.subintervalCount - (subinterval - 1)) - 1.0;
    const double daysPerUnitX = stepDays / r.subintervalCount / 2.0;
    for (int c = 0; c < 3; ++c) {
      double p = 0.0;
      double v = 0.0;
      for (int j = 0; j < r.coefficientCount; ++j) {
        const double a = Coefficient(record, row, subinterval, c, j);
        p += a * ChebyshevT(j, x);
        v += a * ChebyshevTDerivative(j, x);
      }
      position[c] = p / auKm;
      velocity[c] = v / daysPerUnitX / auKm;
    }
  }

  static double ChebyshevT(int j, double x) { return std::cos(j * std::acos(Clamp(x))); }

  // dT_j/dx = j sin(j theta) / sin(theta), with its limit j^2 (+-1)^(j+1) at the ends.
  static double ChebyshevTDerivative(int j, double x) {
    const double theta = std::acos(Clamp(x));
    const double s = std::sin(theta);
    if (std::abs(s) < 1e-12) return j * j * (x > 0 ? 1.0 : ((j % 2) ? 1.0 : -1.0));
    return j * std::sin(j * theta) / s;
  }

 private:
  static double Clamp(double x) { return x < -1.0 ? -1.0 : (x > 1.0 ? 1.0 : x); }

  static void PutDouble(std::vector<unsigned char>& bytes, size_t& at, double value) {
    uint64_t bits = 0;
    std::memcpy(&bits, &value, 8);
    for (int i = 0; i < 8; ++i) bytes[at++] = static_cast<unsigned char>(bits >> (8 * i));
  }

  static void PutInt(std::vector<unsigned char>& bytes, size_t& at, int32_t value) {
    const auto bits = static_cast<uint32_t>(value);
    for (int i = 0; i < 4; ++i) bytes[at++] = static_cast<unsigned char>(bits >> (8 * i));
  }
};

}  // namespace navora::testing
