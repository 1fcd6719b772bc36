#pragma once
// The editor of a file's dates (modified, created, accessed: day, month, year) and of its
// read-only, hidden and archive attributes. "OK" writes them after a question.

#include <optional>
#include <string>

#include "Dialog.h"
#include "FileStatus.h"
#include "LocalDates.h"

namespace scx {

class CFilePropsDlg : public CDialog {
  public:
    CFilePropsDlg();

    std::string m_strPath;  // the file to edit, set before the dialog is shown
    // Read at opening; its times and attributes are replaced once Yes has written them.
    CFileStatus m_status;

  protected:
    bool OnInitDialog() override;
    void OnOK() override;
    const MessageMap& GetMessageMap() const override;

  private:
    void OnKillFocusModifiedDay();
    void OnKillFocusModifiedMonth();
    void OnKillFocusModifiedYear();
    void OnKillFocusCreatedDay();
    void OnKillFocusCreatedMonth();
    void OnKillFocusCreatedYear();
    void OnKillFocusAccessedDay();
    void OnKillFocusAccessedMonth();
    void OnKillFocusAccessedYear();

    // The field's text read the way atoi reads it.
    int ReadFieldInt(int id) const;
    // The check on leaving a field that the user changed: a value beyond a bound is
    // reported (118 or 119) and replaced by that bound. False when it was.
    bool CheckField(int id);
    // Nothing when the three fields are empty: the file's time could not be shown there.
    std::optional<tools::LocalDate> ReadDate(int dayId, int monthId, int yearId) const;
};

}  // namespace scx
