#pragma once
// The animation control's rules: which frame of which clip shows, and when the next one
// comes. A backend draws the frames and runs the timer; everything else is here.

namespace scx {

// What a backend does for the player.
class AnimationView {
  public:
    virtual ~AnimationView() = default;
    // Makes the frames of `clipId` ready to draw; false when it has none.
    virtual bool LoadClip(int clipId) = 0;
    // Calls AnimationPlayer::Advance every `milliseconds` until stopped.
    virtual void StartTimer(int milliseconds) = 0;
    virtual void StopTimer() = 0;
    // Draws frame `frame` of the loaded clip, or nothing after a close (-1).
    virtual void ShowFrame(int frame) = 0;
};

class AnimationPlayer {
  public:
    explicit AnimationPlayer(AnimationView& view) : m_view(view) {}

    bool Open(int clipId);  // 0 closes the clip and clears the control
    // Frames `from` to `to` (-1: the last), `repeat` times (-1: without end).
    bool Play(int from, int to, int repeat);
    void Stop();
    bool Seek(int frame);  // shows `frame` (-1: the last) and stops there
    // The timer's tick.
    void Advance();

    bool IsPlaying() const { return m_playing; }
    int Clip() const { return m_clip; }
    int Frame() const { return m_frame; }

  private:
    int LastFrame() const { return m_frameCount - 1; }
    void SetPlaying(bool playing);

    AnimationView& m_view;
    int m_clip = 0;
    int m_frameCount = 0;
    int m_frame = 0;
    int m_from = 0;
    int m_to = 0;
    int m_repeatsLeft = 0;  // -1: without end
    bool m_playing = false;
};

}  // namespace scx
