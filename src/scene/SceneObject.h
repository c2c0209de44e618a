#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include <glm/glm.hpp>

namespace orvane {

using TColor = glm::vec4;  // red, green, blue, alpha

class TScene;

enum class TSceneObjectKind { Dummy, FreeForm, Mesh, Cylinder, Cone, Light, Camera, Lines };

enum class TBlendingMode { Opaque, Transparency };

struct TMaterial {
  TColor Ambient{0.2f, 0.2f, 0.2f, 1.0f};
  TColor Diffuse{0.8f, 0.8f, 0.8f, 1.0f};
  TColor Specular{0.0f, 0.0f, 0.0f, 1.0f};
  TColor Emission{0.0f, 0.0f, 0.0f, 1.0f};
  float Shininess = 0.0f;
  TBlendingMode BlendingMode = TBlendingMode::Opaque;
  int MaterialOptions = 0;
};

// One object of the retained scene: a node of the tree with its place, its turn about
// the vertical axis, its scale, its material and its children, which it owns.
// Every change marks the object (its Revision grows) and is announced to the scene,
// once per outermost BeginUpdate/EndUpdate bracket.
class TSceneObject {
 public:
  TSceneObject(TScene& scene, TSceneObjectKind kind);
  virtual ~TSceneObject();
  TSceneObject(const TSceneObject&) = delete;
  TSceneObject& operator=(const TSceneObject&) = delete;

  TSceneObjectKind Kind() const { return ObjectKind; }
  TScene& Scene() const { return OwnerScene; }
  TSceneObject* Parent() const { return ParentObject; }

  std::string Name;
  int Tag = 0;

  bool Visible() const { return IsVisible; }
  void SetVisible(bool visible);

  const glm::vec3& Position() const { return PositionVector; }
  void SetPosition(const glm::vec3& position);
  void SetPositionComponent(int index, float value);
  const glm::vec3& Direction() const { return DirectionVector; }
  void SetDirection(const glm::vec3& direction);
  const glm::vec3& Up() const { return UpVector; }
  void SetUp(const glm::vec3& up);
  const glm::vec3& Scale() const { return ScaleVector; }
  void SetScale(const glm::vec3& scale);

  // The absolute turn about the vertical axis, in degrees: a turn of a maps the object's
  // front (+Z) onto the landscape direction a, measured from +Z towards +X.
  float TurnAngle() const { return Turn; }
  void SetTurnAngle(float degrees);
  // Turns the object about its own up axis by a further angle.
  void TurnBy(float degrees) { SetTurnAngle(Turn + degrees); }

  const TMaterial& Material() const { return ObjectMaterial; }
  TMaterial& EditMaterial();  // marks the object changed

  // Children: owned, in creation order.
  int Count() const { return static_cast<int>(Children.size()); }
  TSceneObject* Child(int index) const;
  // Creates a child of the given class; nullptr when the scene refuses (see TScene).
  template <class T>
  T* AddNewChild();
  void DestroyChild(int index);
  bool DestroyChild(TSceneObject* child);
  void DestroyChildren();

  // Nested update brackets: changes inside are announced once, at the outermost end.
  void BeginUpdate();
  void EndUpdate();

  // Grows with every change of the object itself (not of its children).
  uint64_t Revision() const { return ObjectRevision; }

  glm::mat4 LocalMatrix() const;
  glm::mat4 AbsoluteMatrix() const;
  glm::vec3 AbsolutePosition() const;

 protected:
  void Changed();

 private:
  TSceneObject* AdoptChild(std::unique_ptr<TSceneObject> child);

  TScene& OwnerScene;
  TSceneObjectKind ObjectKind;
  TSceneObject* ParentObject = nullptr;
  std::vector<std::unique_ptr<TSceneObject>> Children;
  bool IsVisible = true;
  glm::vec3 PositionVector{0.0f};
  glm::vec3 DirectionVector{0.0f, 0.0f, 1.0f};
  glm::vec3 UpVector{0.0f, 1.0f, 0.0f};
  glm::vec3 ScaleVector{1.0f};
  float Turn = 0.0f;
  TMaterial ObjectMaterial;
  int UpdateCount = 0;
  bool ChangePending = false;
  uint64_t ObjectRevision = 0;
};

// Holds an object's update bracket open for one scope.
class TUpdateBracket {
 public:
  explicit TUpdateBracket(TSceneObject& object) : Object(object) { Object.BeginUpdate(); }
  ~TUpdateBracket() { Object.EndUpdate(); }
  TUpdateBracket(const TUpdateBracket&) = delete;
  TUpdateBracket& operator=(const TUpdateBracket&) = delete;

 private:
  TSceneObject& Object;
};

class TDummyCube : public TSceneObject {
 public:
  static constexpr TSceneObjectKind ClassKind = TSceneObjectKind::Dummy;
  explicit TDummyCube(TScene& scene) : TSceneObject(scene, ClassKind) {}
  float CubeSize = 1.0f;
};

class TFreeForm : public TSceneObject {
 public:
  static constexpr TSceneObjectKind ClassKind = TSceneObjectKind::FreeForm;
  explicit TFreeForm(TScene& scene) : TSceneObject(scene, ClassKind) {}
};

class TLines : public TSceneObject {
 public:
  static constexpr TSceneObjectKind ClassKind = TSceneObjectKind::Lines;
  explicit TLines(TScene& scene) : TSceneObject(scene, ClassKind) {}
  float NodeSize = 0.05f;
  bool AntiAliased = true;
};

}  // namespace orvane
