// The nested effect files an effect file names, read from its bytes before
// it loads. The library opens them while it loads the effect, at once and
// from its file system; a host that fetches its files (the browser) has to
// put them in place first, so it asks here which they are.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace tavrix::web {

// Each name once, as the effect writes it; none for bytes that are not an
// effect file.
std::vector<std::string> NestedFiles(const uint8_t* file, int32_t length);

}  // namespace tavrix::web
