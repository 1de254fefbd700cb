// Packing a JSON record, with the messages `tavrix pack` gives for it.
#include "JsonPack.h"

#include <exception>

#include "record/EffectEnvelope.h"
#include "record/JsonText.h"

namespace tavrix::web {

PackedRecord PackJsonRecord(const std::string& text) {
  record::Json json;
  try {
    json = record::ParseJson(text);
  } catch (const record::RecordJsonError& e) {
    return {{}, e.path.empty() ? e.message : e.Describe()};
  }
  try {
    return {record::EncipherEffect(record::RecordFromJson(json)), {}};
  } catch (const record::RecordJsonError& e) {
    return {{}, e.Describe()};
  } catch (const std::exception& e) {  // memory refused on a huge record
    return {{}, e.what()};
  }
}

}  // namespace tavrix::web
