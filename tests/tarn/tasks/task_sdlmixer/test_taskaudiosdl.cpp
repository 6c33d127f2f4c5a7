// Tests of the audio task on the dummy audio driver: registration by "taskload( sdl_mixer )",
// opening the device with its start-up parameters and log lines, failing drivers, the four
// commands with their warnings, pausing with the task, and closing everything on stop.
#include <SDL.h>
#include <SDL_mixer.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>

#include "support/observe.h"
#include "support/testsupport.h"
#include "support/wavwriter.h"
#include "tarn/tasks/cinterpreter.h"
#include "tarn/tasks/ckernel.h"
#include "tarn/tasks/cparameterlist.h"
#include "tarn/tasks/ctaskfactory.h"
#include "tarn/tasks/task_sdlmixer/ceffectplayer.h"
#include "tarn/tasks/task_sdlmixer/cmusicplayer.h"
#include "tarn/tasks/task_sdlmixer/csdlmixereffectdata.h"
#include "tarn/tasks/task_sdlmixer/csdlmixermusicdata.h"
#include "tarn/tasks/task_sdlmixer/ctaskaudiosdl.h"

namespace {

using tarn::CMusicPlayer;
using tarn::CParameterList;
using tarn::CTaskAudioSDL;

std::string Console(const std::string& line) { return tarn::CKernel::GetSingleton()->GetConsole()->Execute(line); }

// A parameter list from a text like "44100, \"S8\"" evaluated by the real interpreter.
std::unique_ptr<CParameterList> Arguments(const std::string& text) {
    return std::unique_ptr<CParameterList>(tarn::CKernel::GetSingleton()->GetConsole()->ParseParameters("f(" + text + ")"));
}

std::string MixerVersion() {
    SDL_version version;
    MIX_VERSION(&version);
    return std::to_string(version.major) + "." + std::to_string(version.minor) + "." + std::to_string(version.patch);
}

// Sets an environment variable for the life of the object.
class CEnvironment {
public:
    CEnvironment(const char* name, const char* value) : myName(name) {
        const char* old = std::getenv(name);
        myWasSet = old != nullptr;
        if (old) myOld = old;
        testsupport::SetEnvironment(name, value);
    }
    ~CEnvironment() { testsupport::SetEnvironment(myName.c_str(), myWasSet ? myOld.c_str() : nullptr); }

private:
    std::string myName;
    std::string myOld;
    bool myWasSet = false;
};

class TaskAudioSDL : public ::testing::Test {
protected:
    void SetUp() override {
        // Silent and present everywhere, also when the test program runs outside CTest.
        testsupport::SetEnvironment("SDL_AUDIODRIVER", "dummy");
        // Long enough to be still playing wherever a test expects it, however slow the run.
        testsupport::WriteWav("song.wav", testsupport::kGenerousDeadlineMs, 8000, 1);
        testsupport::WriteWav("other.wav", testsupport::kGenerousDeadlineMs, 11025, 1);
    }
    void TearDown() override {
        myTask.reset();
        testsupport::ResetEngine();
        EXPECT_EQ(0u, SDL_WasInit(SDL_INIT_AUDIO));
    }
    // A new task started with the given start-up arguments; "" starts it without any.
    bool StartAudio(const std::string& arguments) {
        myTask = std::make_unique<CTaskAudioSDL>();
        if (arguments.empty()) return myTask->Start();
        return myTask->Start(Arguments(arguments).get());
    }
    bool Logged(const std::string& text) const { return testsupport::LogBody().find(text) != std::string::npos; }
    int MusicState() const { return myTask->GetMusicPlayer()->GetState(); }

