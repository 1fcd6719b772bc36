#pragma once
// The animation control: plays a clip of the resources frame by frame at the clips' rate.
// It runs on a timer, so it moves whenever events are processed, including the
// PumpEvents calls of a long handler.

#include <QPixmap>
#include <QTimer>
#include <QWidget>
#include <vector>

namespace scx {

class AnimationWidget : public QWidget {
    Q_OBJECT
  public:
    AnimationWidget(bool centered, QWidget* parent);

    bool Open(int clipId);  // 0 closes the clip and clears the control
    bool Play(int from, int to, int repeat);
    void Stop();
    bool Seek(int frame);
    bool IsPlaying() const { return m_timer.isActive(); }
    int Clip() const { return m_clip; }
    int Frame() const { return m_frame; }
    int FrameCount() const { return static_cast<int>(m_frames.size()); }

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    void Advance();
    int LastFrame() const { return FrameCount() - 1; }

    bool m_centered;
    QTimer m_timer;
    std::vector<QPixmap> m_frames;
    int m_clip = 0;
    int m_frame = 0;
    int m_from = 0;
    int m_to = 0;
    int m_repeatsLeft = 0;  // -1: without end
};

}  // namespace scx
