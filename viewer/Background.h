// What the effects are drawn over: one colour, or a checkerboard that shows
// how an alpha-blended effect sits on light and dark ground alike.
#pragma once

#include <SDL.h>

#include "ViewerState.h"

namespace tavrix::viewer {

void DrawBackground(SDL_Renderer* renderer, const ViewSettings& settings);

}  // namespace tavrix::viewer
