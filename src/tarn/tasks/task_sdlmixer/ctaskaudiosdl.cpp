// The audio task (type "audio" of the task library "sdl_mixer"): opens the audio device
// through SDL_mixer, plays looping music and sound effects, and offers the commands
// "PlayMusic", "PlayMusicFadeIn", "StopMusic" and "StopMusicFadeOut".
#include "tarn/tasks/task_sdlmixer/ctaskaudiosdl.h"

#include <SDL.h>
#include <SDL_mixer.h>

#include "tarn/utils/logger/clogger.h"
#include "tarn/tasks/cinterpreter.h"
#include "tarn/tasks/ckernel.h"
#include "tarn/tasks/cparameterlist.h"
#include "tarn/tasks/icommand.h"
#include "tarn/tasks/task_sdl/parametertoint.h"
#include "tarn/tasks/task_sdlmixer/audioformat.h"
#include "tarn/tasks/task_sdlmixer/ceffectplayer.h"
#include "tarn/tasks/task_sdlmixer/cmusicplayer.h"
#include "tarn/utils/timer/ctimer.h"

namespace tarn {

namespace {

const int kDefaultFadeInTime = 1000;

CLogger* Log() { return CKernel::GetSingleton()->GetLogger(); }

void Warn(const char* text) { Log()->Warning() << text << "\n"; }

std::string VersionText(const SDL_version& version) {
    return std::to_string(version.major) + "." + std::to_string(version.minor) + "." + std::to_string(version.patch);
}

// PlayMusic( file )
class CPlayMusicCommand : public CCommand {
public:
    explicit CPlayMusicCommand(CTaskAudioSDL* task) : myTask(task) {}
    std::string Execute(CParameterList* params) override {
        if (!params) return Execute();
        if (!params->IsType(0, PARAM_STRING)) {
            Warn("PlayMusic -command the 1st parameter is of wrong type, should be string");
            return std::string();
        }
        myTask->PlayMusic(params->GetString(0));
        return std::string();
    }
    std::string Execute() override {
        Warn("PlayMusic -command requires atleast one parameter");
        return std::string();
    }

private:
    CTaskAudioSDL* myTask;
};

// PlayMusicFadeIn( file [, ms] ): without a usable time the music fades in over a second.
class CPlayMusicFadeInCommand : public CCommand {
public:
    explicit CPlayMusicFadeInCommand(CTaskAudioSDL* task) : myTask(task) {}
    std::string Execute(CParameterList* params) override {
        if (!params) return Execute();
        if (!params->IsType(0, PARAM_STRING)) {
            Warn("PlayMusicFadeIn -command the 1st parameter is of wrong type, should be string");
            return std::string();
        }
        int ms = kDefaultFadeInTime;
        if (params->IsType(1, PARAM_NUMBER)) {
            ms = ParameterToInt(params->GetNumber(1));
        } else {
            Warn("PlayMusicFadeIn -command the 2nd parameter is of wrong type, should be a number");
        }
        myTask->PlayMusicFadeIn(params->GetString(0), ms);
        return std::string();
    }
    std::string Execute() override {
        Warn("PlayMusicFadeIn -command requires atleast one parameter");
        return std::string();
    }

private:
    CTaskAudioSDL* myTask;
};

// StopMusic: arguments are refused with a warning, but the music stops all the same.
class CStopMusicCommand : public CCommand {
public:
    explicit CStopMusicCommand(CTaskAudioSDL* task) : myTask(task) {}
    std::string Execute(CParameterList*) override {
        Warn("StopMusic -command, no parameters needed");
        return Execute();
    }
    std::string Execute() override {
        myTask->StopMusic();
        return std::string();
    }

private:
    CTaskAudioSDL* myTask;
};

// StopMusicFadeOut( ms ): without a time nothing stops.
class CStopMusicFadeOutCommand : public CCommand {
public:
    explicit CStopMusicFadeOutCommand(CTaskAudioSDL* task) : myTask(task) {}
    std::string Execute(CParameterList* params) override {
        if (!params) return Execute();
        if (!params->IsType(0, PARAM_NUMBER)) {
            Warn("StopMusicFadeOut -command the 1st parameter is of wrong type, should be number");
            return std::string();
        }
        myTask->StopMusicFadeOut(ParameterToInt(params->GetNumber(0)));
        return std::string();
    }
    std::string Execute() override {
        Warn("StopMusicFadeOut -command requires atleast one parameter");
        return std::string();
    }

private:
    CTaskAudioSDL* myTask;
};

}  // namespace

CTaskAudioSDL::CTaskAudioSDL()
    : CTask(100, "audio"),
      myFrequency(22050),
      myFormat(kDefaultAudioFormat),
      myChannels(2),
      myChunkSize(1024),
      myMixingChannels(8),
      myAudioStarted(false),
      myMixerOpen(false) {}

CTaskAudioSDL::~CTaskAudioSDL() { Close(); }

bool CTaskAudioSDL::Start(CParameterList* params) {
    if (params) ReadStartUpParameters(*params);
    return Start();
}

void CTaskAudioSDL::ReadStartUpParameters(const CParameterList& params) {
    if (params.Count() > 0 && !ReadNumber(params, 0, kMinFrequency, kMaxFrequency, myFrequency)) {
        WarnStartUpParameter(" 1st start-up parameter (frequency) is of wrong type, should be a number");
    }
    if (params.Count() > 1) {
        if (params.IsType(1, PARAM_STRING) && IsAudioFormatName(params.GetString(1))) {
            myFormat = AudioFormatFromName(params.GetString(1));
        } else {
            WarnStartUpParameter(" 2nd start-up parameter (format) is of wrong type, should be a string");
        }
    }
    if (params.Count() > 2 && !ReadNumber(params, 2, 1, kMaxChannels, myChannels)) {
        WarnStartUpParameter(
            " 3rd start-up parameter (num_of_channels) is of wrong type, should be a number (1 = mono, 2 = stereo)");
    }
    if (params.Count() > 3 && !ReadNumber(params, 3, 1, kMaxChunkSize, myChunkSize)) {
        WarnStartUpParameter(" 4th start-up parameter (chunk_size) is of wrong type, should be a number");
    }
    if (params.Count() > 4 && !ReadNumber(params, 4, 0, kMaxMixingChannels, myMixingChannels)) {
        WarnStartUpParameter(
            " 5th start-up parameter (number_of_audio_channels) is of wrong type, should be a number");
    }
}

bool CTaskAudioSDL::ReadNumber(const CParameterList& params, int index, int low, int high, int& field) {
    if (!params.IsType(index, PARAM_NUMBER)) return false;
    const int value = ParameterToInt(params.GetNumber(index));
    if (value < low || value > high) return false;
    field = value;
    return true;
}

void CTaskAudioSDL::WarnStartUpParameter(const char* text) const { Log()->Warning() << GetName() << text << "\n"; }

bool CTaskAudioSDL::Start() {
    if (myMusicPlayer) return true;
    CLogger* log = Log();
    *log << "Initializing audio ";
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) < 0) {
        *log << "[failed]\n";
        log->Error() << "Initializing SDL_Audio didn't seem to work.\n";
        *log << "Error description: " << SDL_GetError() << "\n";
        return false;
    }
    myAudioStarted = true;
    *log << "[OK]\n";
    if (!OpenMixer()) return false;
    myMusicPlayer = std::make_unique<CMusicPlayer>();
    myEffectPlayer = std::make_unique<CEffectPlayer>();
    CreateCommands();
    return true;
}

