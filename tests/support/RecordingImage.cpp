// Recording host images and their loader.
#include "support/RecordingImage.h"

namespace tavrix::test {

int32_t RecordingImage::Draw(const Point* source, const Point* destination, uint32_t colour,
                             int32_t additive) {
  RecordedImageDraw draw{};
  for (int i = 0; i < 4; ++i) {
    draw.source[i] = source[i];
    draw.destination[i] = destination[i];
  }
  draw.colour = colour;
  draw.additive = additive;
  draws.push_back(draw);
  return 0;
}

IParticleImage* RecordingImageLoader::Load(const char* path) {
  loads.push_back(path);
  auto found = provided_.find(path);
  if (found == provided_.end()) return nullptr;
  auto image = std::make_unique<RecordingImage>(found->second.first, found->second.second);
  IParticleImage* handle = image.get();
  live_[handle] = std::move(image);
  return handle;
}

void RecordingImageLoader::Release(IParticleImage* image) {
  ++releases;
  if (live_.erase(image) == 0) ++foreignReleases;
}

RecordingImage* RecordingImageLoader::OnlyImage() const {
  return live_.size() == 1 ? live_.begin()->second.get() : nullptr;
}

void RecordingImageLoader::Provide(const std::string& path, int32_t width, int32_t height) {
  provided_[path] = {width, height};
}

}  // namespace tavrix::test
