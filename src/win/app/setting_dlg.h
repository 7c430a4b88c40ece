#pragma once
// The program's only top-level window: a skinned, captionless, always-on-top
// dialog with four page tabs and the commands minimise, close, Initialize,
// Cancel and Save. At start it makes sure it runs from a local copy rather
// than from the memory card, loads time.dat and setup.cfg, and chooses the
// language of its texts.

#include <windows.h>

#include <array>
#include <memory>
#include <optional>
#include <string>

#include "core/settings/card_settings.h"
#include "core/settings/settings_file.h"
#include "core/skin/scale.h"
#include "win/app/main_window_keys.h"
#include "win/app/single_instance.h"
#include "win/controls/mem_canvas.h"
#include "win/controls/rbutton.h"
#include "win/controls/rstatic_text.h"
#include "win/framework/dialog.h"
#include "win/framework/handle.h"
#include "win/framework/modal_input_guard.h"
#include "win/pages/base_dialog.h"

class CSettingDlg : public Dialog {
 public:
  CSettingDlg();
  ~CSettingDlg() override;

  // The page area, in design pixels: the frame paints it white and the
  // pages fill it.
  static constexpr skin::PixelRect kPageArea{11, 85, 611, 522};

 protected:
  INT_PTR DialogProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
  BOOL OnInitDialog() override;
  // Enter and Escape never end this window: its edits would be lost unseen.
  void OnOK() override {}
  void OnCancel() override {}

 private:
  bool RunsFromLocalCopy();
  // True when another window edits the card folder: it comes to the front
  // and this process ends.
  bool CardHasWindowAlready();
  void LoadCard();
  // The window's own pictures and fonts at scale_, anew.
  void CreateSkin();
  void CreateControls();
  // Places the title, buttons and pages at scale_, and skins the controls.
  void LayOutControls();
  // Gives the title and buttons their pictures and fonts at scale_.
  void SkinControls();
  static std::unique_ptr<CBaseDialog> MakePage(size_t index);
  // Page `index` (tab order) made, placed and showing the record, hidden,
  // unless it exists already. Initialize, Save and everything else behave
  // the same whether a page was built yet or not: a page only shows the
  // record, which the main window owns.
  void BuildPage(size_t index);
  void BuildHiddenPages();
  // A monitor of another scale: the window takes the rectangle Windows
  // suggests and lays itself out again; edits, the shown page, its scroll
  // position and the focus stay.
  void OnDpiChanged(int dpi, const RECT& suggested);
  void ShowRecordOnAllPages();
  void ShowRecordOn(CBaseDialog& page);
  void SelectTab(int tabId);
  // The keyboard focus never stays where the driver cannot see it, nor on
  // a radio that is not ticked (Windows ticks a radio that gets the focus):
  // it goes to the tab of the shown page.
  void FocusShownTab();
  void KeepFocusOnShownChoice();
  void OnLButtonDown();
  void OnMouseMove(WPARAM keys, LPARAM position);
  void OnCommand(int id);
  void OnSave();
  void ShowSaveFailure();
  void OnPaint();
  void Release();
  void Close();

  ModalInputGuard inputGuard_;
  // Wheel notches over a page's controls scroll the page.
  MessageFilter pageWheel_;
  MainWindowKeys keys_;
  SettingsFile settingsFile_;
  settings::CardSettings card_;
  UniqueIcon icon_;
  UniqueFont titleFont_;
  CMemCanvas background_;
  UniqueBitmap frame_;  // background plus the white page area, built once
  CRStaticText title_;
  std::array<CRButton, 9> buttons_;
  // Common, Continuous, Parking, Additional: in tab order. Null until
  // built: the Common page at start, the others after the first paint or
  // when their tab is chosen first.
  std::array<std::unique_ptr<CBaseDialog>, 4> pages_;
  std::wstring programFolder_;
  std::optional<app::SingleInstance> instance_;  // this window's claim on the card folder
  skin::Scale scale_;
  bool initialised_ = false;
  bool painted_ = false;  // the first paint is over
  // A press on a free spot of the window or a page: moving the mouse with
  // the button down then drags the window.
  bool dragArmed_ = false;
};
