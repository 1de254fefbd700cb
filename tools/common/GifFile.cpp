#include "common/GifFile.h"

#include <gif_lib.h>

#include <cstdio>
#include <vector>

namespace tavrix::tools {
namespace {

bool WriteLoopExtension(GifFileType* gif) {
  unsigned char application[] = {'N', 'E', 'T', 'S', 'C', 'A', 'P', 'E', '2', '.', '0'};
  unsigned char loop[] = {1, 0, 0};  // repeat for ever
  return EGifPutExtensionLeader(gif, APPLICATION_EXT_FUNC_CODE) == GIF_OK &&
         EGifPutExtensionBlock(gif, sizeof application, application) == GIF_OK &&
         EGifPutExtensionBlock(gif, sizeof loop, loop) == GIF_OK &&
         EGifPutExtensionTrailer(gif) == GIF_OK;
}

// giflib writes through this into the AtomicFile's stream.
int WriteToStream(GifFileType* gif, const GifByteType* bytes, int length) {
  return int(std::fwrite(bytes, 1, size_t(length), static_cast<std::FILE*>(gif->UserData)));
}

bool WriteFrame(GifFileType* gif, const Image& image, int delay) {
  const size_t n = image.pixels.size();
  std::vector<GifByteType> red(n), green(n), blue(n), indices(n);
  for (size_t i = 0; i < n; ++i) {
    red[i] = GifByteType(image.pixels[i] >> 16);
    green[i] = GifByteType(image.pixels[i] >> 8);
    blue[i] = GifByteType(image.pixels[i]);
  }
  int colours = 256;
  std::vector<GifColorType> palette(256);
  if (GifQuantizeBuffer(image.width, image.height, &colours, red.data(), green.data(), blue.data(),
                        indices.data(), palette.data()) != GIF_OK)
    return false;
  ColorMapObject* map = GifMakeMapObject(256, palette.data());
  if (!map) return false;
  GraphicsControlBlock control = {DISPOSE_DO_NOT, false, delay, NO_TRANSPARENT_COLOR};
  GifByteType extension[4];
  size_t length = EGifGCBToExtension(&control, extension);
  bool ok = EGifPutExtension(gif, GRAPHICS_EXT_FUNC_CODE, int(length), extension) == GIF_OK &&
            EGifPutImageDesc(gif, 0, 0, image.width, image.height, false, map) == GIF_OK;
  for (int y = 0; ok && y < image.height; ++y)
    ok = EGifPutLine(gif, indices.data() + size_t(y) * image.width, image.width) == GIF_OK;
  GifFreeMapObject(map);
  return ok;
}

}  // namespace

// An unfinished GIF is dropped with its temporary file, never put in place.
GifWriter::~GifWriter() {
  int status = 0;
  if (gif_) EGifCloseFile(gif_, &status);
}

bool GifWriter::Open(const std::string& path, int32_t width, int32_t height, int delayCentiseconds,
                     std::string& error) {
  int status = 0;
  path_ = path;
  if (!file_.Open(path, error)) return false;
  gif_ = EGifOpen(file_.Stream(), WriteToStream, &status);
  if (!gif_) {
    error = path + ": cannot create GIF: " + GifErrorString(status);
    return false;
  }
  width_ = width;
  height_ = height;
  delay_ = delayCentiseconds;
  EGifSetGifVersion(gif_, true);
  if (EGifPutScreenDesc(gif_, width, height, 8, 0, nullptr) == GIF_OK && WriteLoopExtension(gif_))
    return true;
  error = path + ": cannot write GIF";
  return false;
}

bool GifWriter::Add(const Image& frame, std::string& error) {
  if (gif_ && frame.width == width_ && frame.height == height_ && WriteFrame(gif_, frame, delay_))
    return true;
  error = path_ + ": cannot write GIF";
  return false;
}

bool GifWriter::Close(std::string& error) {
  if (!gif_) return true;
  int status = 0;
  const bool closed = EGifCloseFile(gif_, &status) == GIF_OK;
  gif_ = nullptr;
  if (!closed) error = path_ + ": cannot write GIF";
  return closed && file_.Commit(error);
}

}  // namespace tavrix::tools
