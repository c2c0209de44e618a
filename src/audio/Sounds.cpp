// The sound record's work with the sound library: starting it, the sound files into buffers,
// the quarry's reverberation, the listener, and the sources the animations play.

#include <cstring>
#include <exception>
#include <optional>

#include "audio/ALConstants.h"
#include "audio/Audio.h"
#include "audio/WavFile.h"
#include "console/Log.h"
#include "console/TextFiles.h"

namespace orvane {

namespace {

// EAX 2.0's interface: its property sets by their published identifiers.
struct TGuid {
  uint32_t Data1;
  uint16_t Data2, Data3;
  uint8_t Data4[8];
};
constexpr TGuid EaxListenerProperties{
    0x0306A6A8, 0xB224, 0x11D2, {0x99, 0xE5, 0x00, 0x00, 0xE8, 0xD8, 0xC7, 0x22}};
constexpr TGuid EaxBufferProperties{
    0x0306A6A7, 0xB224, 0x11D2, {0x99, 0xE5, 0x00, 0x00, 0xE8, 0xD8, 0xC7, 0x22}};

// The effects extension's calls the reverb needs.
struct TEfx {
  void (*GenEffects)(int, unsigned*) = nullptr;
  void (*Effecti)(unsigned, int, int) = nullptr;
  void (*Effectf)(unsigned, int, float) = nullptr;
  void (*GenAuxiliaryEffectSlots)(int, unsigned*) = nullptr;
  void (*AuxiliaryEffectSloti)(unsigned, int, int) = nullptr;
};

template <class TFunction>
void Fetch(TOpenAL& al, TFunction*& function, const char* name) {
  function =
      reinterpret_cast<TFunction*>(al.alGetProcAddress ? al.alGetProcAddress(name) : nullptr);
}

// The quarry as the effects extension's reverb describes it: a large, open, stony place with a
// long, dull echo.
void SetQuarry(const TEfx& efx, unsigned effect) {
  efx.Effecti(effect, AL_EFFECT_TYPE, AL_EFFECT_REVERB);
  const std::pair<int, float> parameters[] = {
      {AL_REVERB_DENSITY, 1.0f},
      {AL_REVERB_DIFFUSION, 1.0f},
      {AL_REVERB_GAIN, 0.3162f},
      {AL_REVERB_GAINHF, 0.3162f},
      {AL_REVERB_DECAY_TIME, 1.49f},
      {AL_REVERB_DECAY_HFRATIO, 0.83f},
      {AL_REVERB_REFLECTIONS_GAIN, 0.0f},
      {AL_REVERB_REFLECTIONS_DELAY, 0.061f},
      {AL_REVERB_LATE_REVERB_GAIN, 1.7783f},
      {AL_REVERB_LATE_REVERB_DELAY, 0.025f},
      {AL_REVERB_AIR_ABSORPTION_GAINHF, 0.9943f},
      {AL_REVERB_ROOM_ROLLOFF_FACTOR, 0.0f},
  };
  for (const auto& [parameter, value] : parameters)
    efx.Effectf(effect, parameter, value);
  efx.Effecti(effect, AL_REVERB_DECAY_HFLIMIT, 1);
}

}  // namespace

bool StartSound(TAudio& audio, const std::string& libraryName) {
  audio.AudioAvailable = audio.AL.InitOpenAL(libraryName) && audio.AL.OpenAudioDevice();
  if (!audio.AudioAvailable) audio.AL.Unload();
  return audio.AudioAvailable;
}

void CloseSound(TAudio& audio) {
  if (!audio.AudioAvailable) return;
  audio.AL.CloseAudioDevice();
  audio.AudioAvailable = false;
  audio.ReverbSlot = audio.ReverbEffect = 0;
  audio.EAXSet = nullptr;
}

void LoadSound(TAudio& audio, TLog& log, const std::string& fileName, uint32_t& buffer) {
  if (!audio.AudioAvailable) return;
  const std::string path = "media/" + fileName;
  if (!FileExists(path)) {
    log.Log("Could not load sound file: '" + path + "'.");
    return;
  }
  // A file that is no sound the game can play is refused, named with what is wrong.
  std::string problem;
  const std::optional<TWavSound> sound = LoadWavFile(path, problem);
  if (!sound) {
    log.Log("Could not load sound file: '" + path + "': " + problem + ".");
    return;
  }
  TOpenAL& al = audio.AL;
  if (!al.alGenBuffers || !al.alBufferData) return;
  // The library takes whole frames only: an 8-bit stereo sound's extra byte, or an odd byte of
  // 16-bit sound, would make it refuse the whole buffer.
  const size_t frame = sound->Format == AL_FORMAT_MONO8      ? 1
                       : sound->Format == AL_FORMAT_STEREO16 ? 4
                                                             : 2;
  const size_t size = sound->Data.size() - sound->Data.size() % frame;
  al.alGenBuffers(1, &buffer);
  al.alBufferData(buffer, sound->Format, sound->Data.data(), static_cast<TOpenAL::ALsizei>(size),
                  sound->Frequency);
}

void LoadSounds(TAudio& audio, TLog& log) {
  if (!audio.AudioAvailable) return;
  const std::pair<const char*, uint32_t TAudio::*> sounds[] = {
      {"ScanPart.wav", &TAudio::SndScan},
      {"ScanFull.wav", &TAudio::SndDrain},
      {"CreateTree.wav", &TAudio::SndCreateTree},
      {"CreateRobot.wav", &TAudio::SndCreateRobot},
      {"CreateBoulder.wav", &TAudio::SndCreateBoulder},
      {"AbsorbTolmarch.wav", &TAudio::SndAbsorbTolmarch},
      {"Rotate.wav", &TAudio::SndRotate},
      {"EndGood.wav", &TAudio::SndLeave},
      {"EndGood.wav", &TAudio::SndHyperSpace},
      {"AbsorbTolmarch.wav", &TAudio::SndAbsorb},
      {"ScanPart.wav", &TAudio::SndPulse1},
      {"ScanPart.wav", &TAudio::SndPulse2},
  };
  for (const auto& [file, buffer] : sounds)
    LoadSound(audio, log, file, audio.*buffer);
}

void SetSoundEnv(TAudio& audio, TLog& log) {
  try {
    TOpenAL& al = audio.AL;
    if (audio.AudioAvailable && al.alIsExtensionPresent && al.alIsExtensionPresent("EAX2.0")) {
      Fetch(al, audio.EAXSet, "EAXSet");
      return;
    }
    log.Log("EAX 2.0 environment could not be set.");
    // The same environment through the effects extension, where the library has it.
    if (!audio.AudioAvailable || !al.alcIsExtensionPresent || !al.alcGetCurrentContext ||
        !al.alcGetContextsDevice)
      return;
    TOpenAL::ALCdevice* device = al.alcGetContextsDevice(al.alcGetCurrentContext());
    if (!device || !al.alcIsExtensionPresent(device, "ALC_EXT_EFX")) return;
    TEfx efx;
    Fetch(al, efx.GenEffects, "alGenEffects");
    Fetch(al, efx.Effecti, "alEffecti");
    Fetch(al, efx.Effectf, "alEffectf");
    Fetch(al, efx.GenAuxiliaryEffectSlots, "alGenAuxiliaryEffectSlots");
    Fetch(al, efx.AuxiliaryEffectSloti, "alAuxiliaryEffectSloti");
    Fetch(al, audio.alSource3i, "alSource3i");
    if (!efx.GenEffects || !efx.Effecti || !efx.Effectf || !efx.GenAuxiliaryEffectSlots ||
        !efx.AuxiliaryEffectSloti || !audio.alSource3i)
      return;
    efx.GenEffects(1, &audio.ReverbEffect);
    SetQuarry(efx, audio.ReverbEffect);
    efx.GenAuxiliaryEffectSlots(1, &audio.ReverbSlot);
    efx.AuxiliaryEffectSloti(audio.ReverbSlot, AL_EFFECTSLOT_EFFECT,
                             static_cast<int>(audio.ReverbEffect));
    log.Log("The quarry's reverberation is set through the EFX reverb instead.");
  } catch (const std::exception&) {
    log.Log("Error 0018: @ SetSoundEnv()");
  }
}

void HandOverListener(TAudio& audio) {
  TOpenAL& al = audio.AL;
  if (!audio.AudioAvailable || !al.alListenerfv) return;
  const float orientation[6] = {audio.ListenerOrientationAt.x, audio.ListenerOrientationAt.y,
                                audio.ListenerOrientationAt.z, audio.ListenerOrientationUp.x,
                                audio.ListenerOrientationUp.y, audio.ListenerOrientationUp.z};
  al.alListenerfv(AL_POSITION, &audio.ListenerPosition.x);
  al.alListenerfv(AL_VELOCITY, &audio.ListenerVelocity.x);
  al.alListenerfv(AL_ORIENTATION, orientation);
}

uint32_t PlaySource(TAudio& audio, uint32_t buffer, float gain, bool loop,
                    const glm::vec3& position, const glm::vec3& velocity) {
  TOpenAL& al = audio.AL;
  if (!audio.AudioAvailable || !al.alGenSources || !al.alSourcei || !al.alSourcef ||
      !al.alSourcefv || !al.alSourcePlay)
    return 0;
  uint32_t source = 0;
  al.alGenSources(1, &source);
  if (source == 0) return 0;
  al.alSourcei(source, AL_BUFFER, static_cast<int>(buffer));
  al.alSourcef(source, AL_PITCH, 1.0f);
  al.alSourcef(source, AL_GAIN, gain);
  al.alSourcefv(source, AL_POSITION, &position.x);
  al.alSourcefv(source, AL_VELOCITY, &velocity.x);
  al.alSourcei(source, AL_LOOPING, loop ? 1 : 0);
  if (audio.EAXSet && al.alIsExtensionPresent && al.alIsExtensionPresent("EAX2.0")) {
    unsigned environment = EAX_ENVIRONMENT_QUARRY;
    audio.EAXSet(&EaxListenerProperties, EAX_LISTENER_ENVIRONMENT | EAX_DEFERRED, 0, &environment,
                 sizeof environment);
    audio.EAXSet(&EaxBufferProperties, EAX_NONE, source, nullptr, 0);
    audio.EAXSet(&EaxListenerProperties, EAX_NONE, 0, nullptr, 0);
  } else if (audio.ReverbSlot != 0 && audio.alSource3i) {
    audio.alSource3i(source, AL_AUXILIARY_SEND_FILTER, static_cast<int>(audio.ReverbSlot), 0,
                     AL_FILTER_NULL);
  }
  al.alSourcePlay(source);
  return source;
}

void SetSourcePitch(TAudio& audio, uint32_t source, float pitch) {
  if (audio.AudioAvailable && audio.AL.alSourcef) audio.AL.alSourcef(source, AL_PITCH, pitch);
}

bool SourceExists(TAudio& audio, uint32_t source) {
  return audio.AudioAvailable && audio.AL.alIsSource && source != 0 && audio.AL.alIsSource(source);
}

void StopAndDeleteSource(TAudio& audio, uint32_t source) {
  TOpenAL& al = audio.AL;
  if (!audio.AudioAvailable || source == 0 || !al.alSourceStop || !al.alDeleteSources) return;
  al.alSourceStop(source);
  al.alDeleteSources(1, &source);
}

}  // namespace orvane
