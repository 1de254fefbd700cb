// The samples compared across devices and with the golden images, read from
// samples/reference-times.txt, so that every test comparing samples takes
// them and their moments from that one list.
#pragma once

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <ostream>
#include <string>
#include <vector>

#include "TestPaths.h"

namespace tavrix::test {

struct ReferenceSample {
  std::string name;
  int timeMs;      // of the compared frame, and the first of the golden sheet
  int intervalMs;  // between the four frames of the golden sheet
  int hostMs;      // of the SDL2 host's golden frame
};

// A list that cannot be read leaves no samples, which GoogleTest reports as
// no tests; a line it cannot read becomes a sample named "unreadable" that
// fails.
inline std::vector<ReferenceSample> ReferenceSamples() {
  std::ifstream list(std::string(TAVRIX_SAMPLES_SOURCE) + "/reference-times.txt");
  std::vector<ReferenceSample> samples;
  std::string line;
  while (std::getline(list, line)) {
    if (line.empty() || line[0] == '#') continue;
    char name[64];
    ReferenceSample sample{"unreadable", 0, 0, 0};
    if (std::sscanf(line.c_str(), "%63s %d %d %d", name, &sample.timeMs, &sample.intervalMs,
                    &sample.hostMs) == 4)
      sample.name = name;
    samples.push_back(sample);
  }
  return samples;
}

// Failures name the sample rather than dump its bytes.
inline void PrintTo(const ReferenceSample& sample, std::ostream* out) { *out << sample.name; }

inline std::string ReferenceSampleName(const testing::TestParamInfo<ReferenceSample>& info) {
  return info.param.name;
}

}  // namespace tavrix::test
