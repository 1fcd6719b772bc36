#include "UpDownWidget.h"

#include <QKeyEvent>
#include <QToolButton>

#include "UpDown.h"

namespace scx {

UpDownWidget::UpDownWidget(UpDown& updown, QWidget* parent)
    : QWidget(parent),
      m_updown(updown),
      m_up(new QToolButton(this)),
      m_down(new QToolButton(this)) {
    for (QToolButton* arrow : {m_up, m_down}) {
        arrow->setFocusPolicy(Qt::NoFocus);
        arrow->setAutoRepeat(true);
    }
    m_up->setArrowType(Qt::UpArrow);
    m_down->setArrowType(Qt::DownArrow);
    connect(m_up, &QToolButton::clicked, this, [this] { m_updown.Step(+1); });
    connect(m_down, &QToolButton::clicked, this, [this] { m_updown.Step(-1); });
}

void UpDownWidget::WatchBuddyKeys(QWidget* buddy) {
    m_buddy = buddy;
    buddy->installEventFilter(this);
}

bool UpDownWidget::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_buddy && event->type() == QEvent::KeyPress && isEnabled()) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Up || key == Qt::Key_Down) {
            m_updown.Step(key == Qt::Key_Up ? +1 : -1);
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void UpDownWidget::resizeEvent(QResizeEvent*) {
    const int half = height() / 2;
    m_up->setGeometry(0, 0, width(), half);
    m_down->setGeometry(0, half, width(), height() - half);
}

}  // namespace scx