bool CTaskAudioSDL::OpenMixer() {
    CLogger* log = Log();
    *log << "Initializing mixer API\n";
    SDL_version compiled;
    MIX_VERSION(&compiled);
    *log << "Compiled with SDL_mixer version: " << VersionText(compiled) << "\n";
    *log << "Running with SDL_mixer version: " << VersionText(*Mix_Linked_Version()) << "\n";
    const std::string parameters = "frequency: " + std::to_string(myFrequency) + "Hz, format: " +
                                   AudioFormatName(myFormat) + ", channels: " + std::to_string(myChannels) +
                                   ", chunksize: " + std::to_string(myChunkSize);
    *log << "Opening audio device with " << parameters << "\t";
    if (Mix_OpenAudio(myFrequency, myFormat, myChannels, myChunkSize) < 0) {
        *log << "[failed]\n";
        log->Error() << "Mix_OpenAudio failed with parameters " << parameters << "\n";
        *log << "Error description: " << SDL_GetError() << "\n";
        return false;
    }
    myMixerOpen = true;
    *log << "[OK]\n";
    LogDeviceSettings();
    char driver[256] = "";
    SDL_AudioDriverName(driver, sizeof driver);
    *log << "Using audiodriver: " << driver << "\n";
    *log << "Number of audio channels allocated " << myMixingChannels << "\n";
    Mix_AllocateChannels(myMixingChannels);
    *log << "Mixer API initialized succesfully\n\n";
    return true;
}

