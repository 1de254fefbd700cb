// The C-linkage seam between the host compiled in the Microsoft C++ ABI and
// the mingw program around it: plain C types only, so both sides agree.
#pragma once

#ifdef __cplusplus
extern "C" {
#endif

// Provided by the mingw side.
void SeamFail(const char* what, long long got, long long expected);
void* SeamAllocate(unsigned int size);
void SeamFree(void* block);
// Writes Particle.ini beside the executable; null removes it.
void SeamWriteSwitchFile(const char* contents);

// Provided by the Microsoft-ABI host: drives the library and answers the
// number of failed checks. window is the host's HWND.
int MsAbiHostRun(void* window, const char* effectPath, const char* savePath);

#ifdef __cplusplus
}
#endif
