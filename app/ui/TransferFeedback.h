#pragma once
// What the main window shows while the split or a join works: the engines' observer and
// prompt, turned into the progress bar, the caption, repaints and message boxes.

#include "EngineObserver.h"
#include "OutputQuestion.h"

namespace scx {

class CMainDlg;

class CTransferFeedback : public pieces::CEngineObserver, public pieces::CUserPrompt {
  public:
    explicit CTransferFeedback(CMainDlg& window) : m_window(window) {}

    void OnProgressPos(int position) override;
    void OnProgressStep(int step) override;
    void OnStepIt() override;
    void OnCaptionPercent(int percent) override;
    void OnFinishedCaption() override;
    void OnRepaint() override;
    void OnRefusal(unsigned stringId, const std::string& path) override;
    // Lets the animation move and the window repaint during long copies.
    void OnBytesCopied(const pieces::CopyProgress& progress) override;

    bool AskYesNo(unsigned stringId, const std::string& detail) override;

  private:
    CMainDlg& m_window;
};

}  // namespace scx
