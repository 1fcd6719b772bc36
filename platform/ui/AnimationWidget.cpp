#include "AnimationWidget.h"

#include <QPainter>
#include <QSvgRenderer>
#include <cmath>

#include "Resources.h"

namespace scx {

AnimationWidget::AnimationWidget(bool centered, QWidget* parent)
    : QWidget(parent), m_centered(centered) {
    m_timer.setInterval(static_cast<int>(std::lround(1000.0 / res::kAnimationFramesPerSecond)));
    connect(&m_timer, &QTimer::timeout, this, &AnimationWidget::Advance);
}

bool AnimationWidget::Open(int clipId) {
    m_timer.stop();
    m_frames.clear();
    m_clip = 0;
    m_frame = 0;
    if (clipId != 0) {
        for (std::string_view path : res::AnimationFrames(clipId)) {
            QSvgRenderer renderer(QString::fromUtf8(path.data(), static_cast<int>(path.size())));
            if (!renderer.isValid()) {
                m_frames.clear();
                break;
            }
            QPixmap frame(renderer.defaultSize());
            frame.fill(Qt::transparent);
            QPainter painter(&frame);
            renderer.render(&painter);
            m_frames.push_back(frame);
        }
        if (!m_frames.empty()) {
            m_clip = clipId;
        }
    }
    update();
    return clipId == 0 || m_clip != 0;
}

bool AnimationWidget::Play(int from, int to, int repeat) {
    if (m_frames.empty()) {
        return false;
    }
    m_from = from < 0 ? LastFrame() : std::min(from, LastFrame());
    m_to = to < 0 ? LastFrame() : std::min(to, LastFrame());
    m_repeatsLeft = repeat;
    m_frame = m_from;
    update();
    if (m_from == m_to && repeat >= 0) {
        m_timer.stop();  // a seek: show the frame and stay there
    } else {
        m_timer.start();
    }
    return true;
}

void AnimationWidget::Stop() {
    m_timer.stop();
}

bool AnimationWidget::Seek(int frame) {
    return Play(frame, frame, 1);
}

void AnimationWidget::Advance() {
    if (m_frame < m_to) {
        ++m_frame;
    } else if (m_repeatsLeft < 0 || --m_repeatsLeft > 0) {
        m_frame = m_from;
    } else {
        m_timer.stop();
    }
    update();
}

void AnimationWidget::paintEvent(QPaintEvent*) {
    if (m_frames.empty()) {
        return;
    }
    const QPixmap& frame = m_frames[static_cast<std::size_t>(m_frame)];
    QPainter painter(this);
    const QPoint origin =
        m_centered ? QPoint((width() - frame.width()) / 2, (height() - frame.height()) / 2)
                   : QPoint(0, 0);
    painter.drawPixmap(origin, frame);
}

}  // namespace scx
