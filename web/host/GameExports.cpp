// The package module's C functions: each of the library's operations on the
// one game host of this module instance (the page makes an instance per
// createTavrix), the frame read straight out of the module's memory, and
// the helpers the page needs to feed the library its files.
#include <emscripten/emscripten.h>

#include <memory>

#include "GameHost.h"
#include "NestedFiles.h"
#include "TextureDecoder.h"
#include "tavrix/ResultCodeNames.h"

using tavrix::web::GameHost;

namespace {

std::unique_ptr<GameHost> host;
tavrix::web::DecodedTexture decoded;
std::vector<int32_t> finished;
std::string answer;  // a text result, valid until the next call that returns one

tavrix::IParticleSystem& System() { return host->System(); }

const char* Lines(const std::vector<std::string>& lines) {
  answer.clear();
  for (const std::string& line : lines) answer += line + '\n';
  return answer.c_str();
}

}  // namespace

extern "C" {

EMSCRIPTEN_KEEPALIVE int32_t tvx_create(int32_t width, int32_t height) {
  host = std::make_unique<GameHost>(width, height);
  return host->Status();
}
EMSCRIPTEN_KEEPALIVE void tvx_destroy() { host.reset(); }

EMSCRIPTEN_KEEPALIVE int32_t tvx_set_view_size(float width, float height) {
  return System().SetViewSize(width, height, false);
}
EMSCRIPTEN_KEEPALIVE int32_t tvx_load_effect(const char* path) { return System().LoadEffect(path); }
EMSCRIPTEN_KEEPALIVE int32_t tvx_unload_effect(int32_t id) { return System().UnloadEffect(id); }
EMSCRIPTEN_KEEPALIVE int32_t tvx_set_effect_position(int32_t id, float x, float y, int32_t live) {
  return System().SetEffectPosition(id, x, y, live != 0);
}
// prewarmMs as JavaScript gives it: cut to the library's unsigned range.
EMSCRIPTEN_KEEPALIVE int32_t tvx_play_effect(int32_t id, double prewarmMs) {
  const double ms = prewarmMs > 0 ? prewarmMs : 0;  // NaN too
  return System().PlayEffect(id, ms < 4294967295.0 ? uint32_t(ms) : UINT32_MAX);
}
EMSCRIPTEN_KEEPALIVE int32_t tvx_clear_effect(int32_t id) { return System().ClearEffect(id); }
EMSCRIPTEN_KEEPALIVE int32_t tvx_update_all_to(int32_t timeMs) {
  return System().UpdateAllTo(timeMs);
}
EMSCRIPTEN_KEEPALIVE int32_t tvx_update_effect(int32_t id, int32_t deltaMs) {
  return System().UpdateEffect(id, deltaMs);
}
EMSCRIPTEN_KEEPALIVE int32_t tvx_update_all(int32_t deltaMs) { return System().UpdateAll(deltaMs); }
EMSCRIPTEN_KEEPALIVE int32_t tvx_save_effect(const char* path) { return System().SaveEffect(path); }
EMSCRIPTEN_KEEPALIVE int32_t tvx_effect_count() { return System().GetEffectCount(); }
EMSCRIPTEN_KEEPALIVE int32_t tvx_effect_width(int32_t id) { return System().GetEffectWidth(id); }
EMSCRIPTEN_KEEPALIVE int32_t tvx_effect_height(int32_t id) { return System().GetEffectHeight(id); }

EMSCRIPTEN_KEEPALIVE int32_t tvx_draw_all() { return host->DrawAll(); }
EMSCRIPTEN_KEEPALIVE int32_t tvx_begin_frame() { return host->BeginFrame(); }
EMSCRIPTEN_KEEPALIVE int32_t tvx_draw_effect(int32_t id) { return System().DrawEffect(id); }
EMSCRIPTEN_KEEPALIVE int32_t tvx_end_frame() { return System().EndFrame(); }
EMSCRIPTEN_KEEPALIVE int32_t tvx_quad_count() { return host->Quads().QuadCount(); }
EMSCRIPTEN_KEEPALIVE const void* tvx_vertices() { return host->Quads().Vertices(); }
EMSCRIPTEN_KEEPALIVE int32_t tvx_batch_count() { return int32_t(host->Quads().Batches().size()); }
EMSCRIPTEN_KEEPALIVE const void* tvx_batches() { return host->Quads().Batches().data(); }

// The ends since the last call: their count, then the identifiers.
EMSCRIPTEN_KEEPALIVE int32_t tvx_take_finished() {
  finished = host->TakeFinished();
  return int32_t(finished.size());
}
EMSCRIPTEN_KEEPALIVE const int32_t* tvx_finished() { return finished.data(); }

// Texture names the library asked for since the last call, one a line.
EMSCRIPTEN_KEEPALIVE const char* tvx_take_pending_images() {
  return Lines(host->Images().TakePending());
}
EMSCRIPTEN_KEEPALIVE void tvx_register_image(const char* name, int32_t texture, int32_t width,
                                             int32_t height) {
  host->Images().Register(name, {texture, width, height});
}
EMSCRIPTEN_KEEPALIVE const char* tvx_nested_files(const uint8_t* bytes, int32_t length) {
  return Lines(tavrix::web::NestedFiles(bytes, length));
}

// 0 with the pixels until the next call, or -1 when the file does not decode.
EMSCRIPTEN_KEEPALIVE int32_t tvx_decode_texture(const char* path) {
  return tavrix::web::DecodeTexture(path, decoded) ? 0 : -1;
}
EMSCRIPTEN_KEEPALIVE int32_t tvx_decoded_width() { return decoded.width; }
EMSCRIPTEN_KEEPALIVE int32_t tvx_decoded_height() { return decoded.height; }
EMSCRIPTEN_KEEPALIVE const void* tvx_decoded_pixels() { return decoded.rgba.data(); }

EMSCRIPTEN_KEEPALIVE const char* tvx_result_name(int32_t code) {
  return tavrix::ResultCodeName(code);
}
EMSCRIPTEN_KEEPALIVE const char* tvx_result_meaning(int32_t code) {
  return tavrix::ResultCodeMeaning(code);
}

}  // extern "C"
