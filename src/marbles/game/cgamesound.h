// The game's music and effects: whether they play (the options and the mute key), which of the
// two pieces of music plays, and the volumes the console variables "music_volume" and
// "effects_volume" (0 to 100) hold.
#ifndef TARN_MARBLES_GAME_CGAMESOUND_H
#define TARN_MARBLES_GAME_CGAMESOUND_H

#include <string>

namespace marbles {

class CGameSound {
public:
    // The sounds of the game, played through the audio task.
    static constexpr const char* CLICK_SOUND = "data/sound/click.wav";
    static constexpr const char* POP_SOUND = "data/sound/pop.wav";
    static constexpr const char* COMPLETE_SOUND = "data/sound/level_complete.wav";
    static constexpr const char* LOST_SOUND = "data/sound/level_lost.wav";
    // The title's music, and that of the first half of the levels.
    static constexpr const char* MUSIC = "data/sound/music.wav";
    // The music of the second half of the levels.
    static constexpr const char* LATER_MUSIC = "data/sound/music2.wav";

    // The music for the level at position (from 1) of levelCount levels; MUSIC before the first.
    static const char* MusicForLevel(int position, int levelCount);

    // Binds the volume variables, taking the values they hold.
    CGameSound(bool sound, bool music);
    // Leaves the volumes behind as plain console variables for a game started later.
    ~CGameSound();
    CGameSound(const CGameSound&) = delete;
    CGameSound& operator=(const CGameSound&) = delete;

    // Starts the music file when sound and music are both on and it is not the one playing.
    void PlayMusic(const char* file);
    // Plays an effect unless sound is off or muted.
    void PlayEffect(const char* file) const;
    // Hands changed volumes (zero while muted) to the audio task.
    void ApplyVolumes();
    void ToggleMute();
    bool IsMuted() const { return myMuted; }
    // Volumes from 0 to 100 (held there), handed over at the next ApplyVolumes.
    void SetMusicVolume(int volume);
    void SetEffectsVolume(int volume);
    int GetMusicVolume() const { return myMusicVolume; }
    int GetEffectsVolume() const { return myEffectsVolume; }

private:
    bool mySound;
    bool myMusic;
    bool myMuted = false;
    // The music asked of the audio task last; "" before.
    std::string myMusicFile;
    int myMusicVolume = 100;
    int myEffectsVolume = 100;
    int myAppliedMusicVolume = -1;
    int myAppliedEffectsVolume = -1;
};

}  // namespace marbles

#endif
