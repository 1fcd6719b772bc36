#include "OutputQuestion.h"

#include "ResourceIds.h"

namespace scx::pieces {

OutputNameChoice ChooseOutputName(bool nameTaken, CUserPrompt& prompt,
                                  const std::string& overwriteDetail) {
    if (!nameTaken) {
        return OutputNameChoice::keepName;
    }
    if (prompt.AskYesNo(res::IDS_OVERWRITE, overwriteDetail)) {
        return OutputNameChoice::keepName;
    }
    if (prompt.AskYesNo(res::IDS_ADD_COPY, std::string())) {
        return OutputNameChoice::useCopyName;
    }
    return OutputNameChoice::cancel;
}

}  // namespace scx::pieces
