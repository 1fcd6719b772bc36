#include "Controls.h"

#include <algorithm>

#include "Animation.h"
#include "Dialog.h"
#include "DialogPeer.h"
#include "UpDown.h"

namespace scx {

namespace {

// Lower case for the comparisons of the combo box's search: ASCII and the accented
// capitals of Latin-1 (U+00C0 to U+00DE, except the multiplication sign), in UTF-8.
std::string FoldCase(std::string text) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto byte = static_cast<unsigned char>(text[i]);
        if (byte >= 'A' && byte <= 'Z') {
            text[i] = static_cast<char>(byte + ('a' - 'A'));
        } else if (byte == 0xC3 && i + 1 < text.size()) {
            const auto next = static_cast<unsigned char>(text[++i]);
            if (next >= 0x80 && next <= 0x9E && next != 0x97) {
                text[i] = static_cast<char>(next + 0x20);
            }
        }
    }
    return text;
}

}  // namespace

// Combo box.

int CComboBox::GetCount() const {
    return m_peer.ComboCount(m_id);
}

int CComboBox::GetCurSel() const {
    const int index = m_peer.ComboSelection(m_id);
    return index < 0 ? CB_ERR : index;
}

int CComboBox::SetCurSel(int index) {
    if (index < 0 || index >= GetCount()) {
        m_peer.SelectComboItem(m_id, -1);
        return CB_ERR;
    }
    m_peer.SelectComboItem(m_id, index);
    return index;
}

std::string CComboBox::GetLBText(int index) const {
    return index < 0 || index >= GetCount() ? std::string() : m_peer.ComboItem(m_id, index);
}

int CComboBox::AddString(const std::string& text) {
    m_peer.AddComboItem(m_id, text);
    return GetCount() - 1;
}

int CComboBox::DeleteString(int index) {
    if (index < 0 || index >= GetCount()) {
        return CB_ERR;
    }
    const bool wasSelected = GetCurSel() == index;
    m_peer.DeleteComboItem(m_id, index);
    if (wasSelected) {
        // The platform leaves the list without a selection.
        m_peer.SelectComboItem(m_id, -1);
    }
    return GetCount();
}

int CComboBox::FindString(int startAfter, const std::string& prefix) const {
    const int count = GetCount();
    const std::string wanted = FoldCase(prefix);
    const int first = startAfter < 0 || startAfter >= count ? 0 : startAfter + 1;
    for (int step = 0; step < count; ++step) {
        const int index = (first + step) % count;
        if (FoldCase(m_peer.ComboItem(m_id, index)).starts_with(wanted)) {
            return index;
        }
    }
    return CB_ERR;
}

int CComboBox::SelectString(int startAfter, const std::string& prefix) {
    const int index = FindString(startAfter, prefix);
    if (index != CB_ERR) {
        m_peer.SelectComboItem(m_id, index);
    }
    return index;
}

// List view.

bool CListCtrl::HasCell(int row, int column) const {
    return row >= 0 && row < GetItemCount() && column >= 0 && column < m_peer.ListColumnCount(m_id);
}

int CListCtrl::InsertColumn(int column, const std::string& heading, int, int width) {
    const int at = std::clamp(column, 0, m_peer.ListColumnCount(m_id));
    m_peer.InsertListColumn(m_id, at, heading, width);
    return at;
}

std::string CListCtrl::GetColumnHeading(int column) const {
    return column >= 0 && column < m_peer.ListColumnCount(m_id)
               ? m_peer.ListColumnHeading(m_id, column)
               : std::string();
}

int CListCtrl::GetColumnWidth(int column) const {
    return column >= 0 && column < m_peer.ListColumnCount(m_id)
               ? m_peer.ListColumnWidth(m_id, column)
               : 0;
}

int CListCtrl::GetItemCount() const {
    return m_peer.ListRowCount(m_id);
}

int CListCtrl::InsertItem(int row, const std::string& text) {
    const int at = std::clamp(row, 0, GetItemCount());
    m_peer.InsertListRow(m_id, at, text);
    return at;
}

