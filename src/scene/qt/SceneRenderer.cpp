#include "scene/qt/SceneRenderer.h"

#include <algorithm>
#include <cmath>

#include <QOpenGLShaderProgram>
#include <glm/gtc/matrix_inverse.hpp>
#include <glm/gtc/matrix_transform.hpp>
#include <glm/gtc/type_ptr.hpp>

#include "scene/qt/SceneShaders.h"

namespace orvane {

// Where the shaders keep their uniforms.
struct TSceneRenderer::TUniforms {
  explicit TUniforms(QOpenGLShaderProgram& shaders);
  GLint Model, NormalMatrix, ViewProjection, Eye, SceneAmbient;
  GLint UseVertexColour, MaterialAmbient, MaterialDiffuse, MaterialSpecular, MaterialEmission,
      Shininess, Blended;
  GLint LightPosition, LightAmbient, LightDiffuse, LightSpecular, LightAttenuation;
  GLint FogMode, FogColour, FogDensity, FogStart, FogEnd;
};

TSceneRenderer::TUniforms::TUniforms(QOpenGLShaderProgram& shaders)
    : Model(shaders.uniformLocation("Model")),
      NormalMatrix(shaders.uniformLocation("NormalMatrix")),
      ViewProjection(shaders.uniformLocation("ViewProjection")),
      Eye(shaders.uniformLocation("Eye")),
      SceneAmbient(shaders.uniformLocation("SceneAmbient")),
      UseVertexColour(shaders.uniformLocation("UseVertexColour")),
      MaterialAmbient(shaders.uniformLocation("MaterialAmbient")),
      MaterialDiffuse(shaders.uniformLocation("MaterialDiffuse")),
      MaterialSpecular(shaders.uniformLocation("MaterialSpecular")),
      MaterialEmission(shaders.uniformLocation("MaterialEmission")),
      Shininess(shaders.uniformLocation("Shininess")),
      Blended(shaders.uniformLocation("Blended")),
      LightPosition(shaders.uniformLocation("LightPosition")),
      LightAmbient(shaders.uniformLocation("LightAmbient")),
      LightDiffuse(shaders.uniformLocation("LightDiffuse")),
      LightSpecular(shaders.uniformLocation("LightSpecular")),
      LightAttenuation(shaders.uniformLocation("LightAttenuation")),
      FogMode(shaders.uniformLocation("FogMode")),
      FogColour(shaders.uniformLocation("FogColour")),
      FogDensity(shaders.uniformLocation("FogDensity")),
      FogStart(shaders.uniformLocation("FogStart")),
      FogEnd(shaders.uniformLocation("FogEnd")) {}

namespace {

glm::vec3 BackgroundColour(uint32_t number) {
  return glm::vec3(ColourOfNumber(number));
}

// Whether a box may show: false only when all its corners lie beyond one plane of the view.
bool MayBeInView(const glm::mat4& clipFromModel, const glm::vec3& low, const glm::vec3& high) {
  glm::vec4 corners[8];
  for (int i = 0; i < 8; ++i)
    corners[i] = clipFromModel * glm::vec4(i & 1 ? high.x : low.x, i & 2 ? high.y : low.y,
                                           i & 4 ? high.z : low.z, 1.0f);
  for (int axis = 0; axis < 3; ++axis)
    for (const float side : {-1.0f, 1.0f}) {
      bool allBeyond = true;
      for (const glm::vec4& c : corners)
        allBeyond = allBeyond && side * c[axis] > c.w;
      if (allBeyond) return false;
    }
  return true;
}

bool IsContainer(TSceneObjectKind kind) {
  return kind == TSceneObjectKind::Dummy || kind == TSceneObjectKind::FreeForm;
}

}  // namespace

TSceneRenderer::TSceneRenderer() = default;
TSceneRenderer::~TSceneRenderer() = default;

bool TSceneRenderer::Initialise() {
  Release();
  if (!initializeOpenGLFunctions()) return false;
  Initialised = true;
  // The landscape's two lights, the first with a highlight: the usual programme, and a test
  // that the shaders build at all.
  if (!ProgrammeFor(2, 1u)) {
    Initialised = false;
    return false;
  }
  return true;
}

TSceneRenderer::TProgramme* TSceneRenderer::ProgrammeFor(int lightCount, unsigned specularLights) {
  const unsigned key = static_cast<unsigned>(lightCount) | specularLights << 8;
  if (const auto found = Programmes.find(key); found != Programmes.end())
    return found->second.Shaders ? &found->second : nullptr;
  TProgramme& programme = Programmes[key];  // kept empty when the shaders do not build
  auto shaders = std::make_unique<QOpenGLShaderProgram>();
  const std::string vertexShader = SceneVertexShader(lightCount, specularLights);
  if (!shaders->addShaderFromSourceCode(QOpenGLShader::Vertex, vertexShader.c_str()) ||
      !shaders->addShaderFromSourceCode(QOpenGLShader::Fragment, SceneFragmentShader) ||
      !shaders->link()) {
    qWarning("Scene renderer: %s", qPrintable(shaders->log()));
    return nullptr;
  }
  programme.Uniform = std::make_unique<TUniforms>(*shaders);
  programme.Shaders = std::move(shaders);
  return &programme;
}

void TSceneRenderer::Release() {
  if (!Initialised) return;
  Buffers.Release(*this);
  Programmes.clear();
  Active = nullptr;
  Uniform = nullptr;
  Initialised = false;
}

// ---- the frame ------------------------------------------------------------------------

void TSceneRenderer::Render(TScene& scene, int width, int height, double pixelRatio) {
  if (!Initialised) return;
  width = std::max(width, 1);
  height = std::max(height, 1);
  glViewport(0, 0, width, height);
  glDepthMask(GL_TRUE);
  glDisable(GL_BLEND);
  const glm::vec3 background = BackgroundColour(scene.GLSceneViewer1.BackgroundColor);
  glClearColor(background.r, background.g, background.b, 1.0f);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);

