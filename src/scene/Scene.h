#pragma once

#include <cstdint>
#include <functional>
#include <memory>

#include "scene/ColourNumbers.h"
#include "scene/SceneObject.h"

namespace orvane {

// A mesh vertex; the game uses no textures, so no texture point is kept.
struct TMeshVertex {
  glm::vec3 Position{0.0f};
  glm::vec3 Normal{0.0f};
  TColor Color{0.0f};
};

enum class TMeshMode { Triangles };
enum class TMeshVertexMode { PositionNormalColor };

// A triangle mesh: three vertices per triangle, not shared.
class TMeshObject : public TSceneObject {
 public:
  static constexpr TSceneObjectKind ClassKind = TSceneObjectKind::Mesh;
  explicit TMeshObject(TScene& scene) : TSceneObject(scene, ClassKind) {}

  TMeshMode Mode = TMeshMode::Triangles;
  TMeshVertexMode VertexMode = TMeshVertexMode::PositionNormalColor;

  const std::vector<TMeshVertex>& Vertices() const { return VertexList; }
  void ClearVertices();
  void ReserveVertices(size_t count) { VertexList.reserve(count); }
  void AddVertex(const TMeshVertex& vertex);
  // Adds three vertices of one colour, with the triangle's normal already worked out.
  void AddTriangle(const glm::vec3& a, const glm::vec3& b, const glm::vec3& c, const TColor& color);
  // Every vertex gets the unit normal of its triangle, counter-clockwise faces being front.
  void BuildNormals();
  void SetVertexColorAlpha(float alpha);
  int TriangleCount() const { return static_cast<int>(VertexList.size() / 3); }

  // Grows whenever the vertex list changes: a renderer uploads the mesh again only then.
  uint64_t GeometryRevision() const { return Geometry; }

 private:
  void GeometryChanged();
  std::vector<TMeshVertex> VertexList;
  uint64_t Geometry = 0;
};

enum TQuadricPart : unsigned { qpSides = 1, qpTop = 2, qpBottom = 4 };

// A cylinder of radius 0.5 at top and bottom before scaling, centred on its position.
class TCylinder : public TSceneObject {
 public:
  static constexpr TSceneObjectKind ClassKind = TSceneObjectKind::Cylinder;
  explicit TCylinder(TScene& scene) : TSceneObject(scene, ClassKind) {}
  float TopRadius = 0.5f;
  float BottomRadius = 0.5f;
  float Height = 1.0f;
  int Slices = 16;
  int Stacks = 4;
  int Loops = 1;
  unsigned Parts = qpSides | qpTop | qpBottom;
};

// A cone of base radius 0.5 before scaling, centred on its position.
class TCone : public TSceneObject {
 public:
  static constexpr TSceneObjectKind ClassKind = TSceneObjectKind::Cone;
  explicit TCone(TScene& scene) : TSceneObject(scene, ClassKind) {}
  float BottomRadius = 0.5f;
  float Height = 1.0f;
  int Slices = 16;
  int Stacks = 4;
  int Loops = 1;
  unsigned Parts = qpSides | qpBottom;
};

// An omni light.
class TLightSource : public TSceneObject {
 public:
  static constexpr TSceneObjectKind ClassKind = TSceneObjectKind::Light;
  explicit TLightSource(TScene& scene) : TSceneObject(scene, ClassKind) {}

  const TColor& Diffuse() const { return DiffuseColor; }
  void SetDiffuse(const TColor& color);
  void SetDiffuseRGB(float red, float green, float blue);
  TColor Ambient{0.0f, 0.0f, 0.0f, 1.0f};
  TColor Specular{0.0f, 0.0f, 0.0f, 1.0f};
  float ConstantAttenuation = 1.0f;
  float LinearAttenuation = 0.0f;
  float QuadraticAttenuation = 0.0f;
  float SpotCutOff = 180.0f;
  glm::vec3 SpotDirection{0.0f, 0.0f, -1.0f};

 private:
  TColor DiffuseColor{1.0f, 1.0f, 1.0f, 1.0f};
};

// A camera that looks at its target object.
class TCamera : public TSceneObject {
 public:
  static constexpr TSceneObjectKind ClassKind = TSceneObjectKind::Camera;
  explicit TCamera(TScene& scene) : TSceneObject(scene, ClassKind) {}

  TSceneObject* TargetObject = nullptr;
  float FocalLength = 245.5f;
  float NearPlaneBias = 0.05f;

