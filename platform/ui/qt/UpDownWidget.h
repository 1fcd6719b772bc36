#pragma once
// The up-down control's arrows in Qt; their clicks and the buddy's arrow keys step the
// dialog's UpDown, which holds the position and writes the buddy.

#include <QWidget>

class QToolButton;

namespace scx {

class UpDown;

class UpDownWidget : public QWidget {
    Q_OBJECT
  public:
    UpDownWidget(UpDown& updown, QWidget* parent);

    // Lets the up and down keys in `buddy` step the control.
    void WatchBuddyKeys(QWidget* buddy);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

  private:
    UpDown& m_updown;
    QWidget* m_buddy = nullptr;
    QToolButton* m_up;
    QToolButton* m_down;
};

}  // namespace scx
