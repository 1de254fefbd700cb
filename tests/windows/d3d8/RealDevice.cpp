#include "d3d8/RealDevice.h"

namespace tavrix::windows_test {
namespace {

// mingw ships no import library for d3d8.dll; the system's is found at run
// time, as a game's loader would.
IDirect3D8* CreateDirect3D() {
  HMODULE library = LoadLibraryA("d3d8.dll");
  auto create = library ? reinterpret_cast<IDirect3D8*(WINAPI*)(UINT)>(
                              reinterpret_cast<void*>(GetProcAddress(library, "Direct3DCreate8")))
                        : nullptr;
  return create ? create(D3D_SDK_VERSION) : nullptr;
}

}  // namespace

RealDevice::RealDevice(int width, int height) : width_(width), height_(height) {
  WNDCLASSA windowClass{};
  windowClass.lpfnWndProc = DefWindowProcA;
  windowClass.hInstance = GetModuleHandleA(nullptr);
  windowClass.lpszClassName = "TavrixDevice";
  RegisterClassA(&windowClass);
  // The window's client area is exactly the back buffer.
  RECT frame{0, 0, width, height};
  AdjustWindowRect(&frame, WS_OVERLAPPEDWINDOW, FALSE);
  window_ = CreateWindowExA(0, "TavrixDevice", "tavrix", WS_OVERLAPPEDWINDOW, 0, 0,
                            frame.right - frame.left, frame.bottom - frame.top, nullptr, nullptr,
                            windowClass.hInstance, nullptr);
  direct3d_ = window_ ? CreateDirect3D() : nullptr;
  if (!direct3d_) return;
  D3DPRESENT_PARAMETERS parameters{};
  parameters.BackBufferWidth = width;
  parameters.BackBufferHeight = height;
  parameters.BackBufferFormat = D3DFMT_X8R8G8B8;
  parameters.BackBufferCount = 1;
  parameters.SwapEffect = D3DSWAPEFFECT_COPY;
  parameters.hDeviceWindow = window_;
  parameters.Windowed = TRUE;
  parameters.Flags = D3DPRESENTFLAG_LOCKABLE_BACKBUFFER;
  if (FAILED(direct3d_->CreateDevice(D3DADAPTER_DEFAULT, D3DDEVTYPE_HAL, window_,
                                     D3DCREATE_SOFTWARE_VERTEXPROCESSING, &parameters, &device_)))
    device_ = nullptr;
}

RealDevice::~RealDevice() {
  if (device_) device_->Release();
  if (direct3d_) direct3d_->Release();
  if (window_) DestroyWindow(window_);
}

std::vector<uint32_t> RealDevice::ReadBackBuffer() {
  std::vector<uint32_t> pixels;
  IDirect3DSurface8* surface = nullptr;
  if (FAILED(device_->GetBackBuffer(0, D3DBACKBUFFER_TYPE_MONO, &surface))) return pixels;
  D3DLOCKED_RECT locked{};
  if (SUCCEEDED(surface->LockRect(&locked, nullptr, D3DLOCK_READONLY))) {
    pixels.resize(static_cast<size_t>(width_) * height_);
    for (int y = 0; y < height_; ++y) {
      const auto* row = reinterpret_cast<const uint32_t*>(
          static_cast<const uint8_t*>(locked.pBits) + static_cast<ptrdiff_t>(y) * locked.Pitch);
      for (int x = 0; x < width_; ++x)
        pixels[static_cast<size_t>(y) * width_ + x] = row[x] | 0xFF000000u;
    }
    surface->UnlockRect();
  }
  surface->Release();
  return pixels;
}

}  // namespace tavrix::windows_test
