#pragma once
// The progress bar the command-line tool draws on a terminal while bytes move:
//
//   [########............]  42 %  430,1 Mo / 1024,0 Mo  612,5 Mo/s  reste 0:01
//
// redrawn in place (carriage return) at most ten times a second. The first drawing waits
// for the first tenth of a second, so that an operation shorter than that draws nothing.

#include <chrono>
#include <cstdint>
#include <functional>
#include <ostream>
#include <string>

namespace scx::cli {

using Clock = std::function<std::chrono::steady_clock::time_point()>;

inline constexpr std::chrono::milliseconds kRedrawInterval{100};

class CTerminalProgress {
  public:
    // `total` is the number of bytes the operation moves; the clock is steady_clock's
    // unless a test gives its own.
    CTerminalProgress(std::ostream& out, std::uint64_t total, Clock clock);

    void Update(std::uint64_t bytesDone);
    // Shows the final state and ends the line, if anything was drawn.
    void Finish();
    // Ends the line, if anything was drawn, so that a message can follow on its own line.
    void Abandon();
    // Starts the clock again: the time spent answering a question is no transfer time.
    void Restart();

    int Redraws() const { return m_redraws; }

    // The line for `done` of `total` bytes after `elapsed`.
    static std::string FormatLine(std::uint64_t done, std::uint64_t total,
                                  std::chrono::duration<double> elapsed);

  private:
    void Draw(std::uint64_t bytesDone, std::chrono::steady_clock::time_point now);

    std::ostream& m_out;
    std::uint64_t m_total;
    Clock m_clock;
    std::chrono::steady_clock::time_point m_start;
    std::chrono::steady_clock::time_point m_lastDraw;
    std::size_t m_lastWidth = 0;
    int m_redraws = 0;
    bool m_lineOpen = false;
};

// "512 o", "1,5 ko", "430,1 Mo", "2,0 Go": units of 1024, one decimal past the bytes.
std::string FormatBytes(double bytes);

// "0:07", "12:34", "1:02:03"; "--:--" when unknown.
std::string FormatDuration(double seconds);

}  // namespace scx::cli
