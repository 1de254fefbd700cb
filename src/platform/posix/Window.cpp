// GetClientRect: a window handle points at the host's own record of the
// client rectangle.
#include "platform/Win32.h"

BOOL GetClientRect(HWND window, RECT* rect) {
  if (!rect) return FALSE;
  if (!window) {
    *rect = RECT{0, 0, 0, 0};
    return TRUE;
  }
  *rect = RECT{window->left, window->top, window->right, window->bottom};
  return TRUE;
}
