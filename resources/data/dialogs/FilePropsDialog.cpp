// IDD_FILEPROPS: the file's three dates and its read-only, hidden and archive attributes.

#include "Dialogs.h"
#include "ResourceIds.h"

namespace scx::res::dialogs {

using namespace scx::rc;

const DialogTemplate& FilePropsDialog() {
    // Each up-down takes the control just before it as its buddy, so it must follow its
    // field in the template.
    constexpr DWORD kField = ES_NUMBER | ES_RIGHT | ES_AUTOHSCROLL;
    constexpr DWORD kArrows = UDS_SETBUDDYINT | UDS_AUTOBUDDY | UDS_ARROWKEYS;
    constexpr DWORD kYearArrows = kArrows | UDS_NOTHOUSANDS;

    // "&Annuler" is the default button: Enter in a field must not rewrite the file.
    // clang-format off
    static const DialogTemplate dlg{
        .id = IDD_FILEPROPS,
        .caption = "Modification des propriétés du fichier",
        .rect = {0, 0, 322, 118},
        .style = kModalStyle,
        .controls = {
            PushButton("OK", IDOK,                                      265,  70,  50, 14),
            DefPushButton("&Annuler", IDCANCEL,                         265,  85,  50, 14),

            GroupBox("Modifié le", IDC_STATIC,                            7,   7, 100, 55),
            LText("Jour", IDC_STATIC,                                    14,  16,  30,  8),
            EditText(IDC_MOD_DAY,                                        61,  15,  21, 12, kField),
            UpDown(IDC_MOD_DAY_SPIN,                                     83,  15,  11, 14, kArrows),
            LText("Mois", IDC_STATIC,                                    14,  31,  30,  8),
            EditText(IDC_MOD_MONTH,                                      61,  28,  21, 14, kField),
            UpDown(IDC_MOD_MONTH_SPIN,                                   83,  28,  11, 14, kArrows),
            LText("Année", IDC_STATIC,                                   14,  47,  30,  8),
            EditText(IDC_MOD_YEAR,                                       47,  43,  36, 13, kField),
            UpDown(IDC_MOD_YEAR_SPIN,                                    83,  42,  11, 14, kYearArrows),

            GroupBox("Créé le", IDC_STATIC,                             111,   7, 100, 55),
            LText("Jour", IDC_STATIC,                                   118,  16,  30,  8),
            EditText(IDC_CRE_DAY,                                       173,  15,  21, 13, kField),
            UpDown(IDC_CRE_DAY_SPIN,                                    195,  15,  11, 14, kArrows),
            LText("Mois", IDC_STATIC,                                   118,  31,  30,  8),
            EditText(IDC_CRE_MONTH,                                     173,  29,  21, 14, kField),
            UpDown(IDC_CRE_MONTH_SPIN,                                  195,  28,  11, 14, kArrows),
            LText("Année", IDC_STATIC,                                  118,  47,  30,  8),
            EditText(IDC_CRE_YEAR,                                      159,  44,  36, 12, kField),
            UpDown(IDC_CRE_YEAR_SPIN,                                   195,  42,  11, 14, kYearArrows),

            GroupBox("Accédé le", IDC_STATIC,                           215,   7, 100, 55),
            LText("Jour", IDC_STATIC,                                   222,  16,  30,  8),
            EditText(IDC_ACC_DAY,                                       275,  15,  21, 13, kField),
            UpDown(IDC_ACC_DAY_SPIN,                                    297,  15,  11, 14, kArrows),
            LText("Mois", IDC_STATIC,                                   222,  31,  30,  8),
            EditText(IDC_ACC_MONTH,                                     275,  29,  21, 14, kField),
            UpDown(IDC_ACC_MONTH_SPIN,                                  297,  28,  11, 14, kArrows),
            LText("Année", IDC_STATIC,                                  222,  47,  30,  8),
            EditText(IDC_ACC_YEAR,                                      261,  44,  36, 12, kField),
            UpDown(IDC_ACC_YEAR_SPIN,                                   297,  42,  11, 14, kYearArrows),

            GroupBox("Attributs", IDC_STATIC,                             7,  64, 252, 35),
            AutoCheckBox("Lecture Seule", IDC_ATTR_READONLY,             24,  78,  60, 10),
            AutoCheckBox("Caché", IDC_ATTR_HIDDEN,                      107,  78,  37, 10),
            AutoCheckBox("Archive", IDC_ATTR_ARCHIVE,                   174,  76,  40, 11),
            LText("Attention : ne modifiez pas les attributs de fichiers systèmes ou sensibles",
                  IDC_STATIC,                                             7, 103, 226,  8),
        }};
    // clang-format on
    return dlg;
}

}  // namespace scx::res::dialogs
