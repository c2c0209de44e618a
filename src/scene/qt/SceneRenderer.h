#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <vector>

#include <QOpenGLFunctions_3_3_Core>
#include <glm/glm.hpp>

#include "scene/Scene.h"
#include "scene/qt/SceneBuffers.h"

class QOpenGLShaderProgram;

namespace orvane {

// Draws a TScene with OpenGL 3.3 core into whatever framebuffer is bound: the background,
// every shown mesh, cylinder and cone that may be in view, in its absolute place, lit per vertex by
// the scene's lights and fogged as the viewer says; opaque objects first, then the blended ones
// farthest first. Meshes live in GPU buffers, uploaded again only when their vertices change. Every
// call needs the renderer's OpenGL context current.
class TSceneRenderer : protected QOpenGLFunctions_3_3_Core {
 public:
  // The distance of the near clipping plane from the eye.
  static constexpr float NearPlane = 0.05f;

  TSceneRenderer();
  ~TSceneRenderer();  // makes no GL calls: Release first, with the context current
  TSceneRenderer(const TSceneRenderer&) = delete;
  TSceneRenderer& operator=(const TSceneRenderer&) = delete;

  // Binds the GL functions and builds the shaders; false when the context cannot.
  bool Initialise();
  // Frees every GL object; Initialise may be called again afterwards (in a new context).
  void Release();

  // Draws one frame over a viewport of width × height pixels of the framebuffer, which has
  // pixelRatio of them to each pixel of the viewer, the pixel the camera's focal length is
  // measured in.
  void Render(TScene& scene, int width, int height, double pixelRatio);

  // The last frame's projection and view (world to eye) matrices.
  const glm::mat4& Projection() const { return ProjectionMatrix; }
  const glm::mat4& View() const { return ViewMatrix; }

  // How many times a mesh was uploaded to the GPU, and how many meshes are held now.
  uint64_t MeshUploads() const { return Buffers.MeshUploads(); }
  size_t CachedMeshes() const { return Buffers.HeldMeshes(); }

 private:
  struct TDrawItem {
    const TSceneObject* Object = nullptr;
    glm::mat4 Model{1.0f};
    const TGeometryBuffer* Geometry = nullptr;
    bool VertexColours = false;
    float Distance = 0.0f;
  };

  struct TUniforms;
  // A shader programme made for one set of lights, and where its uniforms are.
  struct TProgramme {
    std::unique_ptr<QOpenGLShaderProgram> Shaders;
    std::unique_ptr<TUniforms> Uniform;
  };
  struct TCellOrder {
    float Distance;
    GLint First;
    GLsizei Count;
  };
  std::vector<TCellOrder> VisibleCells;
  std::vector<const void*> CellOffsets;
  std::vector<GLsizei> CellCounts;

  void SetUpCamera(const TScene& scene, int width, int height, double pixelRatio);
  void Collect(const TSceneObject& object, const glm::mat4& parentMatrix, bool shown);
  void CollectMesh(const TMeshObject& mesh, const glm::mat4& model, bool shown);
  void CollectQuadric(const TSceneObject& object, const glm::mat4& model);
  void CollectLight(const TLightSource& light);
  void SetFrameUniforms(const TScene& scene);
  void Draw(const TDrawItem& item, bool blended);
  // Draws the cells of a large mesh that can be in view: nearest first when opaque,
  // farthest first when blended.
  void DrawCells(const TDrawItem& item, bool blended);

  // The programme for a number of lights and the set of them with a highlight, made the
  // first time a frame has such lights; null when it cannot be built.
  TProgramme* ProgrammeFor(int lightCount, unsigned specularLights);

  bool Initialised = false;
  std::map<unsigned, TProgramme> Programmes;  // by light count and highlight set
  TProgramme* Active = nullptr;
  TUniforms* Uniform = nullptr;  // the active programme's
  TSceneBuffers Buffers;

  // Gathered per frame.
  glm::mat4 ProjectionMatrix{1.0f};
  glm::mat4 ViewMatrix{1.0f};
  glm::mat4 ClipFromWorld{1.0f};  // projection after view
  glm::vec3 Eye{0.0f};
  std::vector<TDrawItem> Opaque;
  std::vector<TDrawItem> Blended;
  std::vector<const TLightSource*> Lights;
  std::vector<glm::vec3> LightPositions;
};

}  // namespace orvane
