// A catalogue drop as the reference host hands it to the add-in: the page, the path of shapes
// from the scene's root down to the hit part, and what was hit. Picking fills a DropHit from a
// ray through the scene; a drop on nothing is a DropHit with no element.
//
// Frames: the drop point is in scene coordinates; the element's pick point, axis point, axis
// and edge directions and the face normal are in the hit part's own frame (the add-in carries
// them into the parent with the part's SizeboxToParentTransform).
#pragma once

#include <cstdint>
#include <vector>

#include "host/DragDropHook.h"
#include "host/reference/Math3.h"
#include "host/reference/SceneDocument.h"

namespace host::ref {

// A coordinate of the axis point or direction that does not fix the axis is reported as this.
inline constexpr double kUnusable = 1e30;

struct DropHit {
  std::int32_t elementType = 0;  // 2 an edge, 3 a face, 0 nothing
  std::int32_t geometryType =
      0;           // faces 1 plane, 2 cylinder, 4 cone, 11 revolution; edges 1 line, 2 circle
  Vec3 dropPoint;  // scene coordinates
  Vec3 pickPoint;
  Vec3 faceNormal;  // the normal of the hit face (of a face bounding the hit edge)
  Vec3 axisPoint;   // a point on the axis (cylinders, cones, circles)
  Vec3 axisDirection;
  Vec3 edgeDirection;
  double majorRadius = 0;
  std::vector<SceneShape*> path;  // root first, the hit part last
};

class RecordedDrop : public host::DragDropHook, private host::HitElement, private host::ShapePath {
 public:
  RecordedDrop(SceneDocument& document, DropHit hit);

  host::Page& Page() override { return document_; }
  host::ShapePath& ShapePath() override { return *this; }
  std::int32_t HitElementType() const override { return hit_.elementType; }
  host::HitElement& HitElement() override;
  double HitNormalX(std::int32_t) const override { return hit_.faceNormal.x; }
  double HitNormalY(std::int32_t) const override { return hit_.faceNormal.y; }
  double HitNormalZ(std::int32_t) const override { return hit_.faceNormal.z; }
  double HitPointX(std::int32_t) const override { return hit_.dropPoint.x; }
  double HitPointY(std::int32_t) const override { return hit_.dropPoint.y; }
  double HitPointZ(std::int32_t) const override { return hit_.dropPoint.z; }

  const DropHit& Hit() const { return hit_; }

 private:
  // The hit element.
  std::int32_t GeometryType() const override { return hit_.geometryType; }
  double PickPointX() const override { return hit_.pickPoint.x; }
  double PickPointY() const override { return hit_.pickPoint.y; }
  double PickPointZ() const override { return hit_.pickPoint.z; }
  double PointX() const override { return hit_.axisPoint.x; }
  double PointY() const override { return hit_.axisPoint.y; }
  double PointZ() const override { return hit_.axisPoint.z; }
  double NormalX() const override { return hit_.axisDirection.x; }
  double NormalY() const override { return hit_.axisDirection.y; }
  double NormalZ() const override { return hit_.axisDirection.z; }
  double DirectionX() const override { return hit_.edgeDirection.x; }
  double DirectionY() const override { return hit_.edgeDirection.y; }
  double DirectionZ() const override { return hit_.edgeDirection.z; }
  double MajorRadius() const override { return hit_.majorRadius; }
  host::Shape& Part(bool assembly) override;
  // The shape path.
  std::int32_t Count() const override;
  host::Shape& Item(std::int32_t index) override;

  SceneDocument& document_;
  DropHit hit_;
};

}  // namespace host::ref
