#pragma once
// The up-down control: two arrows that move a position within a range, written into its
// buddy edit as a decimal number. It never wraps around unless UDS_WRAP asks for it.

#include <QWidget>

#include "WinDefs.h"

class QLineEdit;
class QToolButton;

namespace scx {

class UpDownWidget : public QWidget {
    Q_OBJECT
  public:
    UpDownWidget(win::DWORD style, QWidget* parent);

    void SetBuddy(QLineEdit* buddy);
    QLineEdit* Buddy() const { return m_buddy; }
    void SetRange(int lower, int upper);
    int Lower() const { return m_lower; }
    int Upper() const { return m_upper; }
    // With UDS_SETBUDDYINT the position is read back from the buddy's text.
    int Pos() const;
    int SetPos(int position);
    // One click on an arrow (+1 up, -1 down).
    void Step(int direction);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

  private:
    void WriteBuddy();

    win::DWORD m_style;
    QLineEdit* m_buddy = nullptr;
    QToolButton* m_up;
    QToolButton* m_down;
    int m_lower = 0;
    int m_upper = 100;
    int m_pos = 0;
};

}  // namespace scx
