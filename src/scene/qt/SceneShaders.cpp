#include "scene/qt/SceneShaders.h"

namespace orvane {

const char* const SceneVertexShader = R"(#version 330 core
layout(location = 0) in vec3 Position;
layout(location = 1) in vec3 Normal;
layout(location = 2) in vec4 Colour;

uniform mat4 Model;
uniform mat3 NormalMatrix;
uniform mat4 ViewProjection;

out vec3 WorldPosition;
out vec3 WorldNormal;
out vec4 VertexColour;

void main() {
  vec4 world = Model * vec4(Position, 1.0);
  WorldPosition = world.xyz;
  WorldNormal = NormalMatrix * Normal;
  VertexColour = Colour;
  gl_Position = ViewProjection * world;
}
)";

// Lighting follows the fixed-function model: emission, plus the scene's ambient light, plus
// per light and attenuated by distance its ambient, its diffuse by the angle of incidence
// and its specular highlight (Blinn; a shininess of 0 gives a flat highlight on every lit
// face). The lit colour is clamped, then blended towards the fog colour.
const char* const SceneFragmentShader = R"(#version 330 core
const int MaxLights = 8;

in vec3 WorldPosition;
in vec3 WorldNormal;
in vec4 VertexColour;

uniform vec3 Eye;
uniform vec3 SceneAmbient;

uniform bool UseVertexColour;
uniform vec4 MaterialAmbient;
uniform vec4 MaterialDiffuse;
uniform vec3 MaterialSpecular;
uniform vec3 MaterialEmission;
uniform float Shininess;
uniform bool Blended;

uniform int LightCount;
uniform vec3 LightPosition[MaxLights];
uniform vec3 LightAmbient[MaxLights];
uniform vec3 LightDiffuse[MaxLights];
uniform vec3 LightSpecular[MaxLights];
uniform vec3 LightAttenuation[MaxLights];

uniform int FogMode;
uniform vec3 FogColour;
uniform float FogDensity;
uniform float FogStart;
uniform float FogEnd;

out vec4 FragmentColour;

float FogFactor(float distance) {
  if (FogMode == 1) return clamp((FogEnd - distance) / max(FogEnd - FogStart, 1e-6), 0.0, 1.0);
  if (FogMode == 2) return exp(-FogDensity * distance);
  if (FogMode == 3) return exp(-(FogDensity * distance) * (FogDensity * distance));
  return 1.0;
}

void main() {
  vec3 normal = normalize(WorldNormal);
  vec3 toEye = normalize(Eye - WorldPosition);
  vec4 diffuse = UseVertexColour ? VertexColour : MaterialDiffuse;
  vec3 ambient = UseVertexColour ? VertexColour.rgb : MaterialAmbient.rgb;
  vec3 colour = MaterialEmission + SceneAmbient * ambient;
  for (int i = 0; i < LightCount; ++i) {
    vec3 toLight = LightPosition[i] - WorldPosition;
    float distance = length(toLight);
    vec3 direction = toLight / max(distance, 1e-6);
    float attenuation =
        1.0 / max(dot(LightAttenuation[i], vec3(1.0, distance, distance * distance)), 1e-6);
    float incidence = max(dot(normal, direction), 0.0);
    vec3 light = LightAmbient[i] * ambient + incidence * LightDiffuse[i] * diffuse.rgb;
    if (incidence > 0.0) {
      float alignment = max(dot(normal, normalize(direction + toEye)), 0.0);
      float highlight = Shininess > 0.0 ? pow(alignment, Shininess) : 1.0;
      light += highlight * LightSpecular[i] * MaterialSpecular;
    }
    colour += attenuation * light;
  }
  colour = clamp(colour, 0.0, 1.0);
  float alpha = UseVertexColour ? VertexColour.a * MaterialDiffuse.a : MaterialDiffuse.a;
  float fog = FogFactor(length(WorldPosition - Eye));
  FragmentColour = vec4(mix(FogColour, colour, fog), Blended ? alpha : 1.0);
}
)";

}  // namespace orvane