  SetUpCamera(scene, width, height, pixelRatio);
  Opaque.clear();
  Blended.clear();
  Lights.clear();
  LightPositions.clear();
  // A scene drawn without a camera would show nothing meaningful: only its background.
  const bool viewed = scene.GLSceneViewer1.Camera != nullptr;
  Collect(scene.Root(), glm::mat4(1.0f), viewed);

  unsigned specularLights = 0;
  for (size_t i = 0; i < Lights.size(); ++i)
    if (glm::vec3(Lights[i]->Specular) != glm::vec3(0.0f)) specularLights |= 1u << i;
  Active = ProgrammeFor(static_cast<int>(Lights.size()), specularLights);
  if (!Active) return;  // said once, when it failed to build: the frame keeps its background
  Uniform = Active->Uniform.get();

  glEnable(GL_DEPTH_TEST);
  glDepthFunc(GL_LEQUAL);
  glEnable(GL_CULL_FACE);
  glCullFace(GL_BACK);
  Active->Shaders->bind();
  SetFrameUniforms(scene);
  for (const TDrawItem& item : Opaque)
    Draw(item, false);

  // Blended surfaces over the opaque ones, farthest first, leaving the depths as they are.
  std::stable_sort(Blended.begin(), Blended.end(),
                   [](const TDrawItem& a, const TDrawItem& b) { return a.Distance > b.Distance; });
  glEnable(GL_BLEND);
  // The destination keeps an alpha of 1, so a snapshot of the frame is opaque.
  glBlendFuncSeparate(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA, GL_ONE, GL_ONE_MINUS_SRC_ALPHA);
  glDepthMask(GL_FALSE);
  for (const TDrawItem& item : Blended)
    Draw(item, true);
  glDepthMask(GL_TRUE);
  glDisable(GL_BLEND);

  glBindVertexArray(0);
  Active->Shaders->release();
  Buffers.EndFrame(*this);
}

void TSceneRenderer::SetUpCamera(const TScene& scene, int width, int height, double pixelRatio) {
  const TCamera* camera = scene.GLSceneViewer1.Camera;
  if (!camera) {
    ProjectionMatrix = ViewMatrix = ClipFromWorld = glm::mat4(1.0f);
    Eye = glm::vec3(0.0f);
    return;
  }
  Eye = camera->AbsolutePosition();
  const glm::vec3 target =
      camera->TargetObject ? camera->TargetObject->AbsolutePosition() : Eye + camera->Direction();
  glm::vec3 forward = target - Eye;
  if (glm::length(forward) < 1e-6f) forward = glm::vec3(0.0f, 0.0f, 1.0f);
  glm::vec3 up = camera->Up();
  if (glm::length(glm::cross(glm::normalize(forward), up)) < 1e-6f)
    up = std::abs(forward.y) > std::abs(forward.z) ? glm::vec3(0, 0, 1) : glm::vec3(0, 1, 0);
  ViewMatrix = glm::lookAt(Eye, Eye + forward, up);

  // The focal length is in the viewer's pixels, as its size is: half the viewport's height,
  // in the same pixels, subtends half the angle.
  const double viewerHeight = height / std::max(pixelRatio, 1e-3);
  const float fieldOfView =
      camera->FocalLength > 0.0f
          ? static_cast<float>(2.0 * std::atan(viewerHeight / (2.0 * camera->FocalLength)))
          : glm::radians(60.0f);
  const float farPlane = std::max(camera->DepthOfView(), 2.0f * NearPlane);
  ProjectionMatrix =
      glm::perspective(fieldOfView, static_cast<float>(width) / height, NearPlane, farPlane);
  ClipFromWorld = ProjectionMatrix * ViewMatrix;
}