bool CListCtrl::SetItemText(int row, int column, const std::string& text) {
    if (!HasCell(row, column)) {
        return false;
    }
    m_peer.SetListText(m_id, row, column, text);
    return true;
}

std::string CListCtrl::GetItemText(int row, int column) const {
    return HasCell(row, column) ? m_peer.ListText(m_id, row, column) : std::string();
}

bool CListCtrl::DeleteItem(int row) {
    if (row < 0 || row >= GetItemCount()) {
        return false;
    }
    m_peer.DeleteListRow(m_id, row);
    return true;
}

bool CListCtrl::DeleteAllItems() {
    m_peer.DeleteAllListRows(m_id);
    return true;
}

int CListCtrl::GetSelectedCount() const {
    return static_cast<int>(GetSelectedRows().size());
}

std::vector<int> CListCtrl::GetSelectedRows() const {
    return m_peer.SelectedListRows(m_id);
}

void CListCtrl::SetItemSelected(int row, bool selected) {
    if (row >= -1 && row < GetItemCount()) {
        m_peer.SelectListRow(m_id, row, selected);
    }
}

// Progress bar.

int CProgressCtrl::SetPos(int position) {
    DialogPeer& peer = m_dialog.Peer();
    const int previous = peer.ProgressPos(m_id);
    peer.SetProgressPos(m_id,
                        std::clamp(position, peer.ProgressLower(m_id), peer.ProgressUpper(m_id)));
    return previous;
}

int CProgressCtrl::GetPos() const {
    return m_dialog.Peer().ProgressPos(m_id);
}

int CProgressCtrl::SetStep(int step) {
    // The platform's step until one is set.
    const auto [at, isNew] = m_dialog.m_progressSteps.try_emplace(m_id, 10);
    const int previous = at->second;
    at->second = step;
    return previous;
}

int CProgressCtrl::StepIt() {
    DialogPeer& peer = m_dialog.Peer();
    const auto found = m_dialog.m_progressSteps.find(m_id);
    const int step = found == m_dialog.m_progressSteps.end() ? 10 : found->second;
    const int lower = peer.ProgressLower(m_id);
    const int upper = peer.ProgressUpper(m_id);
    const int previous = peer.ProgressPos(m_id);
    int next = previous + step;
    if (next > upper && upper > lower) {
        next = lower + (next - lower) % (upper - lower);
    }
    peer.SetProgressPos(m_id, std::clamp(next, lower, upper));
    return previous;
}

void CProgressCtrl::SetRange(int lower, int upper) {
    DialogPeer& peer = m_dialog.Peer();
    peer.SetProgressRange(m_id, lower, upper);
}

// Animation.

bool CAnimateCtrl::Open(int clipId) {
    return m_player.Open(clipId);
}
bool CAnimateCtrl::Play(int from, int to, int repeat) {
    return m_player.Play(from, to, repeat);
}
bool CAnimateCtrl::Stop() {
    m_player.Stop();
    return true;
}
bool CAnimateCtrl::Seek(int frame) {
    return m_player.Seek(frame);
}
bool CAnimateCtrl::IsPlaying() const {
    return m_player.IsPlaying();
}
int CAnimateCtrl::GetClip() const {
    return m_player.Clip();
}
int CAnimateCtrl::GetFrame() const {
    return m_player.Frame();
}

// Up-down.

void CSpinButtonCtrl::SetRange(int lower, int upper) {
    m_updown.SetRange(lower, upper);
}
void CSpinButtonCtrl::GetRange(int& lower, int& upper) const {
    lower = m_updown.Lower();
    upper = m_updown.Upper();
}
int CSpinButtonCtrl::SetPos(int position) {
    return m_updown.SetPos(position);
}
int CSpinButtonCtrl::GetPos() const {
    return m_updown.Pos();
}

// Menu.

void CMenu::AppendMenu(win::UINT flags, win::UINT command, const std::string& text) {
    m_items.push_back({flags, command, text});
}

}  // namespace scx
