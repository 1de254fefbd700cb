#include "edit/FrameEdits.h"

#include "edit/RecordAccess.h"
#include "record/FloatText.h"
#include "record/NameCompare.h"
#include "record/RecordSchema.h"

namespace tavrix::edit {
namespace {

// The other emitter that names the frame set, or -1.
int SharingEmitter(const Json& record, int emitter, const std::string& frameSetName) {
  const Json& emitters = Emitters(record);
  for (size_t i = 0; i < emitters.size(); ++i)
    if (int(i) != emitter && !IsSubEffect(emitters[i]) &&
        record::SameName(TextOf(FrameBlock(emitters[i]).value("frameSetName", Json(""))),
                         frameSetName))
      return int(i);
  return -1;
}

// The frame block of an emitter that has its frame set to itself.
Json& OwnFrameBlock(Json& record, int emitter) {
  Json& block = FrameBlock(EmitterAt(record, emitter));
  const std::string name = TextOf(block.value("frameSetName", Json("")));
  const int other = SharingEmitter(record, emitter, name);
  if (other >= 0)
    Refuse("frame set \"" + name + "\" is shared with " + EmitterLabel(record, other) +
           ", and the library shares its frames and texture; give " +
           EmitterLabel(record, emitter) + " a frame set name of its own first");
  return block;
}

void CheckFrames(const std::vector<Frame>& frames) {
  if (frames.empty()) Refuse("a frame list holds at least one frame");
  if (frames.size() > size_t(MaximumFrames))
    Refuse("a frame list holds at most " + std::to_string(MaximumFrames) + " frames");
  for (size_t i = 0; i < frames.size(); ++i) {
    const std::string what = "frame " + std::to_string(i) + "'s texture coordinates";
    for (float c : {frames[i].uLeft, frames[i].vTop, frames[i].uRight, frames[i].vBottom})
      CheckedNumber(c, 0, 1, what);
  }
}

void StoreFrames(Json& block, const std::vector<Frame>& frames) {
  using record::FloatToJson;
  Json list = Json::array();
  for (const Frame& f : frames)
    list.push_back(
        {FloatToJson(f.uLeft), FloatToJson(f.vTop), FloatToJson(f.uRight), FloatToJson(f.vBottom)});
  block[record::key::Frames] = std::move(list);
  block.erase(record::key::FrameCount);
  const auto index = block.find("frameIndex");
  if (index != block.end() &&
      (!index->is_number() || index->get<double>() >= double(frames.size())))
    *index = frames.size() - 1;
}

std::vector<Frame> Grid(int columns, int rows, int count) {
  const std::string limit = std::to_string(MaximumGridSide);
  if (columns < 1 || columns > MaximumGridSide) Refuse("a grid has 1 to " + limit + " columns");
  if (rows < 1 || rows > MaximumGridSide) Refuse("a grid has 1 to " + limit + " rows");
  const int cells = columns * rows;
  if (count < 0 || count > cells)
    Refuse("a grid of " + std::to_string(cells) + " cells cannot give " + std::to_string(count) +
           " frames");
  std::vector<Frame> frames;
  for (int i = 0; i < (count == 0 ? cells : count); ++i) {
    const int c = i % columns, r = i / columns;
    frames.push_back({float(c) / float(columns), float(r) / float(rows),
                      float(c + 1) / float(columns), float(r + 1) / float(rows)});
  }
  return frames;
}

}  // namespace

Edit SetFrames(int emitter, const std::vector<Frame>& frames) {
  return MakeEdit("Set frames", "", [=](Json& record) {
    CheckFrames(frames);
    StoreFrames(OwnFrameBlock(record, emitter), frames);
  });
}

Edit GridFrames(int emitter, int columns, int rows, int count) {
  return MakeEdit("Frames from a grid", "", [=](Json& record) {
    StoreFrames(OwnFrameBlock(record, emitter), Grid(columns, rows, count));
  });
}

Edit SetTexture(int emitter, const std::string& textureName) {
  return MakeEdit("Set texture", "", [=](Json& record) {
    CheckText(textureName, "a texture name");
    OwnFrameBlock(record, emitter)["textureName"] = textureName;
  });
}

Edit SetFrameSetName(int emitter, const std::string& frameSetName) {
  return MakeEdit("Rename frame set", "", [=](Json& record) {
    CheckText(frameSetName, "a frame set name");
    Json& block = FrameBlock(EmitterAt(record, emitter));
    const int other = SharingEmitter(record, emitter, frameSetName);
    if (other >= 0)
      Refuse("frame set \"" + frameSetName + "\" is already " + EmitterLabel(record, other) +
             "'s, and the library would append this emitter's frames to it");
    block["frameSetName"] = frameSetName;
  });
}

}  // namespace tavrix::edit
