#pragma once

#include <vector>

#include <glm/glm.hpp>

#include <cstdint>
#include <map>
#include <tuple>
#include <unordered_map>

#include <QOpenGLFunctions_3_3_Core>

#include "scene/Scene.h"

namespace orvane {

// A vertex array ready to draw as triangles: positions at attribute 0, normals at 1 and, for
// meshes, colours at 2.
// A part of a large mesh: its triangles' indices lie together in the index buffer (First and
// Count count indices) and its corners within the box.
struct TGeometryCell {
  GLint First = 0;
  GLsizei Count = 0;
  glm::vec3 Min{0.0f};
  glm::vec3 Max{0.0f};
};

struct TGeometryBuffer {
  GLuint Array = 0;
  GLuint Buffer = 0;
  GLuint Elements = 0;  // the cells' vertex indices, for a mesh kept in cells
  GLsizei Count = 0;
  // The box its vertices lie in.
  glm::vec3 Min{0.0f};
  glm::vec3 Max{0.0f};
  // A large mesh is stored cell by cell, so that cells out of view can be left out and the
  // near ones drawn first; empty for a geometry drawn whole.
  std::vector<TGeometryCell> Cells;
};

// The scene's geometry on the GPU. A mesh is uploaded when first drawn and again only when
// its vertices change; its buffer goes once a frame passes without the mesh in the scene.
// Cylinders and cones share one buffer per shape, made once and scaled when drawn.
// Every call needs the OpenGL context current.
class TSceneBuffers {
 public:
  // The buffer of a mesh, uploaded now if it is new or changed; nullptr for an empty mesh.
  const TGeometryBuffer* Mesh(QOpenGLFunctions_3_3_Core& gl, const TMeshObject& mesh);
  // Keeps a hidden mesh's buffer through this frame.
  void Keep(const TMeshObject& mesh);
  // A cylinder or cone of height 1 (see BuildQuadric).
  const TGeometryBuffer& Quadric(QOpenGLFunctions_3_3_Core& gl, int slices, unsigned parts,
                                 float bottomRadius, float topRadius);
  // Ends a frame: frees the buffers of the meshes it did not draw or keep.
  void EndFrame(QOpenGLFunctions_3_3_Core& gl);
  void Release(QOpenGLFunctions_3_3_Core& gl);

  uint64_t MeshUploads() const { return Uploads; }
  size_t HeldMeshes() const { return Meshes.size(); }

 private:
  struct TMeshEntry : TGeometryBuffer {
    uint64_t Revision = 0;
    uint64_t SeenInFrame = 0;
  };
  using TQuadricKey = std::tuple<int, unsigned, float, float>;

  std::unordered_map<const TMeshObject*, TMeshEntry> Meshes;
  std::map<TQuadricKey, TGeometryBuffer> Quadrics;
  uint64_t Frame = 1;
  uint64_t Uploads = 0;
};

}  // namespace orvane
