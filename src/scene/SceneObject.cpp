#include "scene/SceneObject.h"

#include <algorithm>
#include <stdexcept>

#include <glm/gtc/matrix_transform.hpp>

#include "scene/Scene.h"

namespace orvane {

TSceneObject::TSceneObject(TScene& scene, TSceneObjectKind kind)
    : OwnerScene(scene), ObjectKind(kind) {}

TSceneObject::~TSceneObject() {
  Children.clear();
  OwnerScene.ObjectDestroyed(this);
}

void TSceneObject::Changed() {
  ++ObjectRevision;
  if (UpdateCount > 0) {
    ChangePending = true;
    return;
  }
  OwnerScene.ObjectChanged();
}

void TSceneObject::BeginUpdate() {
  ++UpdateCount;
}

void TSceneObject::EndUpdate() {
  if (UpdateCount == 0) return;
  if (--UpdateCount == 0 && ChangePending) {
    ChangePending = false;
    OwnerScene.ObjectChanged();
  }
}

void TSceneObject::SetVisible(bool visible) {
  if (IsVisible == visible) return;
  IsVisible = visible;
  Changed();
}

void TSceneObject::SetPosition(const glm::vec3& position) {
  PositionVector = position;
  Changed();
}

void TSceneObject::SetPositionComponent(int index, float value) {
  if (index < 0 || index > 3) throw std::out_of_range("position component");
  if (index < 3) PositionVector[index] = value;  // a position's W is always 1
  Changed();
}

void TSceneObject::SetDirection(const glm::vec3& direction) {
  DirectionVector = direction;
  Changed();
}

void TSceneObject::SetUp(const glm::vec3& up) {
  UpVector = up;
  Changed();
}

void TSceneObject::SetScale(const glm::vec3& scale) {
  ScaleVector = scale;
  Changed();
}

void TSceneObject::SetTurnAngle(float degrees) {
  Turn = degrees;
  Changed();
}

TMaterial& TSceneObject::EditMaterial() {
  Changed();
  return ObjectMaterial;
}

TSceneObject* TSceneObject::Child(int index) const {
  if (index < 0 || index >= Count()) throw std::out_of_range("scene object child index");
  return Children[static_cast<size_t>(index)].get();
}

TSceneObject* TSceneObject::AdoptChild(std::unique_ptr<TSceneObject> child) {
  child->ParentObject = this;
  Children.push_back(std::move(child));
  OwnerScene.ObjectChanged();
  return Children.back().get();
}

void TSceneObject::DestroyChild(int index) {
  if (index < 0 || index >= Count()) throw std::out_of_range("scene object child index");
  Children.erase(Children.begin() + index);
  OwnerScene.ObjectChanged();
}

bool TSceneObject::DestroyChild(TSceneObject* child) {
  // Recently made objects are the likeliest to go first: search from the end.
  for (int i = Count() - 1; i >= 0; --i) {
    if (Children[static_cast<size_t>(i)].get() == child) {
      DestroyChild(i);
      return true;
    }
  }
  return false;
}

void TSceneObject::DestroyChildren() {
  while (!Children.empty())
    Children.pop_back();
  OwnerScene.ObjectChanged();
}

glm::mat4 TSceneObject::LocalMatrix() const {
  glm::mat4 m = glm::translate(glm::mat4(1.0f), PositionVector);
  m = glm::rotate(m, glm::radians(Turn), glm::vec3(0.0f, 1.0f, 0.0f));
  return glm::scale(m, ScaleVector);
}

glm::mat4 TSceneObject::AbsoluteMatrix() const {
  return ParentObject ? ParentObject->AbsoluteMatrix() * LocalMatrix() : LocalMatrix();
}

glm::vec3 TSceneObject::AbsolutePosition() const {
  if (!ParentObject) return PositionVector;
  return glm::vec3(ParentObject->AbsoluteMatrix() * glm::vec4(PositionVector, 1.0f));
}

}  // namespace orvane
