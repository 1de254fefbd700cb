// A window and a Direct3D 8 HAL device from the system's d3d8.dll, with a
// back buffer the host can read.
#pragma once

// windows.h first: d3d8.h relies on its types.
#include <windows.h>

#include <d3d8.h>

#include <cstdint>
#include <vector>

namespace tavrix::windows_test {

class RealDevice {
 public:
  RealDevice(int width, int height);
  ~RealDevice();
  RealDevice(const RealDevice&) = delete;
  RealDevice& operator=(const RealDevice&) = delete;

  bool Ready() const { return device_ != nullptr; }
  IDirect3DDevice8* Device() const { return device_; }
  HWND Window() const { return window_; }
  // The back buffer as A8R8G8B8 rows, alpha forced opaque; empty on failure.
  std::vector<uint32_t> ReadBackBuffer();

 private:
  int width_, height_;
  HWND window_ = nullptr;
  IDirect3D8* direct3d_ = nullptr;
  IDirect3DDevice8* device_ = nullptr;
};

}  // namespace tavrix::windows_test
