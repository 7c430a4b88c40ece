#pragma once
// The Continuous-mode page: resolution, frame rate, video quality and impact
// sensitivity of continuous recording. Every control is a row of
// pages::normal::kRows; the page has no rules beyond them.

#include "win/pages/mode_page_dlg.h"

class CNormalDlg : public CModePageDlg {
 public:
  CNormalDlg();
};
