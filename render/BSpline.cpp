#include "render/BSpline.h"

#include "base/UserMessages.h"

#include <algorithm>
#include <cmath>

namespace {

// The cubic B-spline basis at distance d from a slot's centre, in extended
// precision.
long double Weight(long double d) {
  if (d < 1) return 2.0L / 3.0L - d * d + d * d * d / 2;
  const long double e = 2 - d;
  return e * e * e / 6;
}

}  // namespace

void TBSpline::AddVertex(float x, float y, float z) {
  if (vertexCount_ == kMaxVertices) {
    UserMessages().ShowMessage(TMessageKind::Error, "Maximum number of vertices reached...");
    return;
  }
  ++vertexCount_;
  vertices_[vertexCount_] = {x, y, z};
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
  TVertex result;
  const long double u = static_cast<long double>(vertexCount_ - 1) * t;
  const auto i0 = static_cast<std::int32_t>(std::trunc(u));
  for (std::int32_t i = i0 - 2; i <= i0 + 3; ++i) {
    const long double d = std::fabs(u - (i - 1));
    // Only slots within two of u weigh; they always lie in 0..VertexCount + 1
    // for t in 0..1, and the guard keeps any other t inside the storage.
    if (d >= 2 || i < 0 || i > kMaxVertices + 1) continue;
    const long double weight = Weight(d);
    const TVertex& slot = vertices_[i];
    result.X = static_cast<float>(result.X + weight * slot.X);
    result.Y = static_cast<float>(result.Y + weight * slot.Y);
    result.Z = static_cast<float>(result.Z + weight * slot.Z);
  }
  return result;
}

TVertex TBSpline::Vertex(std::int32_t index) const {
  if (index < 0 || index > vertexCount_ + 1) return {};
  return vertices_[index];
}

void TBSpline::Bounds(float& minX, float& minY, float& maxX, float& maxY) const {
  minX = maxX = vertices_[0].X;
  minY = maxY = vertices_[0].Y;
  for (std::int32_t i = 1; i <= vertexCount_ + 1; ++i) {
    minX = std::min(minX, vertices_[i].X);
    maxX = std::max(maxX, vertices_[i].X);
    minY = std::min(minY, vertices_[i].Y);
    maxY = std::max(maxY, vertices_[i].Y);
  }
}