  float DepthOfView() const { return Depth; }
  void SetDepthOfView(float depth);

  // Orbits about the target by a pitch and a turn (degrees), keeping the distance to it.
  // A positive turn carries the camera counter-clockwise seen from above; a positive
  // pitch lifts it. The pitch stops short of straight above or below the target.
  void MoveAroundTarget(float pitchDelta, float turnDelta);
  // Moves along the camera's own axes: forward towards the target, right, and up.
  void MoveInEyeSpace(float forward, float right, float up);
  // Moves the target along the camera's own axes.
  void MoveTargetInEyeSpace(float forward, float right, float up);

  // The unit vectors of the camera's own axes, from its position towards its target.
  glm::vec3 ForwardVector() const;
  glm::vec3 RightVector() const;
  glm::vec3 UpwardVector() const;

 private:
  glm::vec3 EyeSpaceOffset(float forward, float right, float up) const;
  float Depth = 160.0f;
};

enum class TFogMode { Linear, Exponential, Exponential2 };

struct TFogEnvironment {
  TColor Color{0.651f, 0.792f, 0.941f, 0.1f};  // the alpha is the density in exponential mode
  float Start = 4.0f;
  float End = 100.0f;
  TFogMode Mode = TFogMode::Exponential;
};

enum TAntiAliasing : int { aaDefault = 0, aaNone, aa2x, aa2xHQ, aa4x, aa4xHQ };
enum class TVSyncMode { vsmSync, vsmNoSync };

// What the viewer shows and how: its camera, its area in the window, and its buffer.
struct TSceneViewer {
  TCamera* Camera = nullptr;
  TVSyncMode VSync = TVSyncMode::vsmSync;
  int Left = 0;
  int Top = 0;
  int Width = 541;
  int Height = 353;
  uint32_t BackgroundColor = clSkyBlue;
  TColor AmbientColor{0.0f, 0.0f, 0.0f, 1.0f};
  bool FogEnable = true;
  TFogEnvironment Fog;
  TAntiAliasing AntiAliasing = aaNone;

  // The angle spans the smaller of the viewer's width and height.
  void SetFieldOfView(float degrees);
  float FieldOfView() const;
};

// The focal length, in pixels, that makes a field of view span the given pixel extent.
float FocalLengthFor(float fieldOfViewDegrees, int extent);

// The main window's scene: its design-time objects, built by the constructor, and the
// viewer that renders it. Objects made at run time hang below DummyCube2.
class TScene {
 public:
  TScene();
  ~TScene();
  TScene(const TScene&) = delete;
  TScene& operator=(const TScene&) = delete;

  TSceneObject& Root() { return *RootObject; }

  TLightSource* GLLightSource1 = nullptr;
  TDummyCube* DummyCube1 = nullptr;
  TDummyCube* DummyCube2 = nullptr;
  TFreeForm* GLFreeForm1 = nullptr;
  TMeshObject* Mesh1 = nullptr;
  TLines* GLLines1 = nullptr;
  TLightSource* GLLightSource3 = nullptr;
  TCamera* GLCamera1 = nullptr;
  TSceneViewer GLSceneViewer1;
  bool SortFarthestFirst = false;

  // Nested update bracket of the whole scene.
  void BeginUpdate();
  void EndUpdate();
  // Changes announced so far; each announcement asks for one redraw.
  uint64_t ChangeCount() const { return Changes; }
  void SetChangeListener(std::function<void()> listener) { Listener = std::move(listener); }

  // Objects may refuse to be made (running out of resources); a test can make them refuse.
  void SetCreationRefusal(std::function<bool(TSceneObjectKind)> refuse) {
    Refuse = std::move(refuse);
  }
  bool MayCreate(TSceneObjectKind kind) const { return !Refuse || !Refuse(kind); }

  // Called by objects: an object was changed, or is about to go.
  void ObjectChanged();
  void ObjectDestroyed(TSceneObject* object);

 private:
  std::unique_ptr<TSceneObject> RootObject;
  int UpdateCount = 0;
  bool ChangePending = false;
  uint64_t Changes = 0;
  std::function<void()> Listener;
  std::function<bool(TSceneObjectKind)> Refuse;
};

template <class T>
T* TSceneObject::AddNewChild() {
  if (!OwnerScene.MayCreate(T::ClassKind)) return nullptr;
  return static_cast<T*>(AdoptChild(std::make_unique<T>(OwnerScene)));
}

}  // namespace orvane
