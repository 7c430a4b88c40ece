#pragma once
// The trackbar of the settings pages: a template control subclassed so that
// its drag tooltip shows what the position means (hours, volts, a
// sensitivity step) instead of the raw position. Screen readers hear it as
// a slider named and valued by its page (accessibility.h).

#include "core/pages/slider_tables.h"
#include "win/framework/window.h"

class CSubSlider : public Window {
 public:
  void SetValueType(pages::SliderValueType type) { m_nValueType = type; }
  pages::SliderValueType valueType() const { return m_nValueType; }

  int GetPos() const;
  void SetRange(int low, int high);
  void SetPos(int position);

 protected:
  LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

 private:
  void UpdateTooltip();

  pages::SliderValueType m_nValueType = pages::SliderValueType::kPosition;
};
