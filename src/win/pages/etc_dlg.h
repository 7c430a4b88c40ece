#pragma once
// The Additional-functions page: which kinds of recording the camera may
// overwrite when the card is full, the pattern of its security LED, how the
// memory card is divided between the kinds of recording (shown as bars with
// percentages), and a button that formats the card after a Yes/No
// confirmation. Every click goes into the settings record at once; the
// record is saved by the main window. Created by the main window from its
// template as a modeless child.

#include <windows.h>

#include <array>
#include <functional>

#include "core/pages/partition_shares.h"
#include "core/settings/settings_record.h"
#include "win/controls/mem_canvas.h"
#include "win/framework/handle.h"
#include "win/pages/base_dialog.h"

class CEtcDlg : public CBaseDialog {
 public:
  // Formats the memory card; `owner` is the page, which stays blocked until
  // the format is over.
  using FormatAction = std::function<void(HWND owner)>;

  // The Formatting button formats the card that holds the settings folder.
  CEtcDlg();
  // The Formatting button runs `format` once the user answered Yes.
  explicit CEtcDlg(FormatAction format);

  // Back to the top, lays out and re-texts the page in the program's
  // language and sets its controls, bars and percentages from the record
  // without writing to it.
  void ShowRecord() override;

 protected:
  BOOL OnInitDialog() override;
  void CreateSkin() override;
  void LayOut() override;
  INT_PTR DialogProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
  std::u16string AccessibleName(int id) const override;

 private:
  void ShowValues(const SettingsRecord& record);
  // Bars and percentages of the partition the record holds.
  void ShowShares(const SettingsRecord& record);
  // A click on one of the page's buttons; false for any other id.
  bool OnClicked(int id);
  void ConfirmFormat();
  void Paint(HDC dc);
  // A child control's rectangle in page client coordinates.
  RECT ItemRect(int id) const;

  FormatAction format_;
  UniqueFont titleFont_;
  UniqueFont normalFont_;
  CMemCanvas ledMode1_;
  CMemCanvas ledMode2_;
  std::array<CMemCanvas, pages::partition::kShareKinds> bars_;
};
