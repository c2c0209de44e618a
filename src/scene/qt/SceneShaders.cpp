#include "scene/qt/SceneShaders.h"

#include <string>

namespace orvane {

namespace {

// Lighting and fog are worked out per vertex, as the fixed-function pipeline did: the
// landscape's triangles are small and flat-shaded, so the picture is the same and the
// fragments stay cheap. Lighting: emission, plus the scene's ambient light, plus per light
// and attenuated by distance its ambient, its diffuse by the angle of incidence and its
// specular highlight (Blinn; a shininess of 0 gives a flat highlight on every lit face).
// The number of lights and which of them have a highlight are written into the text before
// it is compiled (LIGHT_COUNT, SPECULAR_LIGHTS as a bit mask), so that the compiler unrolls
// the lights and leaves out the highlights nobody sees: a software renderer lights every
// vertex of every frame, and this is most of its work before the pixels.
const char* const VertexShaderBody = R"(
const int MaxLights = 8;

layout(location = 0) in vec3 Position;
layout(location = 1) in vec3 Normal;
layout(location = 2) in vec4 Colour;

uniform mat4 Model;
uniform mat3 NormalMatrix;
uniform mat4 ViewProjection;
uniform vec3 Eye;
uniform vec3 SceneAmbient;

uniform bool UseVertexColour;
uniform vec4 MaterialAmbient;
uniform vec4 MaterialDiffuse;
uniform vec3 MaterialSpecular;
uniform vec3 MaterialEmission;
uniform float Shininess;
uniform bool Blended;

uniform vec3 LightPosition[MaxLights];
uniform vec3 LightAmbient[MaxLights];
uniform vec3 LightDiffuse[MaxLights];
uniform vec3 LightSpecular[MaxLights];
uniform vec3 LightAttenuation[MaxLights];

uniform int FogMode;
uniform float FogDensity;
uniform float FogStart;
uniform float FogEnd;

uniform vec3 FogColour;

out vec4 FoggedColour;

float FogFactor(float distance) {
  if (FogMode == 1) return clamp((FogEnd - distance) / max(FogEnd - FogStart, 1e-6), 0.0, 1.0);
  if (FogMode == 2) return exp(-FogDensity * distance);
  if (FogMode == 3) return exp(-(FogDensity * distance) * (FogDensity * distance));
  return 1.0;
}

void main() {
  vec4 world = Model * vec4(Position, 1.0);
  vec3 normal = normalize(NormalMatrix * Normal);
  vec4 diffuse = UseVertexColour ? Colour : MaterialDiffuse;
  vec3 ambient = UseVertexColour ? Colour.rgb : MaterialAmbient.rgb;
  vec3 colour = MaterialEmission + SceneAmbient * ambient;
  for (int i = 0; i < LIGHT_COUNT; ++i) {
    vec3 toLight = LightPosition[i] - world.xyz;
    float distance = length(toLight);
    vec3 direction = toLight / max(distance, 1e-6);
    float attenuation =
        1.0 / max(dot(LightAttenuation[i], vec3(1.0, distance, distance * distance)), 1e-6);
    float incidence = max(dot(normal, direction), 0.0);
    vec3 light = LightAmbient[i] * ambient + incidence * LightDiffuse[i] * diffuse.rgb;
    if (((SPECULAR_LIGHTS >> i) & 1) != 0) {
      vec3 toEye = normalize(Eye - world.xyz);
      float alignment = max(dot(normal, normalize(direction + toEye)), 0.0);
      float highlight = Shininess > 0.0 ? pow(alignment, Shininess) : 1.0;
      light += (incidence > 0.0 ? highlight : 0.0) * LightSpecular[i] * MaterialSpecular;
    }
    colour += attenuation * light;
  }
  float alpha = UseVertexColour ? Colour.a * MaterialDiffuse.a : MaterialDiffuse.a;
  float fog = FogFactor(length(world.xyz - Eye));
  FoggedColour = vec4(mix(FogColour, clamp(colour, 0.0, 1.0), fog), Blended ? alpha : 1.0);
  gl_Position = ViewProjection * world;
}
)";

}  // namespace

std::string SceneVertexShader(int lightCount, unsigned specularLights) {
  return "#version 330 core\n#define LIGHT_COUNT " + std::to_string(lightCount) +
         "\n#define SPECULAR_LIGHTS " + std::to_string(specularLights) + "\n" + VertexShaderBody;
}

// The lit and fogged colour of the vertices, as it is.
const char* const SceneFragmentShader = R"(#version 330 core
in vec4 FoggedColour;

out vec4 FragmentColour;

void main() {
  FragmentColour = FoggedColour;
}
)";

}  // namespace orvane
