#include "edit/EffectPreview.h"

#include "edit/DocumentFiles.h"
#include "record/ScratchEffect.h"
#include "tavrix/ResultCodeNames.h"

namespace tavrix::edit {

EffectPreview::~EffectPreview() { Unload(); }

void EffectPreview::Unload() {
  if (id_ >= 0) system_.UnloadEffect(id_);
  id_ = -1;
}

std::string EffectPreview::Show(const Json& record, uint32_t playTimeMs, float x, float y) {
  Unload();
  record::Bytes bytes;
  try {
    bytes = EffectFileBytes(record);
  } catch (const FileError& e) {
    return e.message;
  }
  int32_t id;
  try {
    const record::ScratchEffectFile file(bytes);
    id = system_.LoadEffect(file.Path().c_str());
  } catch (const record::ScratchFileError& e) {
    return e.what();
  }
  if (id < 0)
    return std::string("the library does not load the effect: ") + ResultCodeName(id) + ", " +
           ResultCodeMeaning(id);
  id_ = id;
  system_.SetEffectPosition(id_, x, y, true);
  system_.PlayEffect(id_, playTimeMs);
  return "";
}

}  // namespace tavrix::edit
