#pragma once
// The up-down control's rules: a position within a range, moved one step at a time and
// written into its buddy edit as a decimal number. It never wraps around unless UDS_WRAP
// asks for it. A backend only draws the arrows and reports their clicks and the buddy's
// arrow keys to Step.

#include "WinDefs.h"

namespace scx {

class CDialog;

class UpDown {
  public:
    // `buddyId` is the edit it writes (IDC_STATIC: none).
    UpDown(CDialog& owner, win::DWORD style, int buddyId)
        : m_owner(owner), m_style(style), m_buddyId(buddyId) {}

    int BuddyId() const { return m_buddyId; }
    bool TakesArrowKeys() const { return (m_style & win::UDS_ARROWKEYS) != 0; }
    void SetRange(int lower, int upper);
    int Lower() const { return m_lower; }
    int Upper() const { return m_upper; }
    // With UDS_SETBUDDYINT the position is read back from the buddy's text.
    int Pos() const;
    int SetPos(int position);  // returns the previous position
    // One click on an arrow (+1 up, -1 down).
    void Step(int direction);

  private:
    void WriteBuddy();
    bool WritesBuddy() const;

    CDialog& m_owner;
    win::DWORD m_style;
    int m_buddyId;
    int m_lower = 0;
    int m_upper = 100;
    int m_pos = 0;
};

}  // namespace scx
