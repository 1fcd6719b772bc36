#include "FilePropsDlg.h"

#include <algorithm>
#include <climits>
#include <optional>

#include "DecimalText.h"
#include "File.h"
#include "FileErrorText.h"
#include "ResourceIds.h"
#include "Resources.h"
#include "StatusEdit.h"
#include "WinApp.h"

namespace scx {

using namespace res;
using namespace win;

namespace {

// Each date field with its arrows, its range and what it shows of the file's status, in
// the template's order.
struct DateField {
    int id;
    int arrowsId;
    tools::FieldRange range;
    FileTime CFileStatus::*time;
    int tools::LocalDate::*part;
};
using tools::LocalDate;
constexpr DateField kFields[] = {
    {IDC_MOD_DAY, IDC_MOD_DAY_SPIN, tools::kDayRange, &CFileStatus::m_mtime, &LocalDate::day},
    {IDC_MOD_MONTH, IDC_MOD_MONTH_SPIN, tools::kMonthRange, &CFileStatus::m_mtime,
     &LocalDate::month},
    {IDC_MOD_YEAR, IDC_MOD_YEAR_SPIN, tools::kYearRange, &CFileStatus::m_mtime, &LocalDate::year},
    {IDC_CRE_DAY, IDC_CRE_DAY_SPIN, tools::kDayRange, &CFileStatus::m_ctime, &LocalDate::day},
    {IDC_CRE_MONTH, IDC_CRE_MONTH_SPIN, tools::kMonthRange, &CFileStatus::m_ctime,
     &LocalDate::month},
    {IDC_CRE_YEAR, IDC_CRE_YEAR_SPIN, tools::kYearRange, &CFileStatus::m_ctime, &LocalDate::year},
    {IDC_ACC_DAY, IDC_ACC_DAY_SPIN, tools::kDayRange, &CFileStatus::m_atime, &LocalDate::day},
    {IDC_ACC_MONTH, IDC_ACC_MONTH_SPIN, tools::kMonthRange, &CFileStatus::m_atime,
     &LocalDate::month},
    {IDC_ACC_YEAR, IDC_ACC_YEAR_SPIN, tools::kYearRange, &CFileStatus::m_atime, &LocalDate::year},
};

const DateField& FieldOf(int id) {
    return *std::find_if(std::begin(kFields), std::end(kFields),
                         [id](const DateField& field) { return field.id == id; });
}

// The field's value in `status`; nothing when its time cannot be broken down.
std::optional<int> ValueIn(const CFileStatus& status, const DateField& field) {
    const auto local = tools::ToLocal(status.*field.time);
    return local ? std::optional(local->date.*field.part) : std::nullopt;
}

}  // namespace

CFilePropsDlg::CFilePropsDlg() : CDialog(IDD_FILEPROPS) {}

const CDialog::MessageMap& CFilePropsDlg::GetMessageMap() const {
    static const MessageMap map = MakeMessageMap<CFilePropsDlg>({
        {Notify::KillFocus, IDC_MOD_DAY, &CFilePropsDlg::OnKillFocusModifiedDay},
        {Notify::KillFocus, IDC_MOD_MONTH, &CFilePropsDlg::OnKillFocusModifiedMonth},
        {Notify::KillFocus, IDC_MOD_YEAR, &CFilePropsDlg::OnKillFocusModifiedYear},
        {Notify::KillFocus, IDC_CRE_DAY, &CFilePropsDlg::OnKillFocusCreatedDay},
        {Notify::KillFocus, IDC_CRE_MONTH, &CFilePropsDlg::OnKillFocusCreatedMonth},
        {Notify::KillFocus, IDC_CRE_YEAR, &CFilePropsDlg::OnKillFocusCreatedYear},
        {Notify::KillFocus, IDC_ACC_DAY, &CFilePropsDlg::OnKillFocusAccessedDay},
        {Notify::KillFocus, IDC_ACC_MONTH, &CFilePropsDlg::OnKillFocusAccessedMonth},
        {Notify::KillFocus, IDC_ACC_YEAR, &CFilePropsDlg::OnKillFocusAccessedYear},
    });
    return map;
}

bool CFilePropsDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    try {
        CFile file(m_strPath, CFile::modeRead | CFile::shareExclusive);
        m_status = GetFileStatus(file);
        file.Close();
    } catch (const CFileException& error) {
        // Without the file's times there is nothing to keep and nothing may be written.
        ReportFileException(error);
        EndDialog(IDCANCEL);
        return false;
    }

    for (const DateField& field : kFields) {
        if (const auto value = ValueIn(m_status, field)) {
            SetDlgItemText(field.id, std::to_string(*value));
        }
    }

    for (const int arrowsId : {IDC_MOD_DAY_SPIN, IDC_MOD_MONTH_SPIN, IDC_MOD_YEAR_SPIN,
                               IDC_ACC_DAY_SPIN, IDC_ACC_MONTH_SPIN, IDC_ACC_YEAR_SPIN,
                               IDC_CRE_DAY_SPIN, IDC_CRE_MONTH_SPIN, IDC_CRE_YEAR_SPIN}) {
        const DateField& field =
            *std::find_if(std::begin(kFields), std::end(kFields),
                          [arrowsId](const DateField& f) { return f.arrowsId == arrowsId; });
        GetSpinButtonCtrl(arrowsId).SetRange(field.range.minimum, field.range.maximum);
    }