    testsupport::CTempDir myDir;
    std::unique_ptr<CTaskAudioSDL> myTask;
};

TEST_F(TaskAudioSDL, DefaultsOpenTheDeviceAndLogEachStep) {
    ASSERT_TRUE(StartAudio(""));
    const std::string expected =
        "( ) Initializing audio [OK]\n"
        "( ) Initializing mixer API\n"
        "( ) Compiled with SDL_mixer version: " + MixerVersion() + "\n"
        "( ) Running with SDL_mixer version: " + MixerVersion() + "\n"
        "( ) Opening audio device with frequency: 22050Hz, format: S16LSB, channels: 2, chunksize: 1024\t[OK]\n"
        "( ) Audio device opened 1 times  with parameters frequency: 22050Hz, format: S16LSB, channels: 2\n"
        "( ) Using audiodriver: dummy\n"
        "( ) Number of audio channels allocated 8\n"
        "( ) Mixer API initialized succesfully\n"
        "( ) \n";
    EXPECT_EQ(expected, testsupport::LogBody());
    EXPECT_EQ(8, Mix_AllocateChannels(-1));
    ASSERT_NE(nullptr, myTask->GetMusicPlayer());
    ASSERT_NE(nullptr, myTask->GetEffectPlayer());
    EXPECT_FALSE(myTask->PauseWhenInactive());
    // A second start neither reopens nor replaces anything.
    const tarn::CMusicPlayer* player = myTask->GetMusicPlayer();
    EXPECT_TRUE(myTask->Start());
    EXPECT_EQ(player, myTask->GetMusicPlayer());
    int frequency = 0;
    Uint16 format = 0;
    int channels = 0;
    EXPECT_EQ(1, Mix_QuerySpec(&frequency, &format, &channels));
}

TEST_F(TaskAudioSDL, StartUpParametersByPositionWithFormatInAnyCase) {
    ASSERT_TRUE(StartAudio("44100, \"s16msb\", 1, 512, 3"));
    EXPECT_TRUE(Logged("( ) Opening audio device with frequency: 44100Hz, format: S16MSB, channels: 1, chunksize: 512\t[OK]\n"));
    EXPECT_TRUE(Logged("( ) Audio device opened 1 times  with parameters frequency: 44100Hz, format: S16MSB, channels: 1\n"));
    EXPECT_TRUE(Logged("( ) Number of audio channels allocated 3\n"));
    EXPECT_EQ(3, Mix_AllocateChannels(-1));
    int frequency = 0;
    Uint16 format = 0;
    int channels = 0;
    Mix_QuerySpec(&frequency, &format, &channels);
    EXPECT_EQ(44100, frequency);
    EXPECT_EQ(AUDIO_S16MSB, format);
    EXPECT_EQ(1, channels);
    EXPECT_FALSE(Logged("(!)"));
}

TEST_F(TaskAudioSDL, OnlyTheParametersGivenAreRead) {
    ASSERT_TRUE(StartAudio("11025"));
    EXPECT_TRUE(Logged("frequency: 11025Hz, format: S16LSB, channels: 2, chunksize: 1024\t[OK]\n"));
    myTask.reset();
    ASSERT_TRUE(StartAudio("22050, \"u8\""));
    EXPECT_TRUE(Logged("frequency: 22050Hz, format: U8, channels: 2, chunksize: 1024\t[OK]\n"));
}

TEST_F(TaskAudioSDL, WrongKindsAndOutOfRangeNumbersKeepTheDefaultsWithWarnings) {
    myTask = std::make_unique<CTaskAudioSDL>();
    myTask->SetName("sound");
    ASSERT_TRUE(myTask->Start(Arguments("\"fast\", \"mp3\", \"two\", 0, 1e12").get()));
    const std::string expected =
        "(!) sound 1st start-up parameter (frequency) is of wrong type, should be a number\n"
        "(!) sound 2nd start-up parameter (format) is of wrong type, should be a string\n"
        "(!) sound 3rd start-up parameter (num_of_channels) is of wrong type, should be a number (1 = mono, 2 = stereo)\n"
        "(!) sound 4th start-up parameter (chunk_size) is of wrong type, should be a number\n"
        "(!) sound 5th start-up parameter (number_of_audio_channels) is of wrong type, should be a number\n";
    EXPECT_EQ(0u, testsupport::LogBody().find(expected)) << testsupport::LogBody();
    EXPECT_TRUE(Logged("Opening audio device with frequency: 22050Hz, format: S16LSB, channels: 2, chunksize: 1024\t[OK]\n"));
    EXPECT_EQ(8, Mix_AllocateChannels(-1));
    myTask.reset();

    // Numbers no device can take count as wrong: a 1 Hz device would stall the mixing thread.
    const char* outOfRange[] = {"1, 12, 0", "-22050, 8, 9, -5, -1", "1e300, 7, 3000000, 70000, 100000"};
    for (const char* arguments : outOfRange) {
        ASSERT_TRUE(StartAudio(arguments)) << arguments;
        EXPECT_TRUE(Logged("audio 1st start-up parameter (frequency) is of wrong type")) << arguments;
        EXPECT_TRUE(Logged("audio 2nd start-up parameter (format) is of wrong type")) << arguments;
        EXPECT_TRUE(Logged("audio 3rd start-up parameter (num_of_channels) is of wrong type")) << arguments;
        EXPECT_TRUE(Logged("frequency: 22050Hz, format: S16LSB, channels: 2, chunksize: 1024\t[OK]\n")) << arguments;
        myTask.reset();
        testsupport::ResetEngine();
    }
}

TEST_F(TaskAudioSDL, AFailingAudioDriverLeavesATaskThatDoesNothing) {
    {
        CEnvironment driver("SDL_AUDIODRIVER", "no-such-driver");
        EXPECT_FALSE(StartAudio(""));
    }
    // Classic SDL 1.2 starts its audio part without a driver and the device fails to open;
    // SDL 1.2 over SDL 2 already fails to start the audio part.
    if (Logged("( ) Initializing audio [failed]\n")) {
        EXPECT_TRUE(Logged("<!> Initializing SDL_Audio didn't seem to work.\n")) << testsupport::LogBody();
    } else {
        EXPECT_TRUE(Logged("( ) Initializing audio [OK]\n")) << testsupport::LogBody();
        EXPECT_TRUE(Logged("chunksize: 1024\t[failed]\n"
                           "<!> Mix_OpenAudio failed with parameters frequency: 22050Hz, format: S16LSB, channels: 2, chunksize: 1024\n"
                           "<!> Error description: No available audio device\n"))
            << testsupport::LogBody();
    }
    EXPECT_EQ(nullptr, myTask->GetMusicPlayer());
    EXPECT_FALSE(myTask->ExecuteCommand("PlayMusic( \"song.wav\" )"));
    myTask->PlayMusic("song.wav");
    myTask->PlayEffect("song.wav");
    myTask->SetMusicVolume(0.5f);
    myTask->OnPause();
    myTask->OnResume();
    myTask->Update();
    myTask->OnStop();
    EXPECT_EQ(0, tarn::CSDLMixerMusicData::GetLiveCount());
    EXPECT_FALSE(Logged("CSDLMixer"));
}

TEST_F(TaskAudioSDL, ADeviceThatDoesNotOpenIsLoggedWithItsParameters) {
    // Classic SDL 1.2 takes one, two, four or six channels; SDL 1.2 over SDL 2 takes three too.
    if (StartAudio("22050, \"S16LSB\", 3")) {
        EXPECT_TRUE(Logged("( ) Opening audio device with frequency: 22050Hz, format: S16LSB, channels: 3, chunksize: 1024\t[OK]\n"))
            << testsupport::LogBody();
        myTask->OnStop();
        EXPECT_EQ(0u, SDL_WasInit(SDL_INIT_AUDIO));
        return;
    }
    EXPECT_TRUE(Logged("( ) Opening audio device with frequency: 22050Hz, format: S16LSB, channels: 3, chunksize: 1024\t[failed]\n"
                       "<!> Mix_OpenAudio failed with parameters frequency: 22050Hz, format: S16LSB, channels: 3, chunksize: 1024\n"
                       "<!> Error description: "))
        << testsupport::LogBody();
    EXPECT_EQ(nullptr, myTask->GetMusicPlayer());
    EXPECT_FALSE(myTask->ExecuteCommand("StopMusic"));
    myTask->OnStop();
    EXPECT_EQ(0u, SDL_WasInit(SDL_INIT_AUDIO));
}

TEST_F(TaskAudioSDL, CommandsPlayFadeAndStopMusic) {
    ASSERT_TRUE(StartAudio(""));
    EXPECT_TRUE(myTask->ExecuteCommand("PlayMusic( \"song.wav\" )"));
    EXPECT_EQ(CMusicPlayer::STATE_PLAYING, MusicState());
    EXPECT_EQ("song.wav", myTask->GetMusicPlayer()->GetCurrent()->GetFileName());
    EXPECT_EQ(MIX_FADING_IN, Mix_FadingMusic());  // the first music fades in over 3 s
    EXPECT_EQ(3000, myTask->GetMusicPlayer()->GetFadeTime());

    EXPECT_TRUE(myTask->ExecuteCommand("StopMusicFadeOut( 250 )"));
    EXPECT_EQ(CMusicPlayer::STATE_STOPPED, MusicState());
    EXPECT_EQ(MIX_FADING_OUT, Mix_FadingMusic());
    EXPECT_EQ(250, myTask->GetMusicPlayer()->GetFadeTime());

    EXPECT_TRUE(myTask->ExecuteCommand("PlayMusicFadeIn( \"other.wav\", 1500 )"));
    EXPECT_EQ("other.wav", myTask->GetMusicPlayer()->GetCurrent()->GetFileName());
    EXPECT_EQ(1500, myTask->GetMusicPlayer()->GetFadeTime());
    EXPECT_EQ(MIX_FADING_IN, Mix_FadingMusic());

    EXPECT_TRUE(myTask->ExecuteCommand("StopMusic"));
    EXPECT_EQ(CMusicPlayer::STATE_STOPPED, MusicState());
    EXPECT_EQ(0, Mix_PlayingMusic());
    EXPECT_FALSE(Logged("(!)")) << testsupport::LogBody();
}

TEST_F(TaskAudioSDL, CommandsWithWrongArgumentsWarn) {
    ASSERT_TRUE(StartAudio(""));
    const struct {
        const char* myLine;
        const char* myWarning;
    } cases[] = {
        {"PlayMusic", "PlayMusic -command requires atleast one parameter"},
        {"PlayMusic()", "PlayMusic -command the 1st parameter is of wrong type, should be string"},
        {"PlayMusic( 12 )", "PlayMusic -command the 1st parameter is of wrong type, should be string"},
        {"PlayMusicFadeIn", "PlayMusicFadeIn -command requires atleast one parameter"},
        {"PlayMusicFadeIn( )", "PlayMusicFadeIn -command the 1st parameter is of wrong type, should be string"},
        {"PlayMusicFadeIn( 5, 5 )", "PlayMusicFadeIn -command the 1st parameter is of wrong type, should be string"},
        {"StopMusicFadeOut", "StopMusicFadeOut -command requires atleast one parameter"},
        {"StopMusicFadeOut()", "StopMusicFadeOut -command the 1st parameter is of wrong type, should be number"},
        {"StopMusicFadeOut( \"slowly\" )", "StopMusicFadeOut -command the 1st parameter is of wrong type, should be number"},
    };
    for (const auto& c : cases) {
        testsupport::ResetEngine();
        myTask->ExecuteCommand(c.myLine);
        EXPECT_EQ(std::string("(!) ") + c.myWarning + "\n", testsupport::LogBody()) << c.myLine;
        EXPECT_EQ(CMusicPlayer::STATE_STOPPED, MusicState()) << c.myLine;
        EXPECT_EQ(0, tarn::CSDLMixerMusicData::GetLiveCount()) << c.myLine;
    }
}

TEST_F(TaskAudioSDL, ArgumentWarningsThatStillAct) {
    ASSERT_TRUE(StartAudio(""));
    // Without a usable time the music fades in over a second.
    myTask->ExecuteCommand("PlayMusicFadeIn( \"song.wav\" )");
    EXPECT_TRUE(Logged("(!) PlayMusicFadeIn -command the 2nd parameter is of wrong type, should be a number\n"));
    EXPECT_EQ(CMusicPlayer::STATE_PLAYING, MusicState());
    EXPECT_EQ(1000, myTask->GetMusicPlayer()->GetFadeTime());
    myTask->ExecuteCommand("PlayMusicFadeIn( \"other.wav\", \"soon\" )");
    EXPECT_EQ("other.wav", myTask->GetMusicPlayer()->GetCurrent()->GetFileName());
    EXPECT_EQ(1000, myTask->GetMusicPlayer()->GetFadeTime());

    // StopMusicFadeOut without a number leaves the music playing; an empty argument is the
    // number 0, a stop without fade.
    myTask->ExecuteCommand("StopMusicFadeOut()");
    myTask->ExecuteCommand("StopMusicFadeOut( \"now\" )");
    EXPECT_EQ(CMusicPlayer::STATE_PLAYING, MusicState());
    myTask->ExecuteCommand("StopMusicFadeOut( )");
    EXPECT_EQ(CMusicPlayer::STATE_STOPPED, MusicState());
    EXPECT_EQ(0, Mix_PlayingMusic());
    myTask->ExecuteCommand("PlayMusic( \"song.wav\" )");

    // StopMusic with any list still stops.
    myTask->ExecuteCommand("StopMusic()");
    EXPECT_TRUE(Logged("(!) StopMusic -command, no parameters needed\n"));
    EXPECT_EQ(CMusicPlayer::STATE_STOPPED, MusicState());
    myTask->ExecuteCommand("PlayMusic( \"song.wav\" )");
    myTask->ExecuteCommand("StopMusic( 1, 2 )");
    EXPECT_EQ(CMusicPlayer::STATE_STOPPED, MusicState());
}

TEST_F(TaskAudioSDL, MissingAndBrokenFilesByCommandAreLogged) {
    ASSERT_TRUE(StartAudio(""));
    testsupport::WriteFile("broken.wav", "RIFF\x10\0\0\0WAVEfmt ");
    myTask->ExecuteCommand("PlayMusic( \"song.wav\" )");
    myTask->ExecuteCommand("PlayMusic( \"nowhere.ogg\" )");
    myTask->ExecuteCommand("PlayMusicFadeIn( \"broken.wav\", 10 )");
    EXPECT_TRUE(Logged("<!> Could not load music-file  nowhere.ogg\n"));
    EXPECT_TRUE(Logged("<!> Could not load music-file  broken.wav\n"));
    EXPECT_EQ("song.wav", myTask->GetMusicPlayer()->GetCurrent()->GetFileName());
    EXPECT_EQ(CMusicPlayer::STATE_PLAYING, MusicState());
    myTask->PlayEffect("nowhere.wav");
    myTask->PlayEffect("broken.wav");
    EXPECT_TRUE(Logged("<!> Could not load effect-file  nowhere.wav\n"));
    EXPECT_EQ(0, tarn::CSDLMixerEffectData::GetLiveCount());
}

TEST_F(TaskAudioSDL, TaskloadRegistersTheTypeAndTheConsoleReachesTheCommands) {
    tarn::CTaskFactory* factory = tarn::CTaskFactory::GetSingleton();
    Console("taskload( sdl_mixer )");
    ASSERT_TRUE(factory->HasTaskType("audio"));
    EXPECT_EQ("audio started", Console("starttask( audio, jukebox, 5, 44100, \"S8\" )"));
    EXPECT_TRUE(Logged("Opening audio device with frequency: 44100Hz, format: S8, channels: 2, chunksize: 1024\t[OK]\n"));
    auto* task = dynamic_cast<CTaskAudioSDL*>(factory->FindTask("jukebox"));
    ASSERT_NE(nullptr, task);
    ASSERT_NE(nullptr, task->GetMusicPlayer());
    EXPECT_EQ("", Console("jukebox::PlayMusic( \"song.wav\" )"));
    EXPECT_EQ(CMusicPlayer::STATE_PLAYING, task->GetMusicPlayer()->GetState());

    // Pausing the task pauses music and effects; resuming resumes both.
    task->PlayEffect("song.wav");
    Console("pausetask( jukebox )");
    EXPECT_EQ(CMusicPlayer::STATE_PAUSED, task->GetMusicPlayer()->GetState());
    EXPECT_EQ(1, Mix_PausedMusic());
    EXPECT_EQ(1, Mix_Paused(-1));
    Console("resumetask( jukebox )");
    EXPECT_EQ(CMusicPlayer::STATE_PLAYING, task->GetMusicPlayer()->GetState());
    EXPECT_EQ(0, Mix_PausedMusic());
    EXPECT_EQ(0, Mix_Paused(-1));

    // Stopping releases every sound and closes the device.
    Console("stoptask( jukebox )");
    EXPECT_EQ(nullptr, task->GetMusicPlayer());
    EXPECT_EQ(0, tarn::CSDLMixerMusicData::GetLiveCount());
    EXPECT_EQ(0, tarn::CSDLMixerEffectData::GetLiveCount());
    EXPECT_TRUE(Logged("freed CSDLMixerMusicData\n"));
    EXPECT_TRUE(Logged("freed CSDLMixerEffectData\n"));
    int frequency = 0;
    Uint16 format = 0;
    int channels = 0;
    EXPECT_EQ(0, Mix_QuerySpec(&frequency, &format, &channels));
    EXPECT_FALSE(task->ExecuteCommand("PlayMusic( \"song.wav\" )"));
}

TEST_F(TaskAudioSDL, UpdateRestartsEndedMusicAndUnloadsSilentEffects) {
    ASSERT_TRUE(StartAudio(""));
    testsupport::WriteWav("blip.wav", 30);
    myTask->PlayMusicFadeIn("blip.wav", 0);
    myTask->PlayEffect("blip.wav");
    ASSERT_TRUE(testsupport::WaitFor([] { return !Mix_PlayingMusic() && !Mix_Playing(-1); }));
    myTask->Update();
    EXPECT_EQ(1, Mix_PlayingMusic());
    EXPECT_EQ(0, tarn::CSDLMixerEffectData::GetLiveCount());
    EXPECT_EQ(1, tarn::CSDLMixerMusicData::GetLiveCount());
}

TEST_F(TaskAudioSDL, PreloadedSoundsStayUntilFreed) {
    ASSERT_TRUE(StartAudio(""));
    testsupport::WriteWav("a.wav", 30);
    testsupport::WriteWav("b.wav", 30);
    myTask->PreloadMusic("a.wav");
    myTask->PreloadEffect("b.wav");
    myTask->Update();
    EXPECT_EQ(1, tarn::CSDLMixerMusicData::GetLiveCount());
    EXPECT_EQ(1, tarn::CSDLMixerEffectData::GetLiveCount());
    myTask->FreeMusic("a.wav");
    myTask->FreeEffect("b.wav");
    EXPECT_EQ(0, tarn::CSDLMixerMusicData::GetLiveCount());
    EXPECT_EQ(0, tarn::CSDLMixerEffectData::GetLiveCount());
}

}  // namespace
