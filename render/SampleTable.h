#pragma once

#include <array>
#include <cstdint>
#include <vector>

// The B-spline weights of a fixed run of parameters for a fixed number of
// vertices, computed once exactly as TBSpline::Evaluate computes them, so
// that evaluating a sample gives the very same point at a fraction of the
// cost. Drawing and hit-testing a link evaluate the same runs of t over and
// over, for curves of four vertices.
class TSampleTable {
 public:
  struct TSample {
    float T = 0;
    std::int32_t FirstSlot = 0;  // the slots weighed are FirstSlot.. in order
    std::int32_t SlotCount = 0;
    std::array<long double, 4> Weights{};
  };

  TSampleTable(std::int32_t vertexCount, const std::vector<float>& parameters);

  std::int32_t VertexCount() const { return vertexCount_; }
  const std::vector<TSample>& Samples() const { return samples_; }

  // The runs the link agents use, for curves of four vertices:
  // k / 150 for k = 1..150 (the drawn polyline);
  static const TSampleTable& LinkPolyline();
  // 0, 1/150, 2/150, ... while below 1, added up in 32-bit floats (hit tests);
  static const TSampleTable& LinkHitSamples();
  // 0, 0.01, 0.02, ... while below 1, added up in 32-bit floats (start mark).
  static const TSampleTable& LinkStartMarkSamples();
  // 0.5 alone (where the label stands).
  static const TSampleTable& LinkMiddle();

  // The weights Evaluate gives t for vertexCount vertices.
  static TSample WeightsAt(std::int32_t vertexCount, float t);

 private:
  std::int32_t vertexCount_;
  std::vector<TSample> samples_;
};
