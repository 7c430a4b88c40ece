#include "win/pages/normal_dlg.h"

#include "core/pages/normal_rows.h"

CNormalDlg::CNormalDlg()
    : CModePageDlg(IDD_CONTINUOUS, pages::normal::kRows, pages::normal::kScales,
                   pages::normal::kScrollMax) {}
