#include "cli/FormatNotes.h"

#include <cstring>

namespace tavrix::tools {
namespace {

struct BlockNote {
  const char* block;
  FieldNote note;
};

const BlockNote Fields[] = {
    {"effect", {"tag", "record tag, the letters \"TVPS\"", "", "\"TVPS\""}},
    {"effect", {"version", "record version", "", "1"}},
    {"effect", {"positionX", "the effect's position; the host's SetEffectPosition replaces it", "view units", "0"}},
    {"effect", {"positionY", "the effect's position, downwards", "view units", "0"}},
    {"effect", {"frameWidth", "width of the effect's frame, a rectangle centred on it; spawn shapes 1 to 3 spread over it", "view units", "0"}},
    {"effect", {"frameHeight", "height of the effect's frame", "view units", "0"}},
    {"effect", {"running", "stored while playing: the effect comes back playing and replays elapsedSeconds", "", "0"}},
    {"effect", {"elapsedSeconds", "time since the effect was started", "seconds", "0"}},
    {"effect", {"stopping", "emission stopped; the effect ends with its last particle", "", "0"}},
    {"effect", {"endMode", "what happens after durationSeconds: 0 report the end once, 1 loop, 2 stop at once, 3 stop emitting and let particles fade; other values do nothing", "0 to 3", "0"}},
    {"effect", {"durationSeconds", "length of one play", "seconds", "0"}},
    {"emitter", {"version", "record version; below 1 the library refuses the effect", "", "1"}},
    {"emitter", {"name", "the emitter's name; empty ones become \"Emitter_N\"", "", "\"\""}},
    {"emitter", {"corners", "the quad's corners around the particle, in units of its width and height, before rotation: the pivot stored as corners", "[x, y] x 4", "[[-0.5, -0.5], [0.5, -0.5], [0.5, 0.5], [-0.5, 0.5]]"}},
    {"emitter", {"emissionBacklog", "emission time not yet turned into particles", "seconds", "0"}},
    {"emitter", {"enabled", "a disabled emitter neither updates nor draws", "", "1"}},
    {"emitter", {"uniformSize", "the height follows the width (BaseY, VarY and LifeY unused)", "", "1"}},
    {"emitter", {"forceDirectionX", "direction of the steady force: this stored vector, not forceAngle, is what pushes the particles; the library never recomputes it", "unit vector", "0"}},
    {"emitter", {"forceDirectionY", "direction of the steady force, positive down the view; stored and used as is", "unit vector", "-1"}},
    {"emitter", {"forceAngle", "angle of the steady force (0 up, 90 right), kept for editing: the library pushes along forceDirectionX/Y and never recomputes them from it", "degrees", "0"}},
    {"emitter", {"rotationMode", "a particle's start angle: 0 the emission direction plus rotationOffset, 1 fixedRotation, 2 random around randomRotationCentre; other values start unrotated", "0 to 2", "1"}},
    {"emitter", {"rotationOffset", "added to the emission direction in rotation mode 0", "degrees", "0"}},
    {"emitter", {"alignToMotion", "in rotation mode 0 the quad turns with its velocity", "", "0"}},
    {"emitter", {"randomRotationCentre", "centre of the random start angle in rotation mode 2", "degrees", "0"}},
    {"emitter", {"randomRotationRange", "full width of the random start angle in rotation mode 2", "degrees", "360"}},
    {"emitter", {"fixedRotation", "start angle in rotation mode 1", "degrees", "0"}},
    {"emitter", {"spawnShape", "where particles appear: 0 a point, 1 a horizontal line, 2 a vertical line, 3 a box, over the effect's frame; other values a point", "0 to 3", "0"}},
    {"emitter", {"pivotX", "pivot across the quad (the corners are what draws)", "0 to 1", "0.5"}},
    {"emitter", {"pivotY", "pivot down the quad", "0 to 1", "0.5"}},
    {"emitter", {"useEffectEmission", "emission force, angle and arc come from the effect's tracks", "", "1"}},
    {"emitter", {"effectRotation", "kept in the record; effects hold no rotation, so it changes nothing", "", "0"}},
    {"emitter", {"additive", "additive blending instead of alpha blending", "", "0"}},
    {"emitter", {"singleParticle", "one immortal, motionless particle at the emitter's position instead of emission", "", "0"}},
    {"emitter", {"useEffectOffset", "particles are drawn displaced by the effect's position", "", "0"}},
    {"emitter", {"reservedFlag", "kept in the record, no effect", "", "0"}},
    {"emitter", {"positionX", "where the emitter's particles appear: relative to the effect's position when useEffectOffset is set, else from the view's left edge", "view units", "0"}},
    {"emitter", {"positionY", "where the emitter's particles appear, positive down the view like every y: relative to the effect's position when useEffectOffset is set, else from the view's top edge", "view units", "0"}},
    {"emitter", {"reverseDrawOrder", "draw the newest particles first", "", "0"}},
    {"emitter", {"stopped", "emission stopped; live particles run on", "", "0"}},
    {"emitter", {"animated", "particles run through the frames (frameAnimation block) instead of showing one (frameSet block)", "", "0"}},
    {"frames", {"cycleLength", "time to run through all frames once", "seconds", "0"}},
    {"frames", {"loop", "start again after the last frame", "", "0"}},
    {"frames", {"randomStart", "each particle starts at a random point of the cycle", "", "0"}},
    {"frames", {"frameSetName", "name the frames are shared by: emitters naming the same frame set add to one list", "", "\"\""}},
    {"frames", {"textureName", "texture file under image\\ of the folder the effect is played from; missing, particles draw untextured", "", "\"\""}},
    {"frames", {"frames", "texture rectangles [uLeft, vTop, uRight, vBottom]", "texture coordinates, 0 to 1", "[]"}},
    {"frames", {"hasFollowUp", "kept in the record, no effect", "", "0"}},
    {"frames", {"frameIndex", "the frame every particle shows; past the list, the whole texture", "index from 0", "0"}},
    {"subEffect", {"version", "record version; below 1 the library refuses the effect", "", "1"}},
    {"subEffect", {"name", "the emitter's name", "", "\"\""}},
    {"subEffect", {"enabled", "a disabled sub-effect emitter still starts its copies but neither advances nor draws them", "", "1"}},
    {"subEffect", {"positionX", "position handed to every emitter of every copy", "view units", "0"}},
    {"subEffect", {"positionY", "position handed to every emitter of every copy", "view units", "0"}},
    {"subEffect", {"startDelay", "time before the copies start", "milliseconds", "0"}},
    {"subEffect", {"effectFile", "nested effect file, relative to the folder the effect is played from", "", "\"\""}},
    {"subEffect", {"copiesMin", "fewest copies of the nested effect", "copies", "0"}},
    {"subEffect", {"copiesMax", "bound of the copies, excluded (min 1, max 3 give 1 or 2); at most 256", "copies", "0"}},
    {"subEffect", {"speedMin", "lowest base speed given to a copy's emitters (steps of 0.01)", "speed factor", "0"}},
    {"subEffect", {"speedMax", "bound of the base speed", "speed factor", "0"}},
    {"subEffect", {"angleMin", "lowest base emission angle given to a copy's emitters (steps of 0.01)", "degrees", "0"}},
    {"subEffect", {"angleMax", "bound of the base emission angle", "degrees", "0"}},
    {"track", {"name", "the track's key; letter case is ignored", "", ""}},
    {"track", {"cycles", "how many times the keys run over the domain", "", "1"}},
    {"track", {"duration", "the domain: keys lie between 0 and it; 0 or less becomes 1", "the track's time", "per track"}},
    {"track", {"boundA", "one end of the range drawn values are clamped to", "", "per track"}},
    {"track", {"boundB", "the other end; equal ends become a range of 0.001", "", "per track"}},
    {"track", {"default", "the value of the key at time 0 when no key is stored there; outside the range, the minimum", "", "per track"}},
    {"track", {"keys", "{time, value} pairs, straight lines between them; keys past the domain or the 1,024th are dropped", "", "one key (0, default)"}},
};

}  // namespace

const FieldNote* FindFieldNote(const char* block, const char* name) {
  for (const BlockNote& entry : Fields)
    if (std::strcmp(entry.block, block) == 0 && std::strcmp(entry.note.name, name) == 0) return &entry.note;
  return nullptr;
}

}  // namespace tavrix::tools
