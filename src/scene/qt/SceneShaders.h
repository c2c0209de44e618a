#pragma once

#include <string>

namespace orvane {

// The GLSL 330 programme that draws every surface of the scene: per-vertex lighting from
// omni lights with attenuation, the surface colour taken from the vertices or the material,
// and fog by the distance from the eye. The vertex shader is made for a number of lights and
// the set of them that have a specular colour (bit i for light i).
std::string SceneVertexShader(int lightCount, unsigned specularLights);
extern const char* const SceneFragmentShader;

// The size of the shaders' light table.
constexpr int MaxSceneLights = 8;

// The fragment shader's fog modes.
enum TShaderFog : int { sfNone = 0, sfLinear = 1, sfExponential = 2, sfExponential2 = 3 };

}  // namespace orvane
