#include "UpDownWidget.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QToolButton>
#include <algorithm>

namespace scx {

using namespace win;

UpDownWidget::UpDownWidget(DWORD style, QWidget* parent)
    : QWidget(parent), m_style(style), m_up(new QToolButton(this)), m_down(new QToolButton(this)) {
    for (QToolButton* arrow : {m_up, m_down}) {
        arrow->setFocusPolicy(Qt::NoFocus);
        arrow->setAutoRepeat(true);
    }
    m_up->setArrowType(Qt::UpArrow);
    m_down->setArrowType(Qt::DownArrow);
    connect(m_up, &QToolButton::clicked, this, [this] { Step(+1); });
    connect(m_down, &QToolButton::clicked, this, [this] { Step(-1); });
}

void UpDownWidget::SetBuddy(QLineEdit* buddy) {
    m_buddy = buddy;
    if ((m_style & UDS_ARROWKEYS) != 0 && buddy != nullptr) {
        buddy->installEventFilter(this);
    }
}

void UpDownWidget::SetRange(int lower, int upper) {
    m_lower = lower;
    m_upper = upper;
}

int UpDownWidget::Pos() const {
    if ((m_style & UDS_SETBUDDYINT) != 0 && m_buddy != nullptr) {
        QString digits = m_buddy->text();
        digits.remove(QChar(0x00A0)).remove(QLatin1Char(' '));
        bool ok = false;
        const int value = digits.toInt(&ok);
        if (ok) {
            return value;
        }
    }
    return m_pos;
}

int UpDownWidget::SetPos(int position) {
    const int previous = Pos();
    m_pos = std::clamp(position, std::min(m_lower, m_upper), std::max(m_lower, m_upper));
    WriteBuddy();
    return previous;
}

void UpDownWidget::Step(int direction) {
    const int low = std::min(m_lower, m_upper);
    const int high = std::max(m_lower, m_upper);
    // A range given upside down makes the up arrow decrease, as on the platform.
    const int delta = m_lower <= m_upper ? direction : -direction;
    int next = std::clamp(Pos(), low, high) + delta;
    if (next > high) {
        next = (m_style & UDS_WRAP) != 0 ? low : high;
    } else if (next < low) {
        next = (m_style & UDS_WRAP) != 0 ? high : low;
    }
    m_pos = next;
    WriteBuddy();
}

void UpDownWidget::WriteBuddy() {
    if ((m_style & UDS_SETBUDDYINT) == 0 || m_buddy == nullptr) {
        return;
    }
    QString text = QString::number(m_pos);
    if ((m_style & UDS_NOTHOUSANDS) == 0) {
        // French grouping: a no-break space between thousands.
        const int firstDigit = m_pos < 0 ? 1 : 0;
        for (int i = static_cast<int>(text.size()) - 3; i > firstDigit; i -= 3) {
            text.insert(i, QChar(0x00A0));
        }
    }
    m_buddy->setText(text);
}

bool UpDownWidget::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_buddy && event->type() == QEvent::KeyPress && isEnabled()) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Up || key == Qt::Key_Down) {
            Step(key == Qt::Key_Up ? +1 : -1);
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
