#include "Animation.h"

#include <algorithm>
#include <cmath>

#include "Resources.h"

namespace scx {

bool AnimationPlayer::Open(int clipId) {
    SetPlaying(false);
    m_clip = 0;
    m_frame = 0;
    m_frameCount = 0;
    if (clipId != 0 && m_view.LoadClip(clipId)) {
        m_clip = clipId;
        m_frameCount = static_cast<int>(res::AnimationFrames(clipId).size());
    }
    m_view.ShowFrame(m_clip != 0 ? 0 : -1);
    return clipId == 0 || m_clip != 0;
}

bool AnimationPlayer::Play(int from, int to, int repeat) {
    if (m_frameCount == 0) {
        return false;
    }
    m_from = from < 0 ? LastFrame() : std::min(from, LastFrame());
    m_to = to < 0 ? LastFrame() : std::min(to, LastFrame());
    m_repeatsLeft = repeat;
    m_frame = m_from;
    m_view.ShowFrame(m_frame);
    // A seek shows the frame and stays there.
    SetPlaying(m_from != m_to || repeat < 0);
    return true;
}

void AnimationPlayer::Stop() {
    SetPlaying(false);
}

bool AnimationPlayer::Seek(int frame) {
    return Play(frame, frame, 1);
}

void AnimationPlayer::Advance() {
    if (m_frame < m_to) {
        ++m_frame;
    } else if (m_repeatsLeft < 0 || --m_repeatsLeft > 0) {
        m_frame = m_from;
    } else {
        SetPlaying(false);
    }
    m_view.ShowFrame(m_frame);
}

void AnimationPlayer::SetPlaying(bool playing) {
    m_playing = playing;
    if (playing) {
        m_view.StartTimer(static_cast<int>(std::lround(1000.0 / res::kAnimationFramesPerSecond)));
    } else {
        m_view.StopTimer();
    }
}

}  // namespace scx
