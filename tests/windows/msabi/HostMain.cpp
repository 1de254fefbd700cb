// The mingw program around the Microsoft-ABI host: it makes the window,
// enters the folder of the sample effects (textures are found from there),
// provides the seam's memory, switch file and failure report, and runs the
// host. Usage: tavrix_msabi_host <samples folder> <effect file name>.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "msabi/MsAbiSeam.h"

// Code compiled for the Microsoft runtime marks its use of floating point
// with a reference to this symbol.
extern "C" {
int _fltused = 0;
}

namespace {

std::string ExecutableFolder() {
  char path[MAX_PATH];
  DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string folder(path, length);
  return folder.substr(0, folder.find_last_of("\\/") + 1);
}

// A Linux path given on the command line is reached through wine's Z: drive.
std::string WindowsPath(const char* path) {
  std::string result = path[0] == '/' ? std::string("Z:") + path : std::string(path);
  for (char& c : result)
    if (c == '/') c = '\\';
  return result;
}

HWND CreateHostWindow() {
  WNDCLASSA windowClass{};
  windowClass.lpfnWndProc = DefWindowProcA;
  windowClass.hInstance = GetModuleHandleA(nullptr);
  windowClass.lpszClassName = "TavrixHost";
  RegisterClassA(&windowClass);
  return CreateWindowExA(0, "TavrixHost", "host", WS_OVERLAPPEDWINDOW, 0, 0, 256, 256, nullptr,
                         nullptr, windowClass.hInstance, nullptr);
}

}  // namespace

extern "C" void SeamFail(const char* what, long long got, long long expected) {
  std::printf("FAILED: %s is %lld, expected %lld\n", what, got, expected);
}

extern "C" void* SeamAllocate(unsigned int size) { return std::malloc(size); }
extern "C" void SeamFree(void* block) { std::free(block); }

extern "C" void SeamWriteSwitchFile(const char* contents) {
  const std::string path = ExecutableFolder() + "Particle.ini";
  if (!contents) {
    DeleteFileA(path.c_str());
    return;
  }
  if (std::FILE* file = std::fopen(path.c_str(), "wb")) {
    std::fputs(contents, file);
    std::fclose(file);
  }
}

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: %s <samples folder> <effect file>\n", argv[0]);
    return 2;
  }
  if (!SetCurrentDirectoryA(WindowsPath(argv[1]).c_str())) {
    std::fprintf(stderr, "cannot enter %s\n", argv[1]);
    return 2;
  }
  HWND window = CreateHostWindow();
  char temp[MAX_PATH];
  GetTempPathA(MAX_PATH, temp);
  const std::string savePath = std::string(temp) + "tavrix-msabi-saved.eff";
  const int failures = MsAbiHostRun(window, argv[2], savePath.c_str());
  DeleteFileA(savePath.c_str());
  if (window) DestroyWindow(window);
  std::printf("%d failed checks\n", failures);
  return failures == 0 ? 0 : 1;
}