    if (m_status.m_attribute & attr::readOnly) {
        CheckDlgButton(IDC_ATTR_READONLY, true);
    }
    if (m_status.m_attribute & attr::hidden) {
        CheckDlgButton(IDC_ATTR_HIDDEN, true);
    }
    if (m_status.m_attribute & attr::system) {
        AfxMessageBox(IDS_SYSTEM_FILE);
    }
    if (m_status.m_attribute & attr::archive) {
        CheckDlgButton(IDC_ATTR_ARCHIVE, true);
    }
    return true;
}

int CFilePropsDlg::ReadFieldInt(int id) const {
    return static_cast<int>(std::clamp<std::int64_t>(
        pieces::ParseLeadingDecimal(GetDlgItemText(id)), INT_MIN, INT_MAX));
}

bool CFilePropsDlg::CheckField(int id) {
    // The range is the user's: a file may bear a date outside it (1965), or one it cannot
    // show at all (left empty), which stays as it is while its field is not changed.
    const DateField& field = FieldOf(id);
    const int value = ReadFieldInt(id);
    const std::optional<int> shown = ValueIn(m_status, field);
    if (shown ? *shown == value : GetDlgItemText(id).empty()) {
        return true;
    }
    switch (tools::CheckRange(value, field.range)) {
        case tools::RangeCheck::aboveMaximum:
            AfxMessageBox(IDS_VALUE_TOO_HIGH);
            SetDlgItemText(id, std::to_string(field.range.maximum));
            return false;
        case tools::RangeCheck::belowMinimum:
            AfxMessageBox(IDS_VALUE_TOO_LOW);
            SetDlgItemText(id, std::to_string(field.range.minimum));
            return false;
        case tools::RangeCheck::inside:
            break;
    }
    return true;
}

void CFilePropsDlg::OnKillFocusModifiedDay() {
    CheckField(IDC_MOD_DAY);
}
void CFilePropsDlg::OnKillFocusModifiedMonth() {
    CheckField(IDC_MOD_MONTH);
}
void CFilePropsDlg::OnKillFocusModifiedYear() {
    CheckField(IDC_MOD_YEAR);
}
void CFilePropsDlg::OnKillFocusCreatedDay() {
    CheckField(IDC_CRE_DAY);
}
void CFilePropsDlg::OnKillFocusCreatedMonth() {
    CheckField(IDC_CRE_MONTH);
}
void CFilePropsDlg::OnKillFocusCreatedYear() {
    CheckField(IDC_CRE_YEAR);
}
void CFilePropsDlg::OnKillFocusAccessedDay() {
    CheckField(IDC_ACC_DAY);
}
void CFilePropsDlg::OnKillFocusAccessedMonth() {
    CheckField(IDC_ACC_MONTH);
}
void CFilePropsDlg::OnKillFocusAccessedYear() {
    CheckField(IDC_ACC_YEAR);
}

std::optional<tools::LocalDate> CFilePropsDlg::ReadDate(int dayId, int monthId, int yearId) const {
    if ((GetDlgItemText(dayId) + GetDlgItemText(monthId) + GetDlgItemText(yearId)).empty()) {
        return std::nullopt;
    }
    return tools::LocalDate{ReadFieldInt(dayId), ReadFieldInt(monthId), ReadFieldInt(yearId)};
}

void CFilePropsDlg::OnOK() {
    // A field filled without the keyboard has not met its check yet.
    for (const DateField& field : kFields) {
        if (!CheckField(field.id)) {
            return;
        }
    }
    tools::StatusEdit edit;
    edit.modified = ReadDate(IDC_MOD_DAY, IDC_MOD_MONTH, IDC_MOD_YEAR);
    edit.created = ReadDate(IDC_CRE_DAY, IDC_CRE_MONTH, IDC_CRE_YEAR);
    edit.accessed = ReadDate(IDC_ACC_DAY, IDC_ACC_MONTH, IDC_ACC_YEAR);
    edit.readOnly = IsDlgButtonChecked(IDC_ATTR_READONLY);
    edit.hidden = IsDlgButtonChecked(IDC_ATTR_HIDDEN);
    edit.archive = IsDlgButtonChecked(IDC_ATTR_ARCHIVE);
    tools::LocalDate refused;
    const std::optional<CFileStatus> edited = tools::EditedStatus(m_status, edit, refused);
    if (!edited) {
        AfxMessageBox(
            ReplacePathSlot(LoadString(IDS_DATE_NOT_REPRESENTABLE), tools::DateText(refused)),
            MB_OK | MB_ICONEXCLAMATION);
        return;
    }

    switch (AfxMessageBox(IDS_APPLY_CHANGES, MB_YESNOCANCEL | MB_ICONQUESTION)) {
        case IDCANCEL:
            return;
        case IDYES: {
            tools::AppliedStatus applied;
            try {
                applied = tools::ApplyEditedStatus(m_strPath, m_status, *edited);
            } catch (const CStatusWriteException& failure) {
                // As after any failed write, the dialog stays open to try again. m_status
                // takes what was applied: a retry writes the rest, and a change the user
                // then takes back is written back too.
                m_status = tools::WithAppliedParts(m_status, *edited, failure.m_applied);
                AfxMessageBox(tools::PartialWriteText(failure), MB_OK | MB_ICONSTOP);
                return;
            }
            m_status = *edited;
            for (const std::string& remark : tools::AppliedStatusRemarks(m_strPath, applied)) {
                AfxMessageBox(remark, MB_OK | MB_ICONEXCLAMATION);
            }
            break;
        }
        default:
            break;
    }
    EndDialog(IDOK);
}

}  // namespace scx
