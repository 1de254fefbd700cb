#include "cli/FormatNotes.h"

#include <cstring>

namespace tavrix::tools {
namespace {

struct BlockNote {
  const char* block;
  FieldNote note;
};

const BlockNote Fields[] = {
    {"effect", {"tag", "record tag, the letters \"TVPS\"", ""}},
    {"effect", {"version", "record version", ""}},
    {"effect", {"positionX", "the effect's position; the host's SetEffectPosition replaces it", "view units"}},
    {"effect", {"positionY", "the effect's position, downwards", "view units"}},
    {"effect", {"frameWidth", "width of the effect's frame, a rectangle centred on it; spawn shapes 1 to 3 spread over it", "view units"}},
    {"effect", {"frameHeight", "height of the effect's frame", "view units"}},
    {"effect", {"running", "stored while playing: the effect comes back playing and replays elapsedSeconds", ""}},
    {"effect", {"elapsedSeconds", "time since the effect was started", "seconds"}},
    {"effect", {"stopping", "emission stopped; the effect ends with its last particle", ""}},
    {"effect", {"endMode", "what happens after durationSeconds: 0 report the end once, 1 loop, 2 stop at once, 3 stop emitting and let particles fade; other values do nothing", "0 to 3"}},
    {"effect", {"durationSeconds", "length of one play", "seconds"}},
    {"emitter", {"version", "record version; below 1 the library refuses the effect", ""}},
    {"emitter", {"name", "the emitter's name; empty ones become \"Emitter_N\"", ""}},
    {"emitter", {"corners", "the quad's corners around the particle, in units of its width and height, before rotation: the pivot stored as corners", "[x, y] x 4"}},
    {"emitter", {"emissionBacklog", "emission time not yet turned into particles", "seconds"}},
    {"emitter", {"enabled", "a disabled emitter neither updates nor draws", ""}},
    {"emitter", {"uniformSize", "the height follows the width (BaseY, VarY and LifeY unused)", ""}},
    {"emitter", {"forceDirectionX", "direction of the steady force: this stored vector, not forceAngle, is what pushes the particles; the library never recomputes it", "unit vector"}},
    {"emitter", {"forceDirectionY", "direction of the steady force, positive down the view; stored and used as is", "unit vector"}},
    {"emitter", {"forceAngle", "angle of the steady force (0 up, 90 right), kept for editing: the library pushes along forceDirectionX/Y and never recomputes them from it", "degrees"}},
    {"emitter", {"rotationMode", "a particle's start angle: 0 the emission direction plus rotationOffset, 1 fixedRotation, 2 random around randomRotationCentre; other values start unrotated", "0 to 2"}},
    {"emitter", {"rotationOffset", "added to the emission direction in rotation mode 0", "degrees"}},
    {"emitter", {"alignToMotion", "in rotation mode 0 the quad turns with its velocity", ""}},
    {"emitter", {"randomRotationCentre", "centre of the random start angle in rotation mode 2", "degrees"}},
    {"emitter", {"randomRotationRange", "full width of the random start angle in rotation mode 2", "degrees"}},
    {"emitter", {"fixedRotation", "start angle in rotation mode 1", "degrees"}},
    {"emitter", {"spawnShape", "where particles appear: 0 a point, 1 a horizontal line, 2 a vertical line, 3 a box, over the effect's frame; other values a point", "0 to 3"}},
    {"emitter", {"pivotX", "pivot across the quad (the corners are what draws)", "0 to 1"}},
    {"emitter", {"pivotY", "pivot down the quad", "0 to 1"}},
    {"emitter", {"useEffectEmission", "emission force, angle and arc come from the effect's tracks", ""}},
    {"emitter", {"effectRotation", "kept in the record; effects hold no rotation, so it changes nothing", ""}},
    {"emitter", {"additive", "additive blending instead of alpha blending", ""}},
    {"emitter", {"singleParticle", "one immortal, motionless particle at the emitter's position instead of emission", ""}},
    {"emitter", {"useEffectOffset", "particles are drawn displaced by the effect's position", ""}},
    {"emitter", {"reservedFlag", "kept in the record, no effect", ""}},
    {"emitter", {"positionX", "where the emitter's particles appear: relative to the effect's position when useEffectOffset is set, else from the view's left edge", "view units"}},
    {"emitter", {"positionY", "where the emitter's particles appear, positive down the view like every y: relative to the effect's position when useEffectOffset is set, else from the view's top edge", "view units"}},
    {"emitter", {"reverseDrawOrder", "draw the newest particles first", ""}},
    {"emitter", {"stopped", "emission stopped; live particles run on", ""}},
    {"emitter", {"animated", "particles run through the frames (frameAnimation block) instead of showing one (frameSet block)", ""}},
    {"frames", {"cycleLength", "time to run through all frames once", "seconds"}},
    {"frames", {"loop", "start again after the last frame", ""}},
    {"frames", {"randomStart", "each particle starts at a random point of the cycle", ""}},
    {"frames", {"frameSetName", "name the frames are shared by: emitters naming the same frame set add to one list", ""}},
    {"frames", {"textureName", "texture file under image\\ of the folder the effect is played from; missing, particles draw untextured", ""}},
    {"frames", {"frames", "texture rectangles [uLeft, vTop, uRight, vBottom]", "texture coordinates, 0 to 1"}},
    {"frames", {"hasFollowUp", "kept in the record, no effect", ""}},
    {"frames", {"frameIndex", "the frame every particle shows; past the list, the whole texture", "index from 0"}},
    {"subEffect", {"version", "record version; below 1 the library refuses the effect", ""}},
    {"subEffect", {"name", "the emitter's name", ""}},
    {"subEffect", {"enabled", "a disabled sub-effect emitter still starts its copies but neither advances nor draws them", ""}},
    {"subEffect", {"positionX", "position handed to every emitter of every copy", "view units"}},
    {"subEffect", {"positionY", "position handed to every emitter of every copy", "view units"}},
    {"subEffect", {"startDelay", "time before the copies start", "milliseconds"}},
    {"subEffect", {"effectFile", "nested effect file, relative to the folder the effect is played from", ""}},
    {"subEffect", {"copiesMin", "fewest copies of the nested effect", "copies"}},
    {"subEffect", {"copiesMax", "bound of the copies, excluded (min 1, max 3 give 1 or 2); at most 256", "copies"}},
    {"subEffect", {"speedMin", "lowest base speed given to a copy's emitters (steps of 0.01)", "speed factor"}},
    {"subEffect", {"speedMax", "bound of the base speed", "speed factor"}},
    {"subEffect", {"angleMin", "lowest base emission angle given to a copy's emitters (steps of 0.01)", "degrees"}},
    {"subEffect", {"angleMax", "bound of the base emission angle", "degrees"}},
    {"track", {"name", "the track's key; letter case is ignored", ""}},
    {"track", {"cycles", "how many times the keys run over the domain", ""}},
    {"track", {"duration", "the domain: keys lie between 0 and it; 0 or less becomes 1", "the track's time"}},
    {"track", {"boundA", "one end of the range drawn values are clamped to", ""}},
    {"track", {"boundB", "the other end; equal ends become a range of 0.001", ""}},
    {"track", {"default", "the value of the key at time 0 when no key is stored there; outside the range, the minimum", ""}},
    {"track", {"keys", "{time, value} pairs, straight lines between them; keys past the domain or the 1,024th are dropped", ""}},
};

}  // namespace

const FieldNote* FindFieldNote(const char* block, const char* name) {
  for (const BlockNote& entry : Fields)
    if (std::strcmp(entry.block, block) == 0 && std::strcmp(entry.note.name, name) == 0) return &entry.note;
  return nullptr;
}

}  // namespace tavrix::tools
