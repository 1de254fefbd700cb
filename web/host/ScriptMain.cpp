// The native side of the package's browser and Node.js tests: plays a scene
// script (SceneScript.h) from the current folder and prints the hash of
// every frame's quads as the package hands them to JavaScript, or, with
// --png FILE, draws each frame on the software device over the background
// (RRGGBB, default black) and writes the last one.
#include <cinttypes>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#define STB_IMAGE_STATIC
#define STB_IMAGE_IMPLEMENTATION
#include <stb/stb_image.h>
#define STB_IMAGE_WRITE_IMPLEMENTATION
#include <stb/stb_image_write.h>

#include "GameHost.h"
#include "SceneScript.h"
#include "software/SoftwareDevice.h"

namespace {

using tavrix::web::SceneView;

int Fail(const std::string& message) {
  std::fprintf(stderr, "tavrix_web_script: %s\n", message.c_str());
  return 1;
}

// Registers the textures the library asked for since the last call, as the
// package does: numbered in the order asked, each with its file's size; a
// file that cannot be read keeps its number and draws nothing.
void RegisterTextures(tavrix::web::GameHost& host, int32_t& next) {
  for (const std::string& name : host.Images().TakePending()) {
    int width = 0, height = 0, channels = 0;
    const int32_t texture = next++;
    if (stbi_info(name.c_str(), &width, &height, &channels))
      host.Images().Register(name, {texture, width, height});
  }
}

int PrintHash(const std::string& script, const SceneView& view) {
  tavrix::web::GameHost host(view.width, view.height);
  if (host.Status() != 0) return Fail("the particle system does not start");
  uint32_t hash = tavrix::web::kSceneHashStart;
  int32_t textures = 0;
  const std::string error = tavrix::web::PlayScene(script, host.System(), [&] {
    RegisterTextures(host, textures);
    host.DrawAll();
    const auto& quads = host.Quads();
    hash = tavrix::web::HashBytes(hash, quads.Vertices(),
                                  size_t(quads.QuadCount()) * 4 * sizeof(tavrix::web::Vertex));
    hash = tavrix::web::HashBytes(hash, quads.Batches().data(),
                                  quads.Batches().size() * sizeof(tavrix::web::Batch));
  });
  if (!error.empty()) return Fail(error);
  std::printf("%08" PRIx32 "\n", hash);
  return 0;
}

int WritePng(const std::string& script, const SceneView& view, const char* path,
             uint32_t background) {
  tavrix::software::SoftwareDevice device({UINT(view.width), UINT(view.height)});
  tavrix::IParticleSystemFactory* factory = CreateParticleSystem(0, nullptr);
  tavrix::IParticleSystem* system = factory->CreateSystem();
  HWND__ window = {0, 0, view.width, view.height};
  system->Initialise(&window, &device, nullptr);
  system->SetViewSize(float(view.width), float(view.height), false);
  const std::string error = tavrix::web::PlayScene(script, *system, [&] {
    device.Clear(0, nullptr, D3DCLEAR_TARGET, 0xFF000000u | background, 1.0f, 0);
    system->DrawAll();
  });
  system->Release();
  factory->Release();
  if (!error.empty()) return Fail(error);
  std::vector<uint8_t> rgba;
  for (size_t i = 0; i < size_t(device.Width()) * device.Height(); ++i)
    for (int shift : {16, 8, 0, 24}) rgba.push_back(uint8_t(device.Pixels()[i] >> shift));
  if (!stbi_write_png(path, int(device.Width()), int(device.Height()), 4, rgba.data(),
                      int(device.Width()) * 4))
    return Fail(std::string(path) + ": cannot be written");
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  if (args.empty() || (args.size() != 1 && args.size() != 3 && args.size() != 5) ||
      (args.size() > 1 && args[1] != "--png") || (args.size() > 3 && args[3] != "--background")) {
    std::fprintf(stderr, "usage: tavrix_web_script SCRIPT [--png FILE [--background RRGGBB]]\n");
    return 2;
  }
  std::ifstream file(args[0]);
  std::stringstream text;
  text << file.rdbuf();
  if (!file) return Fail(args[0] + ": cannot be read");
  const std::string script = text.str();
  SceneView view;
  try {
    view = tavrix::web::ReadSceneView(script);
  } catch (const std::exception&) {
  }
  if (view.width <= 0 || view.height <= 0)
    return Fail(args[0] + ": the first line is not view W H");
  if (args.size() == 1) return PrintHash(script, view);
  const uint32_t background =
      args.size() > 3 ? uint32_t(std::strtoul(args[4].c_str(), nullptr, 16)) : 0;
  return WritePng(script, view, args[2].c_str(), background & 0xFFFFFFu);
}
