#include "edit/RecordAccess.h"

#include <cmath>
#include <sstream>
#include <utility>

#include "record/FloatText.h"
#include "record/RecordSchema.h"
#include "record/TextField.h"

namespace tavrix::edit {

void Refuse(std::string message) { throw Refusal{std::move(message)}; }

Edit MakeEdit(std::string label, std::string mergeTag, std::function<void(Json&)> change) {
  return Edit{std::move(label), std::move(mergeTag), [change = std::move(change)](Json& record) {
                try {
                  change(record);
                } catch (const Refusal& refusal) {
                  return refusal.message;
                }
                return std::string();
              }};
}

Json& Emitters(Json& record) {
  Json& emitters = record[record::key::Emitters];
  if (!emitters.is_array()) Refuse("the record holds no list of emitters");
  return emitters;
}

const Json& Emitters(const Json& record) {
  static const Json none = Json::array();
  const auto found = record.find(record::key::Emitters);
  return found != record.end() && found->is_array() ? *found : none;
}

const Json& EmitterAt(const Json& record, int index) {
  const Json& emitters = Emitters(record);
  if (index < 0 || size_t(index) >= emitters.size())
    Refuse("there is no emitter " + std::to_string(index) + ": " +
           (emitters.empty() ? std::string("the effect has none")
                             : "the emitter is given by its index, 0 to " +
                                   std::to_string(emitters.size() - 1)));
  return emitters[size_t(index)];
}

// The list is there whenever the index names an emitter in it.
Json& EmitterAt(Json& record, int index) {
  return const_cast<Json&>(EmitterAt(std::as_const(record), index));
}

bool IsSubEffect(const Json& emitter) { return emitter.value(record::key::Magic, "") == "SE2D"; }

const Json& FrameBlock(const Json& emitter) {
  if (IsSubEffect(emitter)) Refuse("a sub-effect emitter has no texture or frames");
  const auto animated = emitter.find("animated");
  const char* name = animated != emitter.end() && FlagOf(*animated) ? record::key::FrameAnimation
                                                                    : record::key::FrameSet;
  const auto block = emitter.find(name);
  if (block == emitter.end() || !block->is_object())
    Refuse(std::string("the emitter has no ") + name + " block");
  return *block;
}

Json& FrameBlock(Json& emitter) { return const_cast<Json&>(FrameBlock(std::as_const(emitter))); }

std::string EmitterLabel(const Json& record, int index) {
  const Json& emitters = Emitters(record);
  if (index >= 0 && size_t(index) < emitters.size()) {
    const std::string name = TextOf(emitters[size_t(index)].value(record::key::Name, Json("")));
    if (!name.empty()) return "emitter \"" + name + "\"";
  }
  return "emitter " + std::to_string(index);
}

float FloatOf(const Json& value, const std::string& what) {
  const std::optional<float> number = record::FloatFromJson(value);
  if (!number) Refuse(what + " holds no number");
  return *number;
}

bool FlagOf(const Json& value) {
  if (value.is_boolean()) return value.get<bool>();
  return value.is_number() && value.get<double>() != 0;
}

std::string TextOf(const Json& value) { return record::TextFromJson(value).value_or(""); }

float CheckedNumber(double value, double low, double high, const std::string& what) {
  if (!std::isfinite(value)) Refuse(what + " must be a finite number");
  if (value < low || value > high)
    Refuse(what + " must lie from " + NumberText(low) + " to " + NumberText(high) + ", not " +
           NumberText(value));
  return float(value);
}

void CheckText(const std::string& text, const std::string& what) {
  if (text.empty()) Refuse(what + " must not be empty");
  if (text.size() > 255) Refuse(what + " is longer than the 255 bytes a record holds");
}

std::string NumberText(double value) {
  std::ostringstream text;
  text << value;
  return text.str();
}

}  // namespace tavrix::edit