void CTaskAudioSDL::LogDeviceSettings() const {
    int frequency = 0;
    Uint16 format = 0;
    int channels = 0;
    const int opened = Mix_QuerySpec(&frequency, &format, &channels);
    CLogger* log = Log();
    if (opened == 0) {
        log->Warning() << "Error in executing Mix_QuerySpec: " << SDL_GetError() << "\n";
        return;
    }
    *log << "Audio device opened " << opened << " times  with parameters frequency: " << frequency
         << "Hz, format: " << AudioFormatName(format) << ", channels: " << channels << "\n";
}

void CTaskAudioSDL::CreateCommands() {
    myInterpreter.reset(CKernel::GetSingleton()->CreateInterpreter());
    const auto add = [this](const char* name, ICommand* command) {
        myCommands.emplace_back(command);
        myInterpreter->AddCommand(name, command);
    };
    add("PlayMusic", new CPlayMusicCommand(this));
    add("PlayMusicFadeIn", new CPlayMusicFadeInCommand(this));
    add("StopMusic", new CStopMusicCommand(this));
    add("StopMusicFadeOut", new CStopMusicFadeOutCommand(this));
}

void CTaskAudioSDL::Update() {
    // One graphics frame between two looks at the music (a restart is at most that late).
    const types::ticks kMusicPollMs = 16;
    const types::ticks now = GetGlobalTime();
    if (myMusicPlayer && (!myMusicPolled || now - myLastMusicPoll >= kMusicPollMs)) {
        myMusicPlayer->Update();
        myLastMusicPoll = now;
        myMusicPolled = true;
    }
    if (myEffectPlayer) myEffectPlayer->Update();
}

void CTaskAudioSDL::OnStop() { Close(); }

void CTaskAudioSDL::Close() {
    myInterpreter.reset();
    myCommands.clear();
    myMusicPlayer.reset();
    myEffectPlayer.reset();
    if (myMixerOpen) Mix_CloseAudio();
    myMixerOpen = false;
    if (myAudioStarted) SDL_QuitSubSystem(SDL_INIT_AUDIO);
    myAudioStarted = false;
}

void CTaskAudioSDL::OnPause() {
    PauseMusic();
    PauseEffects();
}

void CTaskAudioSDL::OnResume() {
    ResumeMusic();
    ResumeEffects();
}

bool CTaskAudioSDL::ExecuteCommand(const std::string& line) {
    if (!myInterpreter) return false;
    myInterpreter->Execute(line, false);
    return true;
}

void CTaskAudioSDL::PlayMusic(const std::string& fileName) {
    if (myMusicPlayer) myMusicPlayer->Play(fileName);
}

void CTaskAudioSDL::PlayMusicFadeIn(const std::string& fileName, int ms) {
    if (myMusicPlayer) myMusicPlayer->PlayFadeIn(fileName, ms);
}

void CTaskAudioSDL::StopMusic() {
    if (myMusicPlayer) myMusicPlayer->Stop();
}

void CTaskAudioSDL::StopMusicFadeOut(int ms) {
    if (myMusicPlayer) myMusicPlayer->StopFadeOut(ms);
}

void CTaskAudioSDL::PauseMusic() {
    if (myMusicPlayer) myMusicPlayer->Pause();
}

void CTaskAudioSDL::ResumeMusic() {
    if (myMusicPlayer) myMusicPlayer->Resume();
}

void CTaskAudioSDL::SetMusicVolume(float volume) {
    if (myMusicPlayer) myMusicPlayer->SetVolume(volume);
}

void CTaskAudioSDL::PreloadMusic(const std::string& fileName) {
    if (myMusicPlayer) myMusicPlayer->Preload(fileName);
}

void CTaskAudioSDL::FreeMusic(const std::string& fileName) {
    if (myMusicPlayer) myMusicPlayer->Free(fileName);
}

void CTaskAudioSDL::PlayEffect(const std::string& fileName) {
    if (myEffectPlayer) myEffectPlayer->Play(fileName);
}

void CTaskAudioSDL::PauseEffects() {
    if (myEffectPlayer) myEffectPlayer->Pause();
}

void CTaskAudioSDL::ResumeEffects() {
    if (myEffectPlayer) myEffectPlayer->Resume();
}

void CTaskAudioSDL::SetEffectsVolume(float volume) {
    if (myEffectPlayer) myEffectPlayer->SetVolume(volume);
}

void CTaskAudioSDL::PreloadEffect(const std::string& fileName) {
    if (myEffectPlayer) myEffectPlayer->Preload(fileName);
}

void CTaskAudioSDL::FreeEffect(const std::string& fileName) {
    if (myEffectPlayer) myEffectPlayer->Free(fileName);
}

}  // namespace tarn
