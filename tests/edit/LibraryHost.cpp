#include "edit/LibraryHost.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace tavrix::test {

LibraryHost::LibraryHost(const std::string& root)
    : device_(software::DeviceOptions{UINT(Size), UINT(Size)}), window_{0, 0, Size, Size} {
  previousDirectory_ = std::filesystem::current_path().string();
  std::filesystem::current_path(root);
  factory_ = CreateParticleSystem(0, nullptr);
  system_ = factory_ ? factory_->CreateSystem() : nullptr;
  if (!system_ || system_->Initialise(&window_, &device_, nullptr) != 0)
    ADD_FAILURE() << "the particle system could not be initialised";
  else
    system_->SetViewSize(float(Size), float(Size), false);
}

LibraryHost::~LibraryHost() {
  if (system_) system_->Release();
  if (factory_) factory_->Release();
  std::filesystem::current_path(previousDirectory_);
}

std::vector<uint32_t> LibraryHost::Render(int32_t ms) {
  for (int32_t t = 0; t < ms; t += 20) system_->UpdateAll(20);
  device_.Clear(0, nullptr, D3DCLEAR_TARGET, 0xFF000000u, 1.0f, 0);
  system_->DrawAll();
  return std::vector<uint32_t>(device_.Pixels(), device_.Pixels() + Size * Size);
}

int CountPixels(const std::vector<uint32_t>& pixels, uint32_t channelMask) {
  int count = 0;
  for (uint32_t pixel : pixels) count += (pixel & channelMask) != 0;
  return count;
}

}  // namespace tavrix::test
