#include "audio/OpenAL.h"

#include <dlfcn.h>

namespace orvane {

TOpenAL::~TOpenAL() {
  Unload();
}

bool TOpenAL::InitOpenAL(const std::string& libraryName) {
  Unload();
  Library = dlopen(libraryName.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (!Library) return false;
  Bind();
  return true;
}

void TOpenAL::Unload() {
  if (!Library) return;
  if (DeviceOpen) CloseAudioDevice();
  static_cast<TOpenALEntryPoints&>(*this) = TOpenALEntryPoints{};
  dlclose(Library);
  Library = nullptr;
}

// Each entry point through the library's own look-up first, then from its exports.
void TOpenAL::Bind() {
  alGetProcAddress = reinterpret_cast<void* (*)(const ALchar*)>(dlsym(Library, "alGetProcAddress"));
  auto lookUp = [this](const char* name) {
    void* address = alGetProcAddress ? alGetProcAddress(name) : nullptr;
    return address ? address : dlsym(Library, name);
  };
#define ORVANE_BIND(name) name = reinterpret_cast<decltype(name)>(lookUp(#name))
  ORVANE_BIND(alEnable);
  ORVANE_BIND(alDisable);
  ORVANE_BIND(alIsEnabled);
  ORVANE_BIND(alHint);
  ORVANE_BIND(alGetBooleanv);
  ORVANE_BIND(alGetIntegerv);
  ORVANE_BIND(alGetFloatv);
  ORVANE_BIND(alGetDoublev);
  ORVANE_BIND(alGetString);
  ORVANE_BIND(alGetBoolean);
  ORVANE_BIND(alGetInteger);
  ORVANE_BIND(alGetFloat);
  ORVANE_BIND(alGetDouble);
  ORVANE_BIND(alGetError);
  ORVANE_BIND(alIsExtensionPresent);
  ORVANE_BIND(alGetEnumValue);
  ORVANE_BIND(alListeneri);
  ORVANE_BIND(alListenerf);
  ORVANE_BIND(alListener3f);
  ORVANE_BIND(alListenerfv);
  ORVANE_BIND(alGetListeneriv);
  ORVANE_BIND(alGetListenerfv);
  ORVANE_BIND(alGenSources);
  ORVANE_BIND(alDeleteSources);
  ORVANE_BIND(alIsSource);
  ORVANE_BIND(alSourcei);
  ORVANE_BIND(alSourcef);
  ORVANE_BIND(alSource3f);
  ORVANE_BIND(alSourcefv);
  ORVANE_BIND(alGetSourcei);
  ORVANE_BIND(alGetSourcef);
  ORVANE_BIND(alGetSource3f);
  ORVANE_BIND(alGetSourcefv);
  ORVANE_BIND(alSourcePlay);
  ORVANE_BIND(alSourcePause);
  ORVANE_BIND(alSourceStop);
  ORVANE_BIND(alSourceRewind);
  ORVANE_BIND(alSourcePlayv);
  ORVANE_BIND(alSourceStopv);
  ORVANE_BIND(alSourceRewindv);
  ORVANE_BIND(alSourcePausev);
  ORVANE_BIND(alGenBuffers);
  ORVANE_BIND(alDeleteBuffers);
  ORVANE_BIND(alIsBuffer);
  ORVANE_BIND(alBufferData);
  ORVANE_BIND(alGetBufferi);
  ORVANE_BIND(alGetBufferf);
  ORVANE_BIND(alSourceQueueBuffers);
  ORVANE_BIND(alSourceUnqueueBuffers);
  ORVANE_BIND(alDopplerModel);
  ORVANE_BIND(alDopplerFactor);
  ORVANE_BIND(alDopplerVelocity);
  ORVANE_BIND(alcCreateContext);
  ORVANE_BIND(alcMakeContextCurrent);
  ORVANE_BIND(alcProcessContext);
  ORVANE_BIND(alcSuspendContext);
  ORVANE_BIND(alcDestroyContext);
  ORVANE_BIND(alcGetError);
  ORVANE_BIND(alcGetCurrentContext);
  ORVANE_BIND(alcOpenDevice);
  ORVANE_BIND(alcCloseDevice);
  ORVANE_BIND(alcIsExtensionPresent);
  ORVANE_BIND(alcGetProcAddress);
  ORVANE_BIND(alcGetEnumValue);
  ORVANE_BIND(alcGetContextsDevice);
  ORVANE_BIND(alcGetString);
  ORVANE_BIND(alcGetIntegerv);
#undef ORVANE_BIND
}

bool TOpenAL::OpenAudioDevice() {
  if (!alcOpenDevice || !alcCreateContext || !alcMakeContextCurrent || !alcCloseDevice)
    return false;
  ALCdevice* device = alcOpenDevice(nullptr);
  if (!device) return false;
  ALCcontext* context = alcCreateContext(device, nullptr);
  if (!context) {
    alcCloseDevice(device);
    return false;
  }
  if (!alcMakeContextCurrent(context)) {
    if (alcDestroyContext) alcDestroyContext(context);
    alcCloseDevice(device);
    return false;
  }
  DeviceOpen = true;
  return true;
}

void TOpenAL::CloseAudioDevice() {
  DeviceOpen = false;
  if (!alcGetCurrentContext || !alcGetContextsDevice || !alcDestroyContext || !alcCloseDevice)
    return;
  ALCcontext* context = alcGetCurrentContext();
  if (!context) return;
  ALCdevice* device = alcGetContextsDevice(context);
  if (alcMakeContextCurrent) alcMakeContextCurrent(nullptr);
  alcDestroyContext(context);
  if (device) alcCloseDevice(device);
}

}  // namespace orvane
