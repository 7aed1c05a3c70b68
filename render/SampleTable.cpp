#include "render/SampleTable.h"

#include <cmath>

namespace {

constexpr std::int32_t kLinkVertices = 4;
constexpr std::int32_t kSlots = 102;

// The cubic B-spline basis at distance d from a slot's centre, in extended
// precision.
long double Basis(long double d) {
  if (d < 1) return 2.0L / 3.0L - d * d + d * d * d / 2;
  const long double e = 2 - d;
  return e * e * e / 6;
}

std::vector<float> RunUpTo1(float step) {
  std::vector<float> run;
  for (float t = 0; t < 1; t += step) run.push_back(t);
  return run;
}

}  // namespace

TSampleTable::TSample TSampleTable::WeightsAt(std::int32_t vertexCount, float t) {
  TSample sample;
  sample.T = t;
  const long double u = static_cast<long double>(vertexCount - 1) * t;
  const auto i0 = static_cast<std::int32_t>(std::trunc(u));
  for (std::int32_t i = i0 - 2; i <= i0 + 3; ++i) {
    const long double d = std::fabs(u - (i - 1));
    // Only slots within two of u weigh: at most four neighbours. The storage
    // guard matters only for t outside 0..1.
    if (d >= 2 || i < 0 || i >= kSlots || sample.SlotCount == 4) continue;
    if (sample.SlotCount == 0) sample.FirstSlot = i;
    sample.Weights[static_cast<std::size_t>(sample.SlotCount++)] = Basis(d);
  }
  return sample;
}

TSampleTable::TSampleTable(std::int32_t vertexCount, const std::vector<float>& parameters)
    : vertexCount_(vertexCount) {
  samples_.reserve(parameters.size());
  for (float t : parameters) samples_.push_back(WeightsAt(vertexCount, t));
}

const TSampleTable& TSampleTable::LinkPolyline() {
  static const TSampleTable table = [] {
    std::vector<float> run;
    for (int k = 1; k <= 150; ++k) run.push_back(static_cast<float>(k) / 150);
    return TSampleTable(kLinkVertices, run);
  }();
  return table;
}

const TSampleTable& TSampleTable::LinkHitSamples() {
  static const TSampleTable table(kLinkVertices, RunUpTo1(1.0f / 150));
  return table;
}

const TSampleTable& TSampleTable::LinkStartMarkSamples() {
  static const TSampleTable table(kLinkVertices, RunUpTo1(0.01f));
  return table;
}

const TSampleTable& TSampleTable::LinkMiddle() {
  static const TSampleTable table(kLinkVertices, {0.5f});
  return table;
}
