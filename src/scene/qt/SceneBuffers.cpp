#include "scene/qt/SceneBuffers.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <map>
#include <utility>

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

template <class TVertex>
void Bound(TGeometryBuffer& buffer, const std::vector<TVertex>& vertices) {
  buffer.Min = buffer.Max = vertices.front().Position;
  for (const TVertex& vertex : vertices) {
    buffer.Min = glm::min(buffer.Min, vertex.Position);
    buffer.Max = glm::max(buffer.Max, vertex.Position);
  }
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
  if (buffer.Elements) gl.glDeleteBuffers(1, &buffer.Elements);
  buffer = TGeometryBuffer();
}

// Meshes of more triangles than this are kept in cells of CellSide units on the ground.
constexpr size_t CellTriangles = 4096;
constexpr float CellSide = 8.0f;

// Orders a large mesh's triangles cell by cell and notes each cell's index range and box.
// A corner that its triangle shares with the triangle before it, in position, normal and
// colour (a flat square's two triangles share two), is stored once: fewer corners to light.
std::vector<TMeshVertex> InCells(const std::vector<TMeshVertex>& vertices,
                                 std::vector<TGeometryCell>& cells, std::vector<GLuint>& indices) {
  cells.clear();
  indices.clear();
  if (vertices.size() / 3 <= CellTriangles) return vertices;
  std::map<std::pair<int, int>, std::vector<size_t>> triangles;  // cell -> first vertices
  for (size_t i = 0; i + 2 < vertices.size(); i += 3) {
    const glm::vec3 centre =
        (vertices[i].Position + vertices[i + 1].Position + vertices[i + 2].Position) / 3.0f;
    triangles[{static_cast<int>(std::floor(centre.x / CellSide)),
               static_cast<int>(std::floor(centre.z / CellSide))}]
        .push_back(i);
  }
  std::vector<TMeshVertex> ordered;
  ordered.reserve(vertices.size());
  indices.reserve(vertices.size());
  for (const auto& [key, firsts] : triangles) {
    TGeometryCell cell;
    cell.First = static_cast<GLint>(indices.size());
    cell.Min = cell.Max = vertices[firsts.front()].Position;
    size_t previousTriangle = ordered.size();  // where the triangle before began
    for (const size_t first : firsts) {
      const size_t thisTriangle = ordered.size();
      for (size_t k = 0; k < 3; ++k) {
        const TMeshVertex& vertex = vertices[first + k];
        GLuint index = static_cast<GLuint>(ordered.size());
        for (size_t j = previousTriangle; j < thisTriangle; ++j)
          if (std::memcmp(&ordered[j], &vertex, sizeof(TMeshVertex)) == 0)
            index = static_cast<GLuint>(j);
        if (index == ordered.size()) ordered.push_back(vertex);
        indices.push_back(index);
        cell.Min = glm::min(cell.Min, vertex.Position);
        cell.Max = glm::max(cell.Max, vertex.Position);
      }
      previousTriangle = thisTriangle;
    }
    cell.Count = static_cast<GLsizei>(indices.size()) - cell.First;
    cells.push_back(cell);
  }
  return ordered;
}

}  // namespace

const TGeometryBuffer* TSceneBuffers::Mesh(QOpenGLFunctions_3_3_Core& gl, const TMeshObject& mesh) {
  const std::vector<TMeshVertex>& vertices = mesh.Vertices();
  if (vertices.empty()) return nullptr;  // a buffer it had goes at the end of the frame
  TMeshEntry& entry = Meshes[&mesh];
  entry.SeenInFrame = Frame;
  // Revisions are unique across meshes: a mesh made where a destroyed one stood has another.
  if (entry.Array && entry.Revision == mesh.GeometryRevision()) return &entry;

  if (!entry.Array) {
    MakeArray(gl, entry);
    const GLsizei stride = sizeof(TMeshVertex);
    Attribute(gl, PositionAttribute, 3, stride, offsetof(TMeshVertex, Position));
    Attribute(gl, NormalAttribute, 3, stride, offsetof(TMeshVertex, Normal));
    Attribute(gl, ColourAttribute, 4, stride, offsetof(TMeshVertex, Color));
  } else {
    gl.glBindBuffer(GL_ARRAY_BUFFER, entry.Buffer);
  }
  std::vector<GLuint> indices;
  const std::vector<TMeshVertex> stored = InCells(vertices, entry.Cells, indices);
  gl.glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(stored.size() * sizeof(TMeshVertex)),
                  stored.data(), GL_STATIC_DRAW);
  gl.glBindBuffer(GL_ARRAY_BUFFER, 0);
  if (!indices.empty()) {
    gl.glBindVertexArray(entry.Array);  // the index buffer is part of the vertex array
    if (!entry.Elements) gl.glGenBuffers(1, &entry.Elements);
    gl.glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, entry.Elements);
    gl.glBufferData(GL_ELEMENT_ARRAY_BUFFER,
                    static_cast<GLsizeiptr>(indices.size() * sizeof(GLuint)), indices.data(),
                    GL_STATIC_DRAW);
    gl.glBindVertexArray(0);
  }
  entry.Count = static_cast<GLsizei>(stored.size());
  Bound(entry, vertices);
  entry.Revision = mesh.GeometryRevision();
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
  if (!vertices.empty()) Bound(buffer, vertices);
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
