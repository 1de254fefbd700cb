// Images as A8R8G8B8 pixels: PNG in and out, and the measure by which the
// real device's frame is compared with the software device's.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace tavrix::windows_test {

struct Pixels {
  int width = 0, height = 0;
  std::vector<uint32_t> data;
};

bool ReadPng(const std::string& path, Pixels& image);
bool WritePng(const std::string& path, const Pixels& image);

struct Difference {
  double meanPerChannel = 0;  // over every colour channel of every pixel
  double differingShare = 0;  // pixels with a channel off by more than the threshold
  int largest = 0;            // the largest difference of any channel
};

Difference Compare(const Pixels& expected, const Pixels& actual, int threshold);

}  // namespace tavrix::windows_test
