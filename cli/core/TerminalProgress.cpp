#include "TerminalProgress.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace scx::cli {

namespace {

constexpr int kBarWidth = 20;

std::string WithDecimalComma(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.1f", value);
    std::string result(text);
    std::replace(result.begin(), result.end(), '.', ',');
    return result;
}

}  // namespace

std::string FormatBytes(double bytes) {
    static constexpr const char* kUnits[] = {"ko", "Mo", "Go", "To"};
    if (bytes < 1024) {
        return std::to_string(static_cast<std::uint64_t>(std::max(bytes, 0.0))) + " o";
    }
    double value = bytes / 1024;
    std::size_t unit = 0;
    // Decide on the rounded text, so that 1023,96 ko shows as 1,0 Mo and not 1024,0 ko.
    while (unit + 1 < std::size(kUnits) && std::round(value * 10) >= 1024 * 10) {
        value /= 1024;
        ++unit;
    }
    return WithDecimalComma(value) + " " + kUnits[unit];
}

std::string FormatDuration(double seconds) {
    if (!std::isfinite(seconds) || seconds < 0 || seconds >= 100 * 3600) {
        return "--:--";
    }
    const auto whole = static_cast<long long>(std::ceil(seconds));
    char text[32];
    if (whole >= 3600) {
        std::snprintf(text, sizeof text, "%lld:%02lld:%02lld", whole / 3600, whole / 60 % 60,
                      whole % 60);
    } else {
        std::snprintf(text, sizeof text, "%lld:%02lld", whole / 60, whole % 60);
    }
    return text;
}

std::string CTerminalProgress::FormatLine(std::uint64_t done, std::uint64_t total,
                                          std::chrono::duration<double> elapsed) {
    done = std::min(done, total);
    const double fraction = total == 0 ? 1.0 : static_cast<double>(done) / total;
    const int filled = static_cast<int>(fraction * kBarWidth);
    const int percent = static_cast<int>(fraction * 100);
    const double seconds = elapsed.count();
    const double speed = seconds > 0 ? static_cast<double>(done) / seconds : 0;
    const double left = done == total ? 0.0
                        : speed > 0   ? static_cast<double>(total - done) / speed
                                      : NAN;

    std::string line = "[" + std::string(filled, '#') + std::string(kBarWidth - filled, '.') + "]";
    char percentText[8];
    std::snprintf(percentText, sizeof percentText, "%3d %%", percent);
    line += "  ";
    line += percentText;
    line += "  " + FormatBytes(static_cast<double>(done)) + " / " +
            FormatBytes(static_cast<double>(total));
    line += "  " + (speed > 0 ? FormatBytes(speed) + "/s" : std::string("-- o/s"));
    line += "  reste " + FormatDuration(left);
    return line;
}

CTerminalProgress::CTerminalProgress(std::ostream& out, std::uint64_t total, Clock clock)
    : m_out(out), m_total(total), m_clock(std::move(clock)) {
    if (!m_clock) {
        m_clock = [] { return std::chrono::steady_clock::now(); };
    }
    m_start = m_clock();
    m_lastDraw = m_start;
}

void CTerminalProgress::Update(std::uint64_t bytesDone) {
    const auto now = m_clock();
    if (now - m_lastDraw >= kRedrawInterval) {
        Draw(bytesDone, now);
    }
}

void CTerminalProgress::Finish() {
    if (m_lineOpen) {
        Draw(m_total, m_clock());
        Abandon();
    }
}

void CTerminalProgress::Abandon() {
    if (m_lineOpen) {
        m_out << '\n';
        m_out.flush();
        m_lineOpen = false;
    }
}

void CTerminalProgress::Restart() {
    m_start = m_clock();
    m_lastDraw = m_start;
}

void CTerminalProgress::Draw(std::uint64_t bytesDone, std::chrono::steady_clock::time_point now) {
    std::string line = FormatLine(bytesDone, m_total, now - m_start);
    const std::size_t width = line.size();
    // Blanks over what a longer previous line left behind.
    if (width < m_lastWidth) {
        line.append(m_lastWidth - width, ' ');
    }
    m_out << '\r' << line;
    m_out.flush();
    m_lastWidth = width;
    m_lastDraw = now;
    m_lineOpen = true;
    ++m_redraws;
}

}  // namespace scx::cli
