#include "UpDown.h"

#include <algorithm>
#include <charconv>
#include <string>

#include "Dialog.h"

namespace scx {

using namespace win;

namespace {
constexpr std::string_view kNoBreakSpace = "\xC2\xA0";
}  // namespace

bool UpDown::WritesBuddy() const {
    return (m_style & UDS_SETBUDDYINT) != 0 && m_buddyId != IDC_STATIC &&
           m_owner.HasDlgItem(m_buddyId);
}

void UpDown::SetRange(int lower, int upper) {
    m_lower = lower;
    m_upper = upper;
}

int UpDown::Pos() const {
    if (WritesBuddy()) {
        std::string digits = m_owner.GetDlgItemText(m_buddyId);
        for (auto at = digits.find(kNoBreakSpace); at != std::string::npos;
             at = digits.find(kNoBreakSpace)) {
            digits.erase(at, kNoBreakSpace.size());
        }
        digits.erase(std::remove(digits.begin(), digits.end(), ' '), digits.end());
        const char* first = digits.data();
        if (!digits.empty() && digits.front() == '+') {
            ++first;
        }
        int value = 0;
        const char* last = digits.data() + digits.size();
        const auto [end, error] = std::from_chars(first, last, value);
        if (error == std::errc() && end == last && first != last) {
            return value;
        }
    }
    return m_pos;
}

int UpDown::SetPos(int position) {
    const int previous = Pos();
    m_pos = std::clamp(position, std::min(m_lower, m_upper), std::max(m_lower, m_upper));
    WriteBuddy();
    return previous;
}

void UpDown::Step(int direction) {
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

void UpDown::WriteBuddy() {
    if (!WritesBuddy()) {
        return;
    }
    std::string text = std::to_string(m_pos);
    if ((m_style & UDS_NOTHOUSANDS) == 0) {
        // French grouping: a no-break space between thousands.
        const int firstDigit = m_pos < 0 ? 1 : 0;
        for (int i = static_cast<int>(text.size()) - 3; i > firstDigit; i -= 3) {
            text.insert(static_cast<std::size_t>(i), kNoBreakSpace);
        }
    }
    m_owner.SetDlgItemText(m_buddyId, text);
}

}  // namespace scx
