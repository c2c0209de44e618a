#pragma once

#include <cstdint>
#include <string>

namespace orvane {

// The sound library's types and entry points, all null until bound.
struct TOpenALEntryPoints {
  using ALboolean = char;
  using ALchar = char;
  using ALint = int;
  using ALuint = unsigned int;
  using ALsizei = int;
  using ALenum = int;
  using ALfloat = float;
  using ALdouble = double;
  using ALvoid = void;
  struct ALCdevice;
  struct ALCcontext;

  void (*alEnable)(ALenum) = nullptr;
  void (*alDisable)(ALenum) = nullptr;
  ALboolean (*alIsEnabled)(ALenum) = nullptr;
  void (*alHint)(ALenum, ALenum) = nullptr;
  void (*alGetBooleanv)(ALenum, ALboolean*) = nullptr;
  void (*alGetIntegerv)(ALenum, ALint*) = nullptr;
  void (*alGetFloatv)(ALenum, ALfloat*) = nullptr;
  void (*alGetDoublev)(ALenum, ALdouble*) = nullptr;
  const ALchar* (*alGetString)(ALenum) = nullptr;
  ALboolean (*alGetBoolean)(ALenum) = nullptr;
  ALint (*alGetInteger)(ALenum) = nullptr;
  ALfloat (*alGetFloat)(ALenum) = nullptr;
  ALdouble (*alGetDouble)(ALenum) = nullptr;
  ALenum (*alGetError)() = nullptr;
  ALboolean (*alIsExtensionPresent)(const ALchar*) = nullptr;
  void* (*alGetProcAddress)(const ALchar*) = nullptr;
  ALenum (*alGetEnumValue)(const ALchar*) = nullptr;
  void (*alListeneri)(ALenum, ALint) = nullptr;
  void (*alListenerf)(ALenum, ALfloat) = nullptr;
  void (*alListener3f)(ALenum, ALfloat, ALfloat, ALfloat) = nullptr;
  void (*alListenerfv)(ALenum, const ALfloat*) = nullptr;
  void (*alGetListeneriv)(ALenum, ALint*) = nullptr;
  void (*alGetListenerfv)(ALenum, ALfloat*) = nullptr;
  void (*alGenSources)(ALsizei, ALuint*) = nullptr;
  void (*alDeleteSources)(ALsizei, const ALuint*) = nullptr;
  ALboolean (*alIsSource)(ALuint) = nullptr;
  void (*alSourcei)(ALuint, ALenum, ALint) = nullptr;
  void (*alSourcef)(ALuint, ALenum, ALfloat) = nullptr;
  void (*alSource3f)(ALuint, ALenum, ALfloat, ALfloat, ALfloat) = nullptr;
  void (*alSourcefv)(ALuint, ALenum, const ALfloat*) = nullptr;
  void (*alGetSourcei)(ALuint, ALenum, ALint*) = nullptr;
  void (*alGetSourcef)(ALuint, ALenum, ALfloat*) = nullptr;
  void (*alGetSource3f)(ALuint, ALenum, ALfloat*, ALfloat*, ALfloat*) = nullptr;
  void (*alGetSourcefv)(ALuint, ALenum, ALfloat*) = nullptr;
  void (*alSourcePlay)(ALuint) = nullptr;
  void (*alSourcePause)(ALuint) = nullptr;
  void (*alSourceStop)(ALuint) = nullptr;
  void (*alSourceRewind)(ALuint) = nullptr;
  void (*alSourcePlayv)(ALsizei, const ALuint*) = nullptr;
  void (*alSourceStopv)(ALsizei, const ALuint*) = nullptr;
  void (*alSourceRewindv)(ALsizei, const ALuint*) = nullptr;
  void (*alSourcePausev)(ALsizei, const ALuint*) = nullptr;
  void (*alGenBuffers)(ALsizei, ALuint*) = nullptr;
  void (*alDeleteBuffers)(ALsizei, const ALuint*) = nullptr;
  ALboolean (*alIsBuffer)(ALuint) = nullptr;
  void (*alBufferData)(ALuint, ALenum, const ALvoid*, ALsizei, ALsizei) = nullptr;
  void (*alGetBufferi)(ALuint, ALenum, ALint*) = nullptr;
  void (*alGetBufferf)(ALuint, ALenum, ALfloat*) = nullptr;
  void (*alSourceQueueBuffers)(ALuint, ALsizei, const ALuint*) = nullptr;
  void (*alSourceUnqueueBuffers)(ALuint, ALsizei, ALuint*) = nullptr;
  void (*alDopplerModel)(ALenum) = nullptr;
  void (*alDopplerFactor)(ALfloat) = nullptr;
  void (*alDopplerVelocity)(ALfloat) = nullptr;
  ALCcontext* (*alcCreateContext)(ALCdevice*, const ALint*) = nullptr;
  ALboolean (*alcMakeContextCurrent)(ALCcontext*) = nullptr;
  void (*alcProcessContext)(ALCcontext*) = nullptr;
  void (*alcSuspendContext)(ALCcontext*) = nullptr;
  void (*alcDestroyContext)(ALCcontext*) = nullptr;
  ALenum (*alcGetError)(ALCdevice*) = nullptr;
  ALCcontext* (*alcGetCurrentContext)() = nullptr;
  ALCdevice* (*alcOpenDevice)(const ALchar*) = nullptr;
  ALboolean (*alcCloseDevice)(ALCdevice*) = nullptr;
  ALboolean (*alcIsExtensionPresent)(ALCdevice*, const ALchar*) = nullptr;
  void* (*alcGetProcAddress)(ALCdevice*, const ALchar*) = nullptr;
  ALenum (*alcGetEnumValue)(ALCdevice*, const ALchar*) = nullptr;
  ALCdevice* (*alcGetContextsDevice)(ALCcontext*) = nullptr;
  const ALchar* (*alcGetString)(ALCdevice*, ALenum) = nullptr;
  void (*alcGetIntegerv)(ALCdevice*, ALenum, ALsizei, ALint*) = nullptr;
};

// The sound library, loaded by name while the game runs and never linked: without it the game
// is silent. Every entry point is bound by its name, through the library's own look-up when it
// has one, else from the library's exports.
class TOpenAL : public TOpenALEntryPoints {
 public:
  TOpenAL() = default;
  ~TOpenAL();
  TOpenAL(const TOpenAL&) = delete;
  TOpenAL& operator=(const TOpenAL&) = delete;

  // Loads the library (unloading one loaded before) and binds its entry points; false when the
  // library cannot be loaded.
  bool InitOpenAL(const std::string& libraryName);
  bool Loaded() const { return Library != nullptr; }
  // The default device with a new context made current; false, with nothing left open, when
  // either cannot be had or the library lacks the calls.
  bool OpenAudioDevice();
  // The current context and its device, closed.
  void CloseAudioDevice();
  void Unload();

 private:
  void Bind();
  void* Library = nullptr;
  bool DeviceOpen = false;
};

}  // namespace orvane
