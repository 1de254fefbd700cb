// The sample effects' textures, drawn procedurally so the project ships no
// artwork it did not make itself: a soft disc, a spark, a smoke puff and a
// four-frame strip. The texture generator writes them for the samples;
// `tavrix new` writes the one its template shows.
#pragma once

#include <string>
#include <vector>

#include "common/PngFile.h"

namespace tavrix::tools {

struct SampleTexture {
  std::string name;  // the file name under image/
  Image image;
};

std::vector<SampleTexture> SampleTextures();

}  // namespace tavrix::tools
