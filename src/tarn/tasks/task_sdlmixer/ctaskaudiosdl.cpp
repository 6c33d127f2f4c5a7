// The audio task (type "audio" of the task library "sdl_mixer"): opens the audio device
// through SDL_mixer and offers script commands for music, sound effects and their volumes.
#include "tarn/tasks/task_sdlmixer/ctaskaudiosdl.h"

#include <SDL.h>
#include <cstdio>
#include <functional>
#include <utility>
#include <SDL_mixer.h>

#ifndef _WIN32
#include <fcntl.h>
#include <unistd.h>
#endif

#include "tarn/utils/logger/clogger.h"
#include "tarn/tasks/cinterpreter.h"
#include "tarn/tasks/ckernel.h"
#include "tarn/tasks/cparameterlist.h"
#include "tarn/tasks/cargumentcommand.h"
#include "tarn/tasks/task_sdlmixer/audioformat.h"
#include "tarn/tasks/task_sdlmixer/ceffectplayer.h"
#include "tarn/tasks/task_sdlmixer/cmusicplayer.h"
#include "tarn/utils/math/saturate.h"
#include "tarn/utils/timer/ctimer.h"

namespace tarn {

namespace {

const int kDefaultFadeInTime = 1000;

// While alive, standard error goes nowhere: the sound library behind SDL writes its own
// complaints there when no device exists. What went wrong still reaches the log through
// SDL_GetError.
class CQuietStandardError {
public:
    CQuietStandardError() {
#ifndef _WIN32
        std::fflush(stderr);
        mySaved = dup(STDERR_FILENO);
        const int sink = open("/dev/null", O_WRONLY);
        if (sink >= 0) {
            dup2(sink, STDERR_FILENO);
            close(sink);
        }
#endif
    }
    ~CQuietStandardError() {
#ifndef _WIN32
        if (mySaved < 0) return;
        std::fflush(stderr);
        dup2(mySaved, STDERR_FILENO);
        close(mySaved);
#endif
    }
    CQuietStandardError(const CQuietStandardError&) = delete;
    CQuietStandardError& operator=(const CQuietStandardError&) = delete;

private:
    int mySaved = -1;
};

CLogger* Log() { return CKernel::GetSingleton()->GetLogger(); }

void Warn(const char* text) { Log()->Warning() << text << "\n"; }

std::string VersionText(const SDL_version& version) {
    return std::to_string(version.major) + "." + std::to_string(version.minor) + "." + std::to_string(version.patch);
}

// The audio commands answer in the log: a missing or wrong argument is warned and the
// answer is empty.
using Params = CParameterList;
const CArgumentCommand::EReport LOGGED = CArgumentCommand::EReport::LOG;

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

// Calls method on player with args; nothing while the device is not open (no player).
template <typename Player, typename Method, typename... Args>
void WhenOpen(const std::unique_ptr<Player>& player, Method method, Args&&... args) {
    if (player) (player.get()->*method)(std::forward<Args>(args)...);
}

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
    const int value = TruncateToInt(params.GetNumber(index));
    if (value < low || value > high) return false;
    field = value;
    return true;
}

void CTaskAudioSDL::WarnStartUpParameter(const char* text) const { Log()->Warning() << GetName() << text << "\n"; }

bool CTaskAudioSDL::Start() {
    if (myMusicPlayer) return true;
    CLogger* log = Log();
    *log << "Initializing audio ";
    bool audioStarted = false;
    {
        const CQuietStandardError quiet;
        audioStarted = SDL_InitSubSystem(SDL_INIT_AUDIO) >= 0;
    }
    if (!audioStarted) {
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
    bool opened = false;
    {
        const CQuietStandardError quiet;
        opened = Mix_OpenAudio(myFrequency, myFormat, myChannels, myChunkSize) >= 0;
    }
    if (!opened) {
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
    const auto one = [](const char* usage, int kind, const char* wrongUsage, std::function<void(const Params&)> run) {
        return new CArgumentCommand(
            usage, CArgumentCommand::FirstIs(kind),
            [run](Params& params) {
                run(params);
                return std::string();
            },
            LOGGED, wrongUsage);
    };
    add("PlayMusic", one("PlayMusic -command requires atleast one parameter", PARAM_STRING,
                         "PlayMusic -command the 1st parameter is of wrong type, should be string",
                         [this](const Params& p) { PlayMusic(p.GetString(0)); }));
    // PlayMusicFadeIn( file [, ms] ): without a usable time the music fades in over a second.
    add("PlayMusicFadeIn",
        one("PlayMusicFadeIn -command requires atleast one parameter", PARAM_STRING,
            "PlayMusicFadeIn -command the 1st parameter is of wrong type, should be string", [this](const Params& p) {
                const bool timed = p.IsType(1, PARAM_NUMBER);
                if (!timed) Warn("PlayMusicFadeIn -command the 2nd parameter is of wrong type, should be a number");
                PlayMusicFadeIn(p.GetString(0), timed ? TruncateToInt(p.GetNumber(1)) : kDefaultFadeInTime);
            }));
    add("StopMusic", new CStopMusicCommand(this));
    // StopMusicFadeOut( ms ): without a time nothing stops.
    add("StopMusicFadeOut", one("StopMusicFadeOut -command requires atleast one parameter", PARAM_NUMBER,
                                "StopMusicFadeOut -command the 1st parameter is of wrong type, should be number",
                                [this](const Params& p) { StopMusicFadeOut(TruncateToInt(p.GetNumber(0))); }));
    add("PlayEffect", one("PlayEffect -command requires a file name", PARAM_STRING, nullptr,
                          [this](const Params& p) { PlayEffect(p.GetString(0)); }));
    add("SetMusicVolume", one("SetMusicVolume -command requires a volume from 0 to 1", PARAM_NUMBER, nullptr,
                              [this](const Params& p) { SetMusicVolume(static_cast<float>(p.GetNumber(0))); }));
    add("SetEffectsVolume", one("SetEffectsVolume -command requires a volume from 0 to 1", PARAM_NUMBER, nullptr,
                                [this](const Params& p) { SetEffectsVolume(static_cast<float>(p.GetNumber(0))); }));
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
    WhenOpen(myEffectPlayer, &CEffectPlayer::Update);
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

void CTaskAudioSDL::PlayMusic(const std::string& fileName) { WhenOpen(myMusicPlayer, &CMusicPlayer::Play, fileName); }

void CTaskAudioSDL::PlayMusicFadeIn(const std::string& fileName, int ms) {
    WhenOpen(myMusicPlayer, &CMusicPlayer::PlayFadeIn, fileName, ms);
}

void CTaskAudioSDL::StopMusic() { WhenOpen(myMusicPlayer, &CMusicPlayer::Stop); }

void CTaskAudioSDL::StopMusicFadeOut(int ms) { WhenOpen(myMusicPlayer, &CMusicPlayer::StopFadeOut, ms); }

void CTaskAudioSDL::PauseMusic() { WhenOpen(myMusicPlayer, &CMusicPlayer::Pause); }

void CTaskAudioSDL::ResumeMusic() { WhenOpen(myMusicPlayer, &CMusicPlayer::Resume); }

void CTaskAudioSDL::SetMusicVolume(float volume) { WhenOpen(myMusicPlayer, &CMusicPlayer::SetVolume, volume); }

void CTaskAudioSDL::PreloadMusic(const std::string& fileName) {
    WhenOpen(myMusicPlayer, &CMusicPlayer::Preload, fileName);
}

void CTaskAudioSDL::FreeMusic(const std::string& fileName) { WhenOpen(myMusicPlayer, &CMusicPlayer::Free, fileName); }

void CTaskAudioSDL::PlayEffect(const std::string& fileName) {
    WhenOpen(myEffectPlayer, &CEffectPlayer::Play, fileName);
}

void CTaskAudioSDL::PauseEffects() { WhenOpen(myEffectPlayer, &CEffectPlayer::Pause); }

void CTaskAudioSDL::ResumeEffects() { WhenOpen(myEffectPlayer, &CEffectPlayer::Resume); }

void CTaskAudioSDL::SetEffectsVolume(float volume) { WhenOpen(myEffectPlayer, &CEffectPlayer::SetVolume, volume); }

void CTaskAudioSDL::PreloadEffect(const std::string& fileName) {
    WhenOpen(myEffectPlayer, &CEffectPlayer::Preload, fileName);
}

void CTaskAudioSDL::FreeEffect(const std::string& fileName) {
    WhenOpen(myEffectPlayer, &CEffectPlayer::Free, fileName);
}

}  // namespace tarn
