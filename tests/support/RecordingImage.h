// Host image objects for tests: an image that records every Draw, and a
// loader that hands out images for the paths it was told about (and none
// for any other), counting loads and releases.
#pragma once

#include <array>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "tavrix/IParticleImage.h"

namespace tavrix::test {

struct RecordedImageDraw {
  std::array<Point, 4> source;
  std::array<Point, 4> destination;
  uint32_t colour;
  int32_t additive;
};

class RecordingImage final : public IParticleImage {
 public:
  RecordingImage(int32_t width, int32_t height) : width_(width), height_(height) {}

  int32_t Draw(const Point* source, const Point* destination, uint32_t colour,
               int32_t additive) override;
  int32_t GetWidth() override { return width_; }
  int32_t GetHeight() override { return height_; }

  std::vector<RecordedImageDraw> draws;

 private:
  int32_t width_;
  int32_t height_;
};

class RecordingImageLoader final : public IParticleImageLoader {
 public:
  IParticleImage* Load(const char* path) override;
  void Release(IParticleImage* image) override;

  // Load(path) will give an image of that size.
  void Provide(const std::string& path, int32_t width, int32_t height);
  int LiveImages() const { return static_cast<int>(live_.size()); }
  // The one live image, or null when there is none or more than one.
  RecordingImage* OnlyImage() const;

  std::vector<std::string> loads;  // every path asked for
  int releases = 0;
  int foreignReleases = 0;  // releases of images this loader never handed out

 private:
  std::map<std::string, std::pair<int32_t, int32_t>> provided_;
  std::map<IParticleImage*, std::unique_ptr<RecordingImage>> live_;
};

}  // namespace tavrix::test