// Walks the tree. A dummy cube or free form is a container: hiding it hides only itself,
// which is never drawn anyway, while hiding any other object hides its children too.
// Hidden meshes keep their GPU buffers.
void TSceneRenderer::Collect(const TSceneObject& object, const glm::mat4& parentMatrix,
                             bool shown) {
  const glm::mat4 model = parentMatrix * object.LocalMatrix();
  shown = shown && (object.Visible() || IsContainer(object.Kind()));
  switch (object.Kind()) {
    case TSceneObjectKind::Mesh:
      CollectMesh(static_cast<const TMeshObject&>(object), model, shown);
      break;
    case TSceneObjectKind::Cylinder:
    case TSceneObjectKind::Cone:
      if (shown) CollectQuadric(object, model);
      break;
    case TSceneObjectKind::Light:
      if (shown) CollectLight(static_cast<const TLightSource&>(object));
      break;
    default:
      break;
  }
  for (int i = 0; i < object.Count(); ++i)
    Collect(*object.Child(i), model, shown);
}

void TSceneRenderer::CollectMesh(const TMeshObject& mesh, const glm::mat4& model, bool shown) {
  if (!shown) {
    Buffers.Keep(mesh);
    return;
  }
  const TGeometryBuffer* geometry = Buffers.Mesh(*this, mesh);
  if (!geometry) return;
  if (!MayBeInView(ClipFromWorld * model, geometry->Min, geometry->Max)) return;
  const bool blended = mesh.Material().BlendingMode == TBlendingMode::Transparency;
  (blended ? Blended : Opaque)
      .push_back({&mesh, model, geometry, true, glm::length(glm::vec3(model[3]) - Eye)});
}

// Cylinders and cones are drawn from shapes of height 1, stretched to their height.
void TSceneRenderer::CollectQuadric(const TSceneObject& object, const glm::mat4& model) {
  const TGeometryBuffer* geometry = nullptr;
  float height = 1.0f;
  if (object.Kind() == TSceneObjectKind::Cylinder) {
    const auto& cylinder = static_cast<const TCylinder&>(object);
    geometry = &Buffers.Quadric(*this, cylinder.Slices, cylinder.Parts, cylinder.BottomRadius,
                                cylinder.TopRadius);
    height = cylinder.Height;
  } else {
    const auto& cone = static_cast<const TCone&>(object);
    geometry = &Buffers.Quadric(*this, cone.Slices, cone.Parts, cone.BottomRadius, 0.0f);
    height = cone.Height;
  }
  if (geometry->Count == 0 || height == 0.0f) return;
  const glm::mat4 stretched = glm::scale(model, glm::vec3(1.0f, height, 1.0f));
  if (!MayBeInView(ClipFromWorld * stretched, geometry->Min, geometry->Max)) return;
  const bool blended = object.Material().BlendingMode == TBlendingMode::Transparency;
  (blended ? Blended : Opaque)
      .push_back({&object, stretched, geometry, false, glm::length(glm::vec3(model[3]) - Eye)});
}

void TSceneRenderer::CollectLight(const TLightSource& light) {
  if (static_cast<int>(Lights.size()) >= MaxSceneLights) return;
  Lights.push_back(&light);
  LightPositions.push_back(light.AbsolutePosition());
}

// ---- drawing --------------------------------------------------------------------------

