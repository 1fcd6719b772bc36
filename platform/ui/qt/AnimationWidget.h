#pragma once
// The animation control in Qt: the clip's SVG frames drawn in turn by a QTimer, so that
// it moves whenever events are processed, including the PumpEvents calls of a long
// handler. Which frame shows is the player's business (Animation.h).

#include <QPixmap>
#include <QTimer>
#include <QWidget>
#include <vector>

#include "Animation.h"

namespace scx {

class AnimationWidget : public QWidget, private AnimationView {
    Q_OBJECT
  public:
    AnimationWidget(bool centered, QWidget* parent);

    AnimationPlayer& Player() { return m_player; }

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    bool LoadClip(int clipId) override;
    void StartTimer(int milliseconds) override;
    void StopTimer() override;
    void ShowFrame(int frame) override;

    bool m_centered;
    QTimer m_timer;
    std::vector<QPixmap> m_frames;
    int m_shown = -1;
    AnimationPlayer m_player{*this};
};

}  // namespace scx
