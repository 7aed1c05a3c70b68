#pragma once

#include "render/SampleTable.h"

#include <array>
#include <cstdint>

// A point of a curve; z is carried through and is 0 for links.
struct TVertex {
  float X = 0;
  float Y = 0;
  float Z = 0;
};

// A uniform cubic B-spline through up to 100 vertices. Slot 1 holds the
// first vertex and slot VertexCount the last; slots 0 and VertexCount + 1
// hold phantom end points, so that the curve starts exactly at the first
// vertex and ends exactly at the last.
class TBSpline {
 public:
  static constexpr std::int32_t kMaxVertices = 100;

  virtual ~TBSpline() = default;

  std::int32_t VertexCount() const { return vertexCount_; }
  void Clear() { vertexCount_ = 0; }
  // At the limit the user is told "Maximum number of vertices reached..."
  // and the vertex is dropped.
  void AddVertex(float x, float y, float z);
  // The point at t, 0 <= t <= 1.
  TVertex Evaluate(float t) const;
  // The point at one of the table's parameters: the same as Evaluate.
  TVertex Evaluate(const TSampleTable& table, std::size_t index) const;
  // The point the weights give.
  TVertex Apply(const TSampleTable::TSample& sample) const;
  // Contents of slot index (0..VertexCount + 1); outside that, a zero vertex.
  TVertex Vertex(std::int32_t index) const;
  // Smallest and largest coordinates over every slot in use: the curve lies
  // within them, since each point is a weighted mean of the slots.
  void Bounds(float& minX, float& minY, float& maxX, float& maxY) const;
  // The same over slots first..first+count-1: every point whose weights fall
  // on those slots lies within them.
  void SlotBounds(std::int32_t first, std::int32_t count, float& minX, float& minY, float& maxX,
                  float& maxY) const;

 private:
  std::int32_t vertexCount_ = 0;
  bool flat_ = true;  // every slot's z is 0, so every point's is
  std::array<TVertex, kMaxVertices + 2> vertices_{};
};
