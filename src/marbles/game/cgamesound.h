// The game's music and effects: whether they play (the options and the mute key), and the
// volumes the console variables "music_volume" and "effects_volume" (0 to 100) hold.
#ifndef TARN_MARBLES_GAME_CGAMESOUND_H
#define TARN_MARBLES_GAME_CGAMESOUND_H

namespace marbles {

class CGameSound {
public:
    // The sounds of the game, played through the audio task.
    static constexpr const char* CLICK_SOUND = "data/sound/click.wav";
    static constexpr const char* POP_SOUND = "data/sound/pop.wav";
    static constexpr const char* COMPLETE_SOUND = "data/sound/level_complete.wav";
    static constexpr const char* LOST_SOUND = "data/sound/level_lost.wav";
    static constexpr const char* MUSIC = "data/sound/music.wav";

    // Binds the volume variables, taking the values they hold.
    CGameSound(bool sound, bool music);
    // Leaves the volumes behind as plain console variables for a game started later.
    ~CGameSound();
    CGameSound(const CGameSound&) = delete;
    CGameSound& operator=(const CGameSound&) = delete;

    // Starts the music when sound and music are both on.
    void StartMusic() const;
    // Plays an effect unless sound is off or muted.
    void PlayEffect(const char* file) const;
    // Hands changed volumes (zero while muted) to the audio task.
    void ApplyVolumes();
    void ToggleMute();
    bool IsMuted() const { return myMuted; }

private:
    bool mySound;
    bool myMusic;
    bool myMuted = false;
    int myMusicVolume = 100;
    int myEffectsVolume = 100;
    int myAppliedMusicVolume = -1;
    int myAppliedEffectsVolume = -1;
};

}  // namespace marbles

#endif