void TSceneRenderer::SetFrameUniforms(const TScene& scene) {
  const TSceneViewer& viewer = scene.GLSceneViewer1;
  const glm::mat4 viewProjection = ProjectionMatrix * ViewMatrix;
  glUniformMatrix4fv(Uniform->ViewProjection, 1, GL_FALSE, glm::value_ptr(viewProjection));
  glUniform3fv(Uniform->Eye, 1, glm::value_ptr(Eye));
  glUniform3fv(Uniform->SceneAmbient, 1, glm::value_ptr(glm::vec3(viewer.AmbientColor)));

  std::vector<glm::vec3> ambient, diffuse, specular, attenuation;
  for (const TLightSource* light : Lights) {
    ambient.emplace_back(light->Ambient);
    diffuse.emplace_back(light->Diffuse());
    specular.emplace_back(light->Specular);
    attenuation.emplace_back(light->ConstantAttenuation, light->LinearAttenuation,
                             light->QuadraticAttenuation);
  }
  const GLsizei count = static_cast<GLsizei>(Lights.size());
  if (count > 0) {
    glUniform3fv(Uniform->LightPosition, count, glm::value_ptr(LightPositions[0]));
    glUniform3fv(Uniform->LightAmbient, count, glm::value_ptr(ambient[0]));
    glUniform3fv(Uniform->LightDiffuse, count, glm::value_ptr(diffuse[0]));
    glUniform3fv(Uniform->LightSpecular, count, glm::value_ptr(specular[0]));
    glUniform3fv(Uniform->LightAttenuation, count, glm::value_ptr(attenuation[0]));
  }

  const TFogEnvironment& fog = viewer.Fog;
  int mode = sfNone;
  if (viewer.FogEnable) {
    switch (fog.Mode) {
      case TFogMode::Linear:
        mode = sfLinear;
        break;
      case TFogMode::Exponential:
        mode = fog.Color.a > 0.0f ? sfExponential : sfNone;
        break;
      case TFogMode::Exponential2:
        mode = fog.Color.a > 0.0f ? sfExponential2 : sfNone;
        break;
    }
  }
  glUniform1i(Uniform->FogMode, mode);
  // A palette's sky may be brighter than white; the background shows it clamped, and the fog
  // blends towards the same colour, or fogged ground would come out brighter than the sky.
  const glm::vec3 fogColour = glm::clamp(glm::vec3(fog.Color), 0.0f, 1.0f);
  glUniform3fv(Uniform->FogColour, 1, glm::value_ptr(fogColour));
  glUniform1f(Uniform->FogDensity, fog.Color.a);
  glUniform1f(Uniform->FogStart, fog.Start);
  glUniform1f(Uniform->FogEnd, fog.End);
}

void TSceneRenderer::Draw(const TDrawItem& item, bool blended) {
  const glm::mat3 linear(item.Model);
  const float determinant = glm::determinant(linear);
  if (std::abs(determinant) < 1e-12f) return;        // flattened to nothing
  glFrontFace(determinant > 0.0f ? GL_CCW : GL_CW);  // a mirroring scale turns faces over
  const TMaterial& material = item.Object->Material();
  const glm::mat3 normalMatrix = glm::inverseTranspose(linear);
  glUniformMatrix4fv(Uniform->Model, 1, GL_FALSE, glm::value_ptr(item.Model));
  glUniformMatrix3fv(Uniform->NormalMatrix, 1, GL_FALSE, glm::value_ptr(normalMatrix));
  glUniform1i(Uniform->UseVertexColour, item.VertexColours);
  glUniform4fv(Uniform->MaterialAmbient, 1, glm::value_ptr(material.Ambient));
  glUniform4fv(Uniform->MaterialDiffuse, 1, glm::value_ptr(material.Diffuse));
  glUniform3fv(Uniform->MaterialSpecular, 1, glm::value_ptr(glm::vec3(material.Specular)));
  glUniform3fv(Uniform->MaterialEmission, 1, glm::value_ptr(glm::vec3(material.Emission)));
  glUniform1f(Uniform->Shininess, material.Shininess);
  glUniform1i(Uniform->Blended, blended);
  glBindVertexArray(item.Geometry->Array);
  if (item.Geometry->Cells.empty())
    glDrawArrays(GL_TRIANGLES, 0, item.Geometry->Count);
  else
    DrawCells(item, blended);
}

void TSceneRenderer::DrawCells(const TDrawItem& item, bool blended) {
  const glm::mat4 clipFromModel = ClipFromWorld * item.Model;
  VisibleCells.clear();
  for (const TGeometryCell& cell : item.Geometry->Cells) {
    if (!MayBeInView(clipFromModel, cell.Min, cell.Max)) continue;
    const glm::vec3 centre = glm::vec3(item.Model * glm::vec4((cell.Min + cell.Max) * 0.5f, 1.0f));
    VisibleCells.push_back({glm::length(centre - Eye), cell.First, cell.Count});
  }
  // Opaque: near cells first, so what they hide fails the depth test early. Blended: far
  // cells first, so that they compose correctly.
  std::sort(VisibleCells.begin(), VisibleCells.end(),
            [blended](const TCellOrder& a, const TCellOrder& b) {
              return blended ? a.Distance > b.Distance : a.Distance < b.Distance;
            });
  CellOffsets.clear();
  CellCounts.clear();
  for (const TCellOrder& cell : VisibleCells) {
    CellOffsets.push_back(reinterpret_cast<const void*>(sizeof(GLuint) * size_t(cell.First)));
    CellCounts.push_back(cell.Count);
  }
  if (!CellOffsets.empty())
    glMultiDrawElements(GL_TRIANGLES, CellCounts.data(), GL_UNSIGNED_INT, CellOffsets.data(),
                        static_cast<GLsizei>(CellOffsets.size()));
}

}  // namespace orvane
