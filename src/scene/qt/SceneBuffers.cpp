#include "scene/qt/SceneBuffers.h"

#include <algorithm>
#include <cstddef>
#include <cstring>

#include "scene/qt/QuadricGeometry.h"

namespace orvane {

namespace {

static_assert(sizeof(TMeshVertex) == 10 * sizeof(float), "mesh vertices are uploaded as they are");

enum TAttribute : GLuint { PositionAttribute = 0, NormalAttribute = 1, ColourAttribute = 2 };

void Attribute(QOpenGLFunctions_3_3_Core& gl, GLuint index, int size, GLsizei stride,
               size_t offset) {
  gl.glEnableVertexAttribArray(index);
  gl.glVertexAttribPointer(index, size, GL_FLOAT, GL_FALSE, stride,
                           reinterpret_cast<void*>(offset));
}

void MakeArray(QOpenGLFunctions_3_3_Core& gl, TGeometryBuffer& buffer) {
  gl.glGenVertexArrays(1, &buffer.Array);
  gl.glGenBuffers(1, &buffer.Buffer);
  gl.glBindVertexArray(buffer.Array);
  gl.glBindBuffer(GL_ARRAY_BUFFER, buffer.Buffer);
}

void DeleteArray(QOpenGLFunctions_3_3_Core& gl, TGeometryBuffer& buffer) {
  if (buffer.Array) gl.glDeleteVertexArrays(1, &buffer.Array);
  if (buffer.Buffer) gl.glDeleteBuffers(1, &buffer.Buffer);
  buffer = TGeometryBuffer();
}

// A digest of up to 32 vertices spread over the mesh. A mesh made where a destroyed one was
// may get its address and the same count of changes; this tells such a newcomer apart.
uint64_t SampledFingerprint(const std::vector<TMeshVertex>& vertices) {
  constexpr size_t Samples = 32;
  uint64_t hash = 1469598103934665603ull ^ vertices.size();
  const size_t step = std::max<size_t>(1, vertices.size() / Samples);
  for (size_t i = 0; i < vertices.size(); i += step) {
    uint32_t words[10];
    std::memcpy(words, &vertices[i], sizeof(words));
    for (uint32_t word : words)
      hash = (hash ^ word) * 1099511628211ull;
  }
  return hash;
}

}  // namespace

const TGeometryBuffer* TSceneBuffers::Mesh(QOpenGLFunctions_3_3_Core& gl, const TMeshObject& mesh) {
  const std::vector<TMeshVertex>& vertices = mesh.Vertices();
  if (vertices.empty()) return nullptr;  // a buffer it had goes at the end of the frame
  TMeshEntry& entry = Meshes[&mesh];
  entry.SeenInFrame = Frame;
  const uint64_t fingerprint = SampledFingerprint(vertices);
  if (entry.Array && entry.Revision == mesh.GeometryRevision() &&
      entry.Count == static_cast<GLsizei>(vertices.size()) && entry.Fingerprint == fingerprint)
    return &entry;

  if (!entry.Array) {
    MakeArray(gl, entry);
    const GLsizei stride = sizeof(TMeshVertex);
    Attribute(gl, PositionAttribute, 3, stride, offsetof(TMeshVertex, Position));
    Attribute(gl, NormalAttribute, 3, stride, offsetof(TMeshVertex, Normal));
    Attribute(gl, ColourAttribute, 4, stride, offsetof(TMeshVertex, Color));
  } else {
    gl.glBindBuffer(GL_ARRAY_BUFFER, entry.Buffer);
  }
  gl.glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(vertices.size() * sizeof(TMeshVertex)),
                  vertices.data(), GL_STATIC_DRAW);
  gl.glBindBuffer(GL_ARRAY_BUFFER, 0);
  entry.Count = static_cast<GLsizei>(vertices.size());
  entry.Revision = mesh.GeometryRevision();
  entry.Fingerprint = fingerprint;
  ++Uploads;
  return &entry;
}

void TSceneBuffers::Keep(const TMeshObject& mesh) {
  const auto held = Meshes.find(&mesh);
  if (held != Meshes.end()) held->second.SeenInFrame = Frame;
}

const TGeometryBuffer& TSceneBuffers::Quadric(QOpenGLFunctions_3_3_Core& gl, int slices,
                                              unsigned parts, float bottomRadius, float topRadius) {
  const TQuadricKey key{slices, parts, bottomRadius, topRadius};
  const auto held = Quadrics.find(key);
  if (held != Quadrics.end()) return held->second;
  TGeometryBuffer& buffer = Quadrics[key];
  const std::vector<TQuadricVertex> vertices = BuildQuadric(bottomRadius, topRadius, slices, parts);
  buffer.Count = static_cast<GLsizei>(vertices.size());
  MakeArray(gl, buffer);
  gl.glBufferData(GL_ARRAY_BUFFER,
                  static_cast<GLsizeiptr>(vertices.size() * sizeof(TQuadricVertex)),
                  vertices.data(), GL_STATIC_DRAW);
  const GLsizei stride = sizeof(TQuadricVertex);
  Attribute(gl, PositionAttribute, 3, stride, offsetof(TQuadricVertex, Position));
  Attribute(gl, NormalAttribute, 3, stride, offsetof(TQuadricVertex, Normal));
  gl.glBindBuffer(GL_ARRAY_BUFFER, 0);
  return buffer;
}

void TSceneBuffers::EndFrame(QOpenGLFunctions_3_3_Core& gl) {
  for (auto entry = Meshes.begin(); entry != Meshes.end();) {
    if (entry->second.SeenInFrame == Frame && entry->second.Array) {
      ++entry;
      continue;
    }
    DeleteArray(gl, entry->second);
    entry = Meshes.erase(entry);
  }
  ++Frame;
}

void TSceneBuffers::Release(QOpenGLFunctions_3_3_Core& gl) {
  for (auto& [mesh, entry] : Meshes)
    DeleteArray(gl, entry);
  for (auto& [key, buffer] : Quadrics)
    DeleteArray(gl, buffer);
  Meshes.clear();
  Quadrics.clear();
}

}  // namespace orvane
