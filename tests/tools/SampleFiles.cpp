#include "tools/SampleFiles.h"

#include <algorithm>
#include <filesystem>

#include "TestPaths.h"
#include "record/JsonText.h"
#include "support/EffectFileBuilder.h"

namespace tavrix::test {

std::vector<std::string> SampleNames() {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(TAVRIX_SAMPLES_SOURCE))
    if (entry.path().extension() == ".json" && entry.path().stem().extension() != ".schema")
      names.push_back(entry.path().stem().string());
  std::sort(names.begin(), names.end());
  return names;
}

record::Json SampleJson(const std::string& name) {
  const Bytes text = ReadBytes(std::string(TAVRIX_SAMPLES_SOURCE) + "/" + name + ".json");
  return record::ParseJson(std::string(text.begin(), text.end()));
}

}  // namespace tavrix::test
