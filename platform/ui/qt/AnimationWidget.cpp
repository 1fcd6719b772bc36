#include "AnimationWidget.h"

#include <QPainter>
#include <QSvgRenderer>

#include "QtText.h"
#include "Resources.h"

namespace scx {

AnimationWidget::AnimationWidget(bool centered, QWidget* parent)
    : QWidget(parent), m_centered(centered) {
    connect(&m_timer, &QTimer::timeout, this, [this] { m_player.Advance(); });
}

bool AnimationWidget::LoadClip(int clipId) {
    m_frames.clear();
    for (std::string_view path : res::AnimationFrames(clipId)) {
        QSvgRenderer renderer(ToQString(path));
        if (!renderer.isValid()) {
            m_frames.clear();
            return false;
        }
        QPixmap frame(renderer.defaultSize());
        frame.fill(Qt::transparent);
        QPainter painter(&frame);
        renderer.render(&painter);
        m_frames.push_back(frame);
    }
    return !m_frames.empty();
}

void AnimationWidget::StartTimer(int milliseconds) {
    m_timer.start(milliseconds);
}

void AnimationWidget::StopTimer() {
    m_timer.stop();
}

void AnimationWidget::ShowFrame(int frame) {
    m_shown = frame;
    update();
}

void AnimationWidget::paintEvent(QPaintEvent*) {
    if (m_shown < 0 || m_shown >= static_cast<int>(m_frames.size())) {
        return;
    }
    const QPixmap& frame = m_frames[static_cast<std::size_t>(m_shown)];
    QPainter painter(this);
    const QPoint origin =
        m_centered ? QPoint((width() - frame.width()) / 2, (height() - frame.height()) / 2)
                   : QPoint(0, 0);
    painter.drawPixmap(origin, frame);
}

}  // namespace scx
