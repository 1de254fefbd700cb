// The Windows types that cross the library boundary. On Windows they come
// from the system headers; elsewhere a window handle points at a host-owned
// record of the window's client rectangle, which GetClientRect copies: a
// host passes &window with HWND__ window = {0, 0, width, height}. The
// library reads it once, in Initialise.
#pragma once

#if defined(_WIN32)
#include <windows.h>
#else
#include <cstdint>

typedef int32_t LONG;
typedef uint32_t DWORD;
typedef uint32_t UINT;
typedef int32_t BOOL;
typedef int32_t HRESULT;
typedef void* HANDLE;
typedef void* HMODULE;

struct HWND__ {
  int32_t left;
  int32_t top;
  int32_t right;
  int32_t bottom;
};
typedef HWND__* HWND;

struct RECT {
  LONG left;
  LONG top;
  LONG right;
  LONG bottom;
};

#ifndef TRUE
#define TRUE 1
#define FALSE 0
#endif
#ifndef MAX_PATH
#define MAX_PATH 260
#endif
#endif
