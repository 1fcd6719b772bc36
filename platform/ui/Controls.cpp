#include "Controls.h"

#include <QComboBox>
#include <QProgressBar>

#include "AnimationWidget.h"
#include "ListViewWidget.h"
#include "UpDownWidget.h"

namespace scx {

namespace {
QString ToQString(const std::string& text) {
    return QString::fromStdString(text);
}
}  // namespace

// Combo box.

int CComboBox::GetCount() const {
    return m_combo->count();
}

int CComboBox::GetCurSel() const {
    const int index = m_combo->currentIndex();
    return index < 0 ? CB_ERR : index;
}

int CComboBox::SetCurSel(int index) {
    if (index < 0 || index >= m_combo->count()) {
        m_combo->setCurrentIndex(-1);
        return CB_ERR;
    }
    m_combo->setCurrentIndex(index);
    return index;
}

std::string CComboBox::GetLBText(int index) const {
    return index < 0 || index >= m_combo->count() ? std::string()
                                                  : m_combo->itemText(index).toStdString();
}

int CComboBox::AddString(const std::string& text) {
    m_combo->addItem(ToQString(text));
    return m_combo->count() - 1;
}

int CComboBox::DeleteString(int index) {
    if (index < 0 || index >= m_combo->count()) {
        return CB_ERR;
    }
    const bool wasSelected = m_combo->currentIndex() == index;
    m_combo->removeItem(index);
    if (wasSelected) {
        // The platform leaves the list without a selection.
        m_combo->setCurrentIndex(-1);
    }
    return m_combo->count();
}

int CComboBox::FindString(int startAfter, const std::string& prefix) const {
    const int count = m_combo->count();
    const QString wanted = ToQString(prefix);
    const int first = startAfter < 0 || startAfter >= count ? 0 : startAfter + 1;
    for (int step = 0; step < count; ++step) {
        const int index = (first + step) % count;
        if (m_combo->itemText(index).startsWith(wanted, Qt::CaseInsensitive)) {
            return index;
        }
    }
    return CB_ERR;
}

int CComboBox::SelectString(int startAfter, const std::string& prefix) {
    const int index = FindString(startAfter, prefix);
    if (index != CB_ERR) {
        m_combo->setCurrentIndex(index);
    }
    return index;
}

// List view.

int CListCtrl::InsertColumn(int column, const std::string& heading, int, int width) {
    return m_list->InsertColumn(column, heading, width);
}
std::string CListCtrl::GetColumnHeading(int column) const {
    return m_list->Rows().Heading(column);
}
int CListCtrl::GetColumnWidth(int column) const {
    return m_list->ColumnWidth(column);
}
int CListCtrl::GetItemCount() const {
    return m_list->Rows().rowCount();
}
int CListCtrl::InsertItem(int row, const std::string& text) {
    return m_list->Rows().InsertRow(row, text);
}
bool CListCtrl::SetItemText(int row, int column, const std::string& text) {
    return m_list->Rows().SetText(row, column, text);
}
std::string CListCtrl::GetItemText(int row, int column) const {
    return m_list->Rows().Text(row, column);
}
bool CListCtrl::DeleteItem(int row) {
    return m_list->Rows().RemoveRow(row);
}
bool CListCtrl::DeleteAllItems() {
    m_list->Rows().RemoveAllRows();
    return true;
}
int CListCtrl::GetSelectedCount() const {
    return static_cast<int>(GetSelectedRows().size());
}
std::vector<int> CListCtrl::GetSelectedRows() const {
    return m_list->SelectedRows();
}
void CListCtrl::SetItemSelected(int row, bool selected) {
    m_list->SetRowSelected(row, selected);
}

// Progress bar.

int CProgressCtrl::SetPos(int position) {
    const int previous = m_bar->value();
    m_bar->setValue(std::clamp(position, m_bar->minimum(), m_bar->maximum()));
    return previous;
}

int CProgressCtrl::GetPos() const {
    return m_bar->value();
}

int CProgressCtrl::SetStep(int step) {
    const int previous =
        m_bar->property("scxStep").isValid() ? m_bar->property("scxStep").toInt() : 10;
    m_bar->setProperty("scxStep", step);
    return previous;
}

int CProgressCtrl::StepIt() {
    const int previous = m_bar->value();
    const int step = m_bar->property("scxStep").isValid() ? m_bar->property("scxStep").toInt() : 10;
    int next = previous + step;
    const int span = m_bar->maximum() - m_bar->minimum();
    if (next > m_bar->maximum() && span > 0) {
        next = m_bar->minimum() + (next - m_bar->minimum()) % span;
    }
    m_bar->setValue(next);
    return previous;
}

void CProgressCtrl::SetRange(int lower, int upper) {
    m_bar->setRange(lower, upper);
}

// Animation.

bool CAnimateCtrl::Open(int clipId) {
    return m_animation->Open(clipId);
}
bool CAnimateCtrl::Play(int from, int to, int repeat) {
    return m_animation->Play(from, to, repeat);
}
bool CAnimateCtrl::Stop() {
    m_animation->Stop();
    return true;
}
bool CAnimateCtrl::Seek(int frame) {
    return m_animation->Seek(frame);
}
bool CAnimateCtrl::IsPlaying() const {
    return m_animation->IsPlaying();
}
int CAnimateCtrl::GetClip() const {
    return m_animation->Clip();
}
int CAnimateCtrl::GetFrame() const {
    return m_animation->Frame();
}

// Up-down.

void CSpinButtonCtrl::SetRange(int lower, int upper) {
    m_updown->SetRange(lower, upper);
}
void CSpinButtonCtrl::GetRange(int& lower, int& upper) const {
    lower = m_updown->Lower();
    upper = m_updown->Upper();
}
int CSpinButtonCtrl::SetPos(int position) {
    return m_updown->SetPos(position);
}
int CSpinButtonCtrl::GetPos() const {
    return m_updown->Pos();
}

// Menu.

void CMenu::AppendMenu(win::UINT flags, win::UINT command, const std::string& text) {
    m_items.push_back({flags, command, text});
}

}  // namespace scx
