#include "win/controls/client_canvas.h"

bool EnsureClientCanvas(HWND window, CMemCanvas& canvas) {
  RECT client{};
  GetClientRect(window, &client);
  if (canvas.IsCreated() &&
      (canvas.GetWidth() != client.right || canvas.GetHeight() != client.bottom)) {
    canvas.Release();
  }
  return canvas.IsCreated() || canvas.Create(nullptr, client.right, client.bottom);
}

void CopyParentBackground(HWND window, HDC parentBackground, CMemCanvas& canvas) {
  if (!EnsureClientCanvas(window, canvas)) return;
  RECT place{};
  GetWindowRect(window, &place);
  MapWindowPoints(HWND_DESKTOP, GetParent(window), reinterpret_cast<POINT*>(&place), 2);
  BitBlt(canvas.GetDC(), 0, 0, canvas.GetWidth(), canvas.GetHeight(), parentBackground, place.left,
         place.top, SRCCOPY);
}
