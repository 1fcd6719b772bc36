#include "TransferFeedback.h"

#include "FileErrorText.h"
#include "Host.h"
#include "MainDlg.h"
#include "Progress.h"
#include "ResourceIds.h"
#include "Resources.h"
#include "WinApp.h"

namespace scx {

using namespace win;

void CTransferFeedback::OnProgressPos(int position) {
    m_window.GetProgressCtrl(res::IDC_PROGRESS).SetPos(position);
}

void CTransferFeedback::OnProgressStep(int step) {
    m_window.GetProgressCtrl(res::IDC_PROGRESS).SetStep(step);
}

void CTransferFeedback::OnStepIt() {
    m_window.GetProgressCtrl(res::IDC_PROGRESS).StepIt();
}

void CTransferFeedback::OnCaptionPercent(int percent) {
    m_window.SetProgressCaption(percent);
}

void CTransferFeedback::OnFinishedCaption() {
    m_window.SetWindowText(std::string(pieces::kFinishedCaption));
}

void CTransferFeedback::OnRepaint() {
    m_window.UpdateWindow();
}

void CTransferFeedback::OnRefusal(unsigned stringId, const std::string& path) {
    AfxMessageBox(ReplacePathSlot(res::LoadString(stringId), path));
}

void CTransferFeedback::OnBytesCopied(const pieces::CopyProgress&) {
    GetHost().PumpEvents();
}

bool CTransferFeedback::AskYesNo(unsigned stringId, const std::string& detail) {
    std::string text = res::LoadString(stringId);
    if (!detail.empty()) {
        text += "\n\"" + detail + "\"";
    }
    return AfxMessageBox(text, MB_YESNO | MB_ICONQUESTION) == IDYES;
}

}  // namespace scx
