#include "world/LandscapeDump.h"

#include <cstdio>
#include <string>

#include "world/Landscape.h"

namespace orvane {

namespace {

class TJsonWriter {
 public:
  TJsonWriter& Raw(const std::string& text) {
    Out += text;
    return *this;
  }
  // Enough digits to give back the same single or double.
  TJsonWriter& Number(double value) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%.9g", value);
    Out += buffer;
    return *this;
  }
  TJsonWriter& Number(long long value) {
    Out += std::to_string(value);
    return *this;
  }
  TJsonWriter& Number(int value) { return Number(static_cast<long long>(value)); }
  TJsonWriter& Key(const char* key) {
    Out += '"';
    Out += key;
    Out += "\":";
    return *this;
  }
  TJsonWriter& String(const char* text) {
    Out += '"';
    Out += text;
    Out += '"';
    return *this;
  }
  std::string Out;
};

const char* ScannerTypeName(TGameObjectKind type) {
  return type == go_tolmarch ? "tolmarch" : type == go_sentry ? "sentry" : "none";
}

}  // namespace

std::string LandscapeJson(const TLandscape& land, long long number) {
  const int N = land.GridSize;
  TJsonWriter json;
  json.Raw("{").Key("number").Number(number);
  json.Raw(", ").Key("difficulty").Number(land.Difficulty());
  json.Raw(", ").Key("gridSize").Number(N);
  json.Raw(", ").Key("siteCount").Number(land.SiteCount);
  json.Raw(", ").Key("heightStep").Number(land.HeightStep);

  json.Raw(", ").Key("objectHeights").Raw("[");
  for (int kind = 0; kind < GameObjectKindCount; ++kind)
    json.Raw(kind ? ", " : "").Number(land.ObjectHeights[static_cast<size_t>(kind)]);
  json.Raw("]");

  json.Raw(", ").Key("heights").Raw("[");
  for (int x = 0; x <= N; ++x) {
    json.Raw(x ? ", [" : "[");
    for (int z = 0; z <= N; ++z)
      json.Raw(z ? ", " : "").Number(land.PointHeight(x, z));
    json.Raw("]");
  }
  json.Raw("]");

  json.Raw(", ").Key("squares").Raw("[");
  for (int i = 0; i <= land.SquareCount; ++i) {
    const TSquareEntry& entry = land.SquaresByHeight(i);
    json.Raw(i ? ", [" : "[").Number(entry.X).Raw(", ").Number(entry.Z).Raw(", ");
    json.Number(entry.Height).Raw("]");
  }
  json.Raw("]");

  // Objects stand on squares 0..N-1; x, then z, then level is the storage's own order.
  json.Raw(", ").Key("objects").Raw("[");
  bool first = true;
  for (int x = 0; x < N; ++x)
    for (int z = 0; z < N; ++z)
      for (int level = 1; level <= MaxStack; ++level) {
        const TStackedObject& object = land.Object(x, z, level);
        if (object.Kind == go_none) continue;
        json.Raw(first ? "{" : ", {");
        first = false;
        json.Key("x").Number(x).Raw(", ").Key("z").Number(z).Raw(", ");
        json.Key("level").Number(level).Raw(", ").Key("kind").String(
            GameObjectKindName(object.Kind));
        json.Raw(", ")
            .Key("base")
            .Number(object.Base)
            .Raw(", ")
            .Key("height")
            .Number(object.Height);
        json.Raw(", ").Key("angle").Number(object.Angle).Raw("}");
      }
  json.Raw("]");

  json.Raw(", ").Key("scanners").Raw("[");
  first = true;
  for (int n = 1; n <= MaxScanners; ++n) {
    const TScanner& s = land.Scanners(n);
    if (s.State == ss_Free) continue;
    json.Raw(first ? "{" : ", {");
    first = false;
    json.Key("slot").Number(n).Raw(", ").Key("type").String(ScannerTypeName(s.Type));
    json.Raw(", ").Key("x").Number(s.PosX).Raw(", ").Key("z").Number(s.PosZ);
    json.Raw(", ").Key("level").Number(s.Level);
    json.Raw(", ").Key("baseHgt").Number(s.BaseHgt).Raw(", ").Key("viewHgt").Number(s.ViewHgt);
    json.Raw(", ").Key("scanEff").Number(s.ScanEff).Raw(", ").Key("rotation").Number(s.Rotation);
    json.Raw(", ").Key("tTurn").Number(s.TTurn).Raw(", ").Key("tScan").Number(s.TScan);
    json.Raw(", ").Key("tPlyr").Number(s.TPlyr).Raw(", ").Key("tObje").Number(s.TObje).Raw("}");
  }
  json.Raw("]");

  const TPlayer& player = land.Player();
  json.Raw(", ").Key("player").Raw("{").Key("x").Number(player.X).Raw(", ").Key("z").Number(
      player.Z);
  json.Raw(", ").Key("eyeHgt").Number(player.EyeHgt).Raw("}");
  json.Raw(", ").Key("tolmarch").Raw("{").Key("x").Number(land.TolmarchX).Raw(", ");
  json.Key("z").Number(land.TolmarchZ).Raw("}}");
  return json.Out;
}

}  // namespace orvane
