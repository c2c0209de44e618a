#include "scene/Scene.h"

#include <algorithm>
#include <cmath>

#include <glm/gtc/matrix_transform.hpp>

#include "world/MathKT.h"

namespace orvane {

// ---- meshes ---------------------------------------------------------------

void TMeshObject::GeometryChanged() {
  // Unique across all meshes: a new mesh made where a destroyed one stood never shows the
  // old one's revision.
  static uint64_t lastRevision = 0;
  Geometry = ++lastRevision;
  Changed();
}

void TMeshObject::ClearVertices() {
  VertexList.clear();
  GeometryChanged();
}

void TMeshObject::AddVertex(const TMeshVertex& vertex) {
  VertexList.push_back(vertex);
  GeometryChanged();
}

namespace {
// The unit normal of a triangle whose corners run counter-clockwise seen from its front.
glm::vec3 FaceNormal(const glm::vec3& a, const glm::vec3& b, const glm::vec3& c) {
  const glm::vec3 cross = glm::cross(b - a, c - a);
  const float length = glm::length(cross);
  return length > 0.0f ? cross / length : glm::vec3(0.0f, 1.0f, 0.0f);
}
}  // namespace

void TMeshObject::AddTriangle(const glm::vec3& a, const glm::vec3& b, const glm::vec3& c,
                              const TColor& color) {
  // The normal is known at once; BuildNormals finds the same.
  const glm::vec3 normal = FaceNormal(a, b, c);
  VertexList.push_back({a, normal, color});
  VertexList.push_back({b, normal, color});
  VertexList.push_back({c, normal, color});
  GeometryChanged();
}

void TMeshObject::BuildNormals() {
  for (size_t i = 0; i + 2 < VertexList.size(); i += 3) {
    const glm::vec3 normal =
        FaceNormal(VertexList[i].Position, VertexList[i + 1].Position, VertexList[i + 2].Position);
    for (size_t k = 0; k < 3; ++k)
      VertexList[i + k].Normal = normal;
  }
  GeometryChanged();
}

void TMeshObject::SetVertexColorAlpha(float alpha) {
  for (auto& vertex : VertexList)
    vertex.Color.a = alpha;
  GeometryChanged();
}

// ---- lights -----------------------------------------------------------------

void TLightSource::SetDiffuse(const TColor& color) {
  DiffuseColor = color;
  Changed();
}

void TLightSource::SetDiffuseRGB(float red, float green, float blue) {
  SetDiffuse({red, green, blue, DiffuseColor.a});
}

// ---- camera -------------------------------------------------------------------

void TCamera::SetDepthOfView(float depth) {
  Depth = depth;
  Changed();
}

namespace {
glm::vec3 TargetPositionOf(const TCamera& camera) {
  return camera.TargetObject ? camera.TargetObject->AbsolutePosition()
                             : camera.AbsolutePosition() + camera.Direction();
}

glm::vec3 SafeNormalize(const glm::vec3& v, const glm::vec3& fallback) {
  const float length = glm::length(v);
  return length > 1e-12f ? v / length : fallback;
}
}  // namespace

glm::vec3 TCamera::ForwardVector() const {
  return SafeNormalize(TargetPositionOf(*this) - AbsolutePosition(), glm::vec3(0, 0, 1));
}

glm::vec3 TCamera::RightVector() const {
  return SafeNormalize(glm::cross(ForwardVector(), Up()), glm::vec3(1, 0, 0));
}

glm::vec3 TCamera::UpwardVector() const {
  return glm::cross(RightVector(), ForwardVector());
}

void TCamera::MoveAroundTarget(float pitchDelta, float turnDelta) {
  const glm::vec3 target = TargetPositionOf(*this);
  const glm::vec3 offset = Position() - target;  // the camera's place seen from the target
  const float distance = glm::length(offset);
  if (distance <= 0.0f) return;
  const glm::vec3 up = SafeNormalize(Up(), glm::vec3(0, 1, 0));

  // Pitch: the angle between the up axis and the offset, kept away from the poles. A positive
  // pitch lowers the camera, so that a view whose target sits just in front of the eye looks up.
  constexpr float Margin = 0.025f;
  const float pitchNow = std::acos(std::clamp(glm::dot(offset / distance, up), -1.0f, 1.0f));
  const float pitchNew =
      std::clamp(pitchNow + glm::radians(pitchDelta), Margin, glm::pi<float>() - Margin);
  glm::vec3 horizontal = offset - glm::dot(offset, up) * up;
  horizontal = SafeNormalize(horizontal, glm::vec3(0, 0, -1));
  const glm::mat4 turn = glm::rotate(glm::mat4(1.0f), glm::radians(turnDelta), up);
  horizontal = glm::vec3(turn * glm::vec4(horizontal, 0.0f));
  const glm::vec3 newOffset =
      distance * (std::cos(pitchNew) * up + std::sin(pitchNew) * horizontal);
  SetPosition(Position() + (newOffset - offset));
}

glm::vec3 TCamera::EyeSpaceOffset(float forward, float right, float up) const {
  return forward * ForwardVector() + right * RightVector() + up * UpwardVector();
}

void TCamera::MoveInEyeSpace(float forward, float right, float up) {
  SetPosition(Position() + EyeSpaceOffset(forward, right, up));
}

void TCamera::MoveTargetInEyeSpace(float forward, float right, float up) {
  if (!TargetObject) return;
  TargetObject->SetPosition(TargetObject->Position() + EyeSpaceOffset(forward, right, up));
}

// ---- viewer -------------------------------------------------------------------

uint32_t ColorNumber(const TColor& color) {
  auto channel = [](float c) {
    return static_cast<uint32_t>(std::clamp(RoundHalfEven(c * 256.0), 0.0, 255.0));
  };
  return channel(color.r) + channel(color.g) * 256u + channel(color.b) * 65536u;
}

TColor ColourOfNumber(uint32_t number) {
  auto channel = [number](int shift) { return float((number >> shift) & 0xFFu) / 255.0f; };
  return {channel(0), channel(8), channel(16), 1.0f};
}

float FocalLengthFor(float fieldOfViewDegrees, int extent) {
  return static_cast<float>(extent / (2.0 * std::tan(glm::radians(fieldOfViewDegrees) / 2.0)));
}

void TSceneViewer::SetFieldOfView(float degrees) {
  if (!Camera) return;
  Camera->FocalLength = FocalLengthFor(degrees, std::min(Width, Height));
  Camera->SetDepthOfView(Camera->DepthOfView());  // announce the change
}

float TSceneViewer::FieldOfView() const {
  if (!Camera || Camera->FocalLength <= 0.0f) return 0.0f;
  const int extent = std::min(Width, Height);
  return glm::degrees(2.0f * std::atan(extent / (2.0f * Camera->FocalLength)));
}

// ---- the scene -----------------------------------------------------------------

TScene::TScene() : RootObject(std::make_unique<TDummyCube>(*this)) {
  RootObject->Name = "GLScene1";
  GLLightSource1 = RootObject->AddNewChild<TLightSource>();
  GLLightSource1->Name = "GLLightSource1";
  GLLightSource1->SetPosition({70.0f, 50.0f, 30.0f});
  GLLightSource1->ConstantAttenuation = 1.0f;
  GLLightSource1->LinearAttenuation = 0.002f;
  GLLightSource1->QuadraticAttenuation = 0.0005f;
  GLLightSource1->SetDiffuse({0.95f, 0.95f, 0.95f, 1.0f});
  GLLightSource1->Specular = {1.0f, 1.0f, 1.0f, 1.0f};
  GLLightSource1->SpotCutOff = 180.0f;
  GLLightSource1->SpotDirection = {-0.2f, -1.0f, -0.3f};

  DummyCube1 = RootObject->AddNewChild<TDummyCube>();
  DummyCube1->Name = "DummyCube1";
  DummyCube1->CubeSize = 10.0f;
  DummyCube1->SetVisible(false);

  DummyCube2 = RootObject->AddNewChild<TDummyCube>();
  DummyCube2->Name = "DummyCube2";
  DummyCube2->SetVisible(false);

  GLFreeForm1 = RootObject->AddNewChild<TFreeForm>();
  GLFreeForm1->Name = "GLFreeForm1";
  Mesh1 = GLFreeForm1->AddNewChild<TMeshObject>();
  Mesh1->Name = "Mesh1";
  Mesh1->EditMaterial().Shininess = 128.0f;
  Mesh1->EditMaterial().Specular = {0.4f, 0.4f, 0.4f, 0.0f};

  GLLines1 = RootObject->AddNewChild<TLines>();
  GLLines1->Name = "GLLines1";

  GLLightSource3 = RootObject->AddNewChild<TLightSource>();
  GLLightSource3->Name = "GLLightSource3";
  GLLightSource3->ConstantAttenuation = 1.0f;
  GLLightSource3->SpotCutOff = 180.0f;

  GLCamera1 = RootObject->AddNewChild<TCamera>();
  GLCamera1->Name = "GLCamera1";
  GLCamera1->TargetObject = DummyCube1;
  GLCamera1->SetDepthOfView(160.0f);
  GLCamera1->FocalLength = 245.5f;
  GLCamera1->NearPlaneBias = 0.05f;
  GLCamera1->SetPosition({0.0f, 1.0f, -1.0f});
  GLCamera1->SetUp({0.0f, 1.0f, 0.0f});

  GLSceneViewer1.Camera = GLCamera1;
  GLSceneViewer1.SetFieldOfView(42.71484375f);
}

TScene::~TScene() {
  Listener = nullptr;
  RootObject.reset();
}

void TScene::BeginUpdate() {
  ++UpdateCount;
}

void TScene::EndUpdate() {
  if (UpdateCount == 0) return;
  if (--UpdateCount == 0 && ChangePending) {
    ChangePending = false;
    ObjectChanged();
  }
}

void TScene::ObjectChanged() {
  if (UpdateCount > 0) {
    ChangePending = true;
    return;
  }
  ++Changes;
  if (Listener) Listener();
}

void TScene::ObjectDestroyed(TSceneObject* object) {
  if (object == GLLightSource1) GLLightSource1 = nullptr;
  if (object == DummyCube1) DummyCube1 = nullptr;
  if (object == DummyCube2) DummyCube2 = nullptr;
  if (object == GLFreeForm1) GLFreeForm1 = nullptr;
  if (object == Mesh1) Mesh1 = nullptr;
  if (object == GLLines1) GLLines1 = nullptr;
  if (object == GLLightSource3) GLLightSource3 = nullptr;
  if (object == GLCamera1) {
    GLCamera1 = nullptr;
    GLSceneViewer1.Camera = nullptr;
  }
  if (GLCamera1 && GLCamera1->TargetObject == object) GLCamera1->TargetObject = nullptr;
}

}  // namespace orvane
