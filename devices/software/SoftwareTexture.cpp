#include "SoftwareTexture.h"

namespace tavrix::software {

SoftwareTexture::SoftwareTexture(UINT width, UINT height, UINT levels) {
  for (UINT w = width, h = height;; w = w > 1 ? w / 2 : 1, h = h > 1 ? h / 2 : 1) {
    levels_.push_back(Level{w, h, std::vector<uint32_t>(size_t(w) * h, 0)});
    if ((levels != 0 && levels_.size() == levels) || (w == 1 && h == 1)) break;
  }
  for (const Level& level : levels_)
    views_.push_back(TextureLevel{level.texels.data(), static_cast<int32_t>(level.width),
                                  static_cast<int32_t>(level.height)});
  image_ = TextureImage{views_.data(), static_cast<int32_t>(views_.size())};
}

ULONG SoftwareTexture::AddRef() { return ++references_; }

ULONG SoftwareTexture::Release() {
  ULONG left = --references_;
  if (left == 0) delete this;
  return left;
}

DWORD SoftwareTexture::GetLevelCount() { return static_cast<DWORD>(levels_.size()); }

HRESULT SoftwareTexture::GetLevelDesc(UINT level, D3DSURFACE_DESC* desc) {
  if (level >= levels_.size() || !desc) return D3DERR_INVALIDCALL;
  const Level& l = levels_[level];
  *desc = D3DSURFACE_DESC{D3DFMT_A8R8G8B8,
                          D3DRTYPE_SURFACE,
                          0,
                          D3DPOOL_MANAGED,
                          static_cast<UINT>(l.texels.size() * 4),
                          D3DMULTISAMPLE_NONE,
                          l.width,
                          l.height};
  return D3D_OK;
}

HRESULT SoftwareTexture::LockRect(UINT level, D3DLOCKED_RECT* locked, const RECT* rect, DWORD) {
  if (level >= levels_.size() || !locked) return D3DERR_INVALIDCALL;
  Level& l = levels_[level];
  if (rect &&
      (rect->left < 0 || rect->top < 0 || rect->left >= rect->right || rect->top >= rect->bottom ||
       UINT(rect->right) > l.width || UINT(rect->bottom) > l.height))
    return D3DERR_INVALIDCALL;
  size_t offset = rect ? size_t(rect->top) * l.width + size_t(rect->left) : 0;
  locked->Pitch = static_cast<int>(l.width * 4);
  locked->pBits = l.texels.data() + offset;
  return D3D_OK;
}

HRESULT SoftwareTexture::UnlockRect(UINT level) {
  return level < levels_.size() ? D3D_OK : D3DERR_INVALIDCALL;
}

}  // namespace tavrix::software
