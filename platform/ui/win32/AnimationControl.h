#pragma once
// The animation control in Win32: a window of our own class that draws the clip's frames
// (bitmaps rendered from the SVG frames at build time) in turn on a timer, so that it
// moves whenever messages are dispatched, including the PumpEvents calls of a long
// handler. Which frame shows is the player's business (Animation.h).

#include <memory>
#include <vector>

#include "Animation.h"
#include "Handles.h"
#include "Picture.h"

namespace scx::win32 {

class AnimationControl : private AnimationView {
  public:
    // Takes over `window`, a control of kAnimationClass; ACS_CENTER centres the frames.
    explicit AnimationControl(Hwnd window);
    ~AnimationControl() override;
    AnimationControl(const AnimationControl&) = delete;
    AnimationControl& operator=(const AnimationControl&) = delete;

    AnimationPlayer& Player() { return m_player; }

    // Registers the window class once.
    static void RegisterWindowClass();

  private:
    bool LoadClip(int clipId) override;
    void StartTimer(int milliseconds) override;
    void StopTimer() override;
    void ShowFrame(int frame) override;
    void Paint();

    static long long __stdcall Procedure(Hwnd window, unsigned message, unsigned long long wParam,
                                         long long lParam);

    Hwnd m_window;
    std::vector<std::unique_ptr<Picture>> m_frames;
    int m_shown = -1;
    AnimationPlayer m_player{*this};
};

}  // namespace scx::win32
