#pragma once
// A recording observer and a scripted prompt for the split and join engines. Both write
// into one log, so a test sees questions and window updates in their true order.

#include <gtest/gtest.h>

#include <deque>
#include <string>
#include <vector>

#include "EngineObserver.h"
#include "OutputQuestion.h"

namespace scx::test {

using Log = std::vector<std::string>;

class RecordingObserver : public pieces::CEngineObserver {
  public:
    explicit RecordingObserver(Log& log) : m_log(log) {}

    void OnProgressPos(int position) override { Add("pos " + std::to_string(position)); }
    void OnProgressStep(int step) override { Add("step " + std::to_string(step)); }
    void OnStepIt() override { Add("stepit"); }
    void OnCaptionPercent(int percent) override { Add("caption " + std::to_string(percent)); }
    void OnFinishedCaption() override { Add("finished"); }
    void OnRepaint() override { Add("repaint"); }
    void OnRefusal(unsigned stringId, const std::string& path) override {
        Add("refuse " + std::to_string(stringId) + (path.empty() ? "" : " " + path));
    }
    void OnBytesCopied(const pieces::CopyProgress& progress) override {
        copies.push_back(progress);
    }

    std::vector<pieces::CopyProgress> copies;

  private:
    void Add(std::string entry) { m_log.push_back(std::move(entry)); }
    Log& m_log;
};

class ScriptedAnswers : public pieces::CUserPrompt {
  public:
    ScriptedAnswers(Log& log, std::deque<bool> answers)
        : m_log(log), m_answers(std::move(answers)) {}
    bool AskYesNo(unsigned stringId, const std::string& /*detail*/) override {
        m_log.push_back("ask " + std::to_string(stringId));
        if (m_answers.empty()) {
            ADD_FAILURE() << "unexpected question " << stringId;
            return false;
        }
        const bool answer = m_answers.front();
        m_answers.pop_front();
        return answer;
    }

  private:
    Log& m_log;
    std::deque<bool> m_answers;
};

}  // namespace scx::test
