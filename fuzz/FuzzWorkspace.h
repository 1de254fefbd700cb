// A private working folder for a fuzzer: made once, entered, and holding
// whatever files an input needs, so paths inside effect files resolve there.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace tavrix::fuzz {

// Enters a fresh temporary folder on first use.
void EnterWorkspace();
// Writes bytes to name inside the workspace.
void WriteWorkspaceFile(const char* name, const uint8_t* data, size_t size);

}  // namespace tavrix::fuzz
