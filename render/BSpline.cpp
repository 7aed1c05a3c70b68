#include "render/BSpline.h"

#include "base/UserMessages.h"

#include <algorithm>

void TBSpline::AddVertex(float x, float y, float z) {
  if (vertexCount_ == kMaxVertices) {
    UserMessages().ShowMessage(TMessageKind::Error, "Maximum number of vertices reached...");
    return;
  }
  ++vertexCount_;
  vertices_[vertexCount_] = {x, y, z};
  if (vertexCount_ == 1) flat_ = true;
  flat_ = flat_ && z == 0;
  if (vertexCount_ < 2) return;
  const TVertex& first = vertices_[1];
  const TVertex& second = vertices_[2];
  const TVertex& last = vertices_[vertexCount_];
  const TVertex& beforeLast = vertices_[vertexCount_ - 1];
  vertices_[0] = {2 * first.X - second.X, 2 * first.Y - second.Y, 2 * first.Z - second.Z};
  vertices_[vertexCount_ + 1] = {2 * last.X - beforeLast.X, 2 * last.Y - beforeLast.Y,
                                 2 * last.Z - beforeLast.Z};
}

TVertex TBSpline::Evaluate(float t) const {
  return Apply(TSampleTable::WeightsAt(vertexCount_, t));
}

TVertex TBSpline::Evaluate(const TSampleTable& table, std::size_t index) const {
  const TSampleTable::TSample& sample = table.Samples()[index];
  if (table.VertexCount() != vertexCount_) return Evaluate(sample.T);
  return Apply(sample);
}

// Weights in extended precision, the sum kept in 32-bit floats. A curve in
// the plane leaves z at 0 without summing it.
TVertex TBSpline::Apply(const TSampleTable::TSample& sample) const {
  TVertex result;
  const TVertex* slots = vertices_.data() + sample.FirstSlot;
  for (std::int32_t k = 0; k < sample.SlotCount; ++k) {
    const long double weight = sample.Weights[static_cast<std::size_t>(k)];
    result.X = static_cast<float>(result.X + weight * slots[k].X);
    result.Y = static_cast<float>(result.Y + weight * slots[k].Y);
  }
  if (!flat_ || vertexCount_ < 2) {
    for (std::int32_t k = 0; k < sample.SlotCount; ++k) {
      const long double weight = sample.Weights[static_cast<std::size_t>(k)];
      result.Z = static_cast<float>(result.Z + weight * slots[k].Z);
    }
  }
  return result;
}

TVertex TBSpline::Vertex(std::int32_t index) const {
  if (index < 0 || index > vertexCount_ + 1) return {};
  return vertices_[index];
}

void TBSpline::Bounds(float& minX, float& minY, float& maxX, float& maxY) const {
  SlotBounds(0, vertexCount_ + 2, minX, minY, maxX, maxY);
}

void TBSpline::SlotBounds(std::int32_t first, std::int32_t count, float& minX, float& minY,
                          float& maxX, float& maxY) const {
  const auto begin = static_cast<std::size_t>(std::clamp(first, 0, kMaxVertices + 1));
  const auto end = static_cast<std::size_t>(std::clamp(first + count, 1, kMaxVertices + 2));
  minX = maxX = vertices_[begin].X;
  minY = maxY = vertices_[begin].Y;
  for (std::size_t i = begin + 1; i < end; ++i) {
    minX = std::min(minX, vertices_[i].X);
    maxX = std::max(maxX, vertices_[i].X);
    minY = std::min(minY, vertices_[i].Y);
    maxY = std::max(maxY, vertices_[i].Y);
  }
}
