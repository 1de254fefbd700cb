// The module's C functions for the page: one player at a time, its frame
// read straight out of the module's memory, result codes named by the
// library's own table.
#include <emscripten/emscripten.h>

#include <memory>
#include <sstream>

#include "SceneHash.h"
#include "TextureDecoder.h"
#include "WebPlayer.h"
#include "tavrix/ResultCodeNames.h"

using tavrix::web::WebPlayer;

namespace {

std::unique_ptr<WebPlayer> player;
tavrix::web::DecodedTexture decoded;

}  // namespace

extern "C" {

EMSCRIPTEN_KEEPALIVE int32_t tvx_create(int32_t width, int32_t height) {
  player.reset();  // one system at a time: the library's budget is process-wide
  player = std::make_unique<WebPlayer>(width, height);
  return player->Status();
}

EMSCRIPTEN_KEEPALIVE void tvx_register_image(const char* name, int32_t texture, int32_t width,
                                             int32_t height) {
  player->Images().Register(name, {texture, width, height});
}

// 0 with the pixels until the next call, or -1 when the file does not decode.
EMSCRIPTEN_KEEPALIVE int32_t tvx_decode_texture(const char* path) {
  return tavrix::web::DecodeTexture(path, decoded) ? 0 : -1;
}
EMSCRIPTEN_KEEPALIVE int32_t tvx_decoded_width() { return decoded.width; }
EMSCRIPTEN_KEEPALIVE int32_t tvx_decoded_height() { return decoded.height; }
EMSCRIPTEN_KEEPALIVE const void* tvx_decoded_pixels() { return decoded.rgba.data(); }

EMSCRIPTEN_KEEPALIVE int32_t tvx_open(const char* path) { return player->Open(path); }
EMSCRIPTEN_KEEPALIVE const char* tvx_missing_image() { return player->Images().Missing().c_str(); }
EMSCRIPTEN_KEEPALIVE const char* tvx_result_name(int32_t code) {
  return tavrix::ResultCodeName(code);
}
EMSCRIPTEN_KEEPALIVE const char* tvx_result_meaning(int32_t code) {
  return tavrix::ResultCodeMeaning(code);
}
EMSCRIPTEN_KEEPALIVE void tvx_restart() { player->Restart(); }
EMSCRIPTEN_KEEPALIVE void tvx_step(int32_t deltaMs) { player->Step(deltaMs); }
EMSCRIPTEN_KEEPALIVE void tvx_next_frame() { player->NextFrame(); }
EMSCRIPTEN_KEEPALIVE void tvx_seek(double timeMs) { player->Seek(int64_t(timeMs)); }
EMSCRIPTEN_KEEPALIVE double tvx_now() { return double(player->Now()); }

EMSCRIPTEN_KEEPALIVE int32_t tvx_draw() {
  player->Draw();
  return player->Quads().QuadCount();
}
EMSCRIPTEN_KEEPALIVE const void* tvx_vertices() { return player->Quads().Vertices(); }
EMSCRIPTEN_KEEPALIVE int32_t tvx_batch_count() { return int32_t(player->Quads().Batches().size()); }
EMSCRIPTEN_KEEPALIVE const void* tvx_batches() { return player->Quads().Batches().data(); }

// effects: paths one a line.
EMSCRIPTEN_KEEPALIVE const char* tvx_scene_hash(const char* effects, double durationMs) {
  static std::string answer;
  std::vector<std::string> paths;
  std::istringstream lines(effects);
  for (std::string line; std::getline(lines, line);)
    if (!line.empty()) paths.push_back(line);
  answer = tavrix::web::SceneHash(paths, int64_t(durationMs));
  return answer.c_str();
}

}  // extern "C"
