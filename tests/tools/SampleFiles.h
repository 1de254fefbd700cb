// The sample records under samples/, for the tests that go through every
// one of them: their names and their JSON as committed.
#pragma once

#include <string>
#include <vector>

#include "record/RecordModel.h"

namespace tavrix::test {

// The names of the sample records, sorted, the JSON Schema left out.
std::vector<std::string> SampleNames();

record::Json SampleJson(const std::string& name);

}  // namespace tavrix::test
