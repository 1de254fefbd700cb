// The Windows names the core uses, on POSIX: the types and constants
// windows.h would give, and the functions this port implements under their
// Windows names and signatures.
#pragma once

#include <cstdint>

#include "tavrix/platform/Win32Types.h"

#include <arpa/inet.h>
#include <strings.h>

#define INVALID_HANDLE_VALUE (reinterpret_cast<HANDLE>(-1))
#define MB_OK 0x00000000u

struct PALETTEENTRY {
  uint8_t peRed;
  uint8_t peGreen;
  uint8_t peBlue;
  uint8_t peFlags;
};

struct WIN32_FIND_DATAA {
  DWORD dwFileAttributes;
  char cFileName[MAX_PATH];
};

// GetClientRect copies the host-owned rectangle; a null window gives an
// empty one.
BOOL GetClientRect(HWND window, RECT* rect);
// A null module gives the running executable's path.
DWORD GetModuleFileNameA(HMODULE module, char* fileName, DWORD size);
UINT GetPrivateProfileIntA(const char* appName, const char* keyName, int defaultValue,
                           const char* fileName);
HANDLE FindFirstFileA(const char* fileName, WIN32_FIND_DATAA* findData);
BOOL FindClose(HANDLE findFile);
// There is no dialog here: caption and text go to standard error on one
// line, the text converted from code page 936 to UTF-8.
int MessageBoxA(HWND owner, const char* text, const char* caption, UINT type);
void OutputDebugStringA(const char* text);
DWORD timeGetTime();
int _stricmp(const char* a, const char* b);

namespace tavrix {

// The separator between a directory and a file name in the paths the core
// builds itself (the switch file beside the executable).
constexpr char kDirectorySeparator = '/';

}  // namespace tavrix
