// The device renderer against the recording device: the particle state it
// sets, that every host state comes back (texture reference included), the
// order of restoring, where a quad's vertices land, the blend modes of
// Bind, the view-size rules and the unbalanced-frame answers.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "render/DeviceRenderer.h"
#include "render/DeviceStates.h"
#include "resources/CTexture.h"
#include "resources/FrameSet.h"
#include "resources/TextureManager.h"
#include "support/posix/TextureEnvironment.h"

namespace tavrix {
namespace {

using test::RecordedSet;
using test::SameMatrix;

using SetOrder = std::vector<std::pair<RecordedSet::Kind, uint32_t>>;

// The sets the table of device states asks for: BeginFrame's step by step,
// in table order within each step (the states left to drawing are not
// set), or EndFrame's, every state in table order.
SetOrder TableOrder(bool particleState) {
  constexpr RecordedSet::Kind kKinds[] = {RecordedSet::RenderState, RecordedSet::StageState,
                                          RecordedSet::Transform, RecordedSet::Texture,
                                          RecordedSet::VertexShader};
  SetOrder order;
  const uint8_t last = particleState ? kLastParticleStep : kFirstParticleStep;
  for (uint8_t step = kFirstParticleStep; step <= last; ++step) {
    for (const DeviceState& state : kDeviceStates) {
      if (particleState && static_cast<uint8_t>(state.step) != step) continue;
      order.push_back({kKinds[static_cast<size_t>(state.kind)], state.id});
    }
  }
  return order;
}

class DeviceRendererTest : public ::testing::Test {
 protected:
  DeviceRendererTest() {
    device.SetHostState();
    device.CreateTexture(4, 4, 1, 0, D3DFMT_A8R8G8B8, D3DPOOL_MANAGED, &hostTexture);
    device.SetTexture(0, hostTexture);
    device.sets.clear();
    hostProjection = device.TransformValue(D3DTS_PROJECTION);
    hostView = device.TransformValue(D3DTS_VIEW);
    hostWorld = device.TransformValue(D3DTS_WORLD);
  }
  ~DeviceRendererTest() override { hostTexture->Release(); }

  FrameSet* FramesWithTexture(const char* texture) {
    auto* frames = static_cast<FrameSet*>(manager.Acquire(TextureManager::FrameSetKind, "f"));
    frames->SetTexture(texture);
    return frames;
  }

  void ExpectHostState() {
    EXPECT_EQ(device.RenderStateValue(D3DRS_LIGHTING), DWORD{TRUE});
    EXPECT_EQ(device.RenderStateValue(D3DRS_ZENABLE), DWORD{D3DZB_TRUE});
    EXPECT_EQ(device.RenderStateValue(D3DRS_DITHERENABLE), DWORD{TRUE});
    EXPECT_EQ(device.RenderStateValue(D3DRS_ALPHABLENDENABLE), DWORD{FALSE});
    EXPECT_EQ(device.RenderStateValue(D3DRS_SRCBLEND), DWORD{D3DBLEND_ONE});
    EXPECT_EQ(device.RenderStateValue(D3DRS_DESTBLEND), DWORD{D3DBLEND_ZERO});
    EXPECT_EQ(device.RenderStateValue(D3DRS_CULLMODE), DWORD{D3DCULL_CCW});
    EXPECT_EQ(device.StageStateValue(D3DTSS_COLOROP), DWORD{D3DTOP_SELECTARG1});
    EXPECT_EQ(device.StageStateValue(D3DTSS_COLORARG1), D3DTA_CURRENT);
    EXPECT_EQ(device.StageStateValue(D3DTSS_COLORARG2), D3DTA_TFACTOR);
    EXPECT_EQ(device.StageStateValue(D3DTSS_ALPHAOP), DWORD{D3DTOP_SELECTARG2});
    EXPECT_EQ(device.StageStateValue(D3DTSS_ALPHAARG1), D3DTA_SPECULAR);
    EXPECT_EQ(device.StageStateValue(D3DTSS_ALPHAARG2), D3DTA_CURRENT);
    EXPECT_TRUE(SameMatrix(device.TransformValue(D3DTS_PROJECTION), hostProjection));
    EXPECT_TRUE(SameMatrix(device.TransformValue(D3DTS_VIEW), hostView));
    EXPECT_TRUE(SameMatrix(device.TransformValue(D3DTS_WORLD), hostWorld));
    EXPECT_EQ(device.Texture0(), hostTexture);
    EXPECT_EQ(device.VertexShader(), 0x112u);
    // The test's reference and the device's own: the renderer's is given back.
    EXPECT_EQ(static_cast<test::RecordingTexture*>(hostTexture)->References(), 2u);
  }

  void ExpectSetOrder(const SetOrder& order) {
    ASSERT_EQ(device.sets.size(), order.size());
    for (size_t i = 0; i < order.size(); ++i) {
      EXPECT_EQ(device.sets[i].kind, order[i].first) << i;
      EXPECT_EQ(device.sets[i].id, order[i].second) << i;
    }
  }

  test::TextureEnvironment env;
  test::RecordingDevice& device = env.device;
  TextureManager manager{TextureManager::DeviceMode};
  HWND__ window{0, 0, 640, 480};
  IDirect3DTexture8* hostTexture = nullptr;
  D3DMATRIX hostProjection, hostView, hostWorld;
};

TEST_F(DeviceRendererTest, ConstructionReadsTheClientSizeAndSendsNothing) {
  HWND__ odd{10, 20, 651, 501};
  DeviceRenderer renderer(&device, &odd);
  EXPECT_TRUE(device.sets.empty());
  EXPECT_EQ(renderer.HalfWidth(), 320);
  EXPECT_EQ(renderer.HalfHeight(), 240);
  EXPECT_EQ(renderer.ViewWidth(), 120.0f);
  EXPECT_EQ(renderer.ViewHeight(), 90.0f);
}

TEST_F(DeviceRendererTest, BeginFrameSetsTheParticleState) {
  DeviceRenderer renderer(&device, &window);
  renderer.BeginFrame();
  const D3DMATRIX projection = device.TransformValue(D3DTS_PROJECTION);
  D3DMATRIX expected{};
  expected._11 = 2.0f / 120.0f;
  expected._22 = 2.0f / -90.0f;
  expected._33 = 1.0f / 200.0f;
  expected._43 = -0.0f / 200.0f;
  expected._44 = 1.0f;
  EXPECT_TRUE(SameMatrix(projection, expected));
  EXPECT_TRUE(SameMatrix(device.TransformValue(D3DTS_VIEW), test::IdentityMatrix()));
  EXPECT_TRUE(SameMatrix(device.TransformValue(D3DTS_WORLD), test::IdentityMatrix()));
  EXPECT_EQ(device.RenderStateValue(D3DRS_LIGHTING), DWORD{FALSE});
  EXPECT_EQ(device.RenderStateValue(D3DRS_ZENABLE), DWORD{D3DZB_FALSE});
  EXPECT_EQ(device.RenderStateValue(D3DRS_DITHERENABLE), DWORD{FALSE});
  EXPECT_EQ(device.RenderStateValue(D3DRS_ALPHABLENDENABLE), DWORD{TRUE});
  EXPECT_EQ(device.RenderStateValue(D3DRS_SRCBLEND), DWORD{D3DBLEND_SRCALPHA});
  EXPECT_EQ(device.RenderStateValue(D3DRS_DESTBLEND), DWORD{D3DBLEND_ZERO});  // left to Bind
  EXPECT_EQ(device.RenderStateValue(D3DRS_CULLMODE), DWORD{D3DCULL_NONE});
  EXPECT_EQ(device.StageStateValue(D3DTSS_ALPHAOP), DWORD{D3DTOP_MODULATE});
  EXPECT_EQ(device.StageStateValue(D3DTSS_COLOROP), DWORD{D3DTOP_MODULATE});
  EXPECT_EQ(device.StageStateValue(D3DTSS_COLORARG1), D3DTA_TEXTURE);
  EXPECT_EQ(device.StageStateValue(D3DTSS_COLORARG2), D3DTA_DIFFUSE);
  EXPECT_EQ(device.StageStateValue(D3DTSS_ALPHAARG1), D3DTA_TEXTURE);
  EXPECT_EQ(device.StageStateValue(D3DTSS_ALPHAARG2), D3DTA_DIFFUSE);
  ExpectSetOrder(TableOrder(true));
  renderer.EndFrame();
}

TEST_F(DeviceRendererTest, EndFrameGivesEveryHostStateBackInOrder) {
  env.WriteImage("fire.png", test::EncodePng(2, 2, test::Pixels(4, 0xFF00FF00u), true));
  FrameSet* frames = FramesWithTexture("fire.png");
  DeviceRenderer renderer(&device, &window);
  renderer.BeginFrame();
  renderer.Bind(true, frames);
  const QuadPoint corners[4] = {{-1, -1}, {1, -1}, {1, 1}, {-1, 1}};
  renderer.DrawQuad(corners, UvRect{0, 0, 1, 1}, 0xFFFFFFFFu, 4, 5.0f, 6.0f);
  device.sets.clear();
  renderer.EndFrame();
  ExpectHostState();
  ExpectSetOrder(TableOrder(false));
  manager.Release(frames);
}

TEST_F(DeviceRendererTest, DrawingAFrameAllocatesNothing) {
  env.WriteImage("fire.png", test::EncodePng(2, 2, test::Pixels(4, 0xFF00FF00u), true));
  FrameSet* frames = FramesWithTexture("fire.png");
  DeviceRenderer renderer(&device, &window);
  const uint64_t before = env.allocator.allocator.allocations;
  const QuadPoint corners[4] = {{-1, -1}, {1, -1}, {1, 1}, {-1, 1}};
  for (int frame = 0; frame < 3; ++frame) {
    renderer.BeginFrame();
    renderer.Bind(frame % 2 == 0, frames);
    for (int quad = 0; quad < 10; ++quad) {
      renderer.DrawQuad(corners, UvRect{0, 0, 1, 1}, 0xFFFFFFFFu, 4, 1.0f * quad, 2.0f);
    }
    renderer.EndFrame();
  }
  EXPECT_EQ(env.allocator.allocator.allocations, before);
  EXPECT_EQ(device.draws.size(), 30u);
  manager.Release(frames);
}

// Batched, the quads of one Bind are one triangle list of transformed
// vertices (where they land is the software device's test); the calls per
// Bind stay the same however many quads there are, steady frames allocate
// nothing and the host gets its state back.
TEST_F(DeviceRendererTest, BatchedQuadsOfOneBindAreOneTriangleList) {
  env.WriteImage("fire.png", test::EncodePng(2, 2, test::Pixels(4, 0xFF00FF00u), true));
  FrameSet* frames = FramesWithTexture("fire.png");
  const QuadPoint corners[4] = {{-2, -3}, {4, -3}, {4, 5}, {-2, 5}};
  DeviceRenderer renderer(&device, &window);
  renderer.SetBatchQuads(true);
  auto drawFrame = [&](int quads) {
    device.sets.clear();
    device.draws.clear();
    renderer.BeginFrame();
    for (bool additive : {true, false}) {
      renderer.Bind(additive, frames);
      for (int q = 0; q < quads; ++q) {
        renderer.DrawQuad(corners, UvRect{0, 0, 1, 1}, 0xFFFFFFFFu, 4, 1.0f * q, 2.0f);
      }
    }
    renderer.EndFrame();
  };
  drawFrame(40);
  const uint64_t allocations = env.allocator.allocator.allocations;
  drawFrame(3);
  const size_t setsOfFewQuads = device.sets.size();
  drawFrame(40);
  EXPECT_EQ(device.sets.size(), setsOfFewQuads) << "calls per Bind, not per quad";
  EXPECT_EQ(env.allocator.allocator.allocations, allocations);
  ExpectHostState();
  ASSERT_EQ(device.draws.size(), 2u);
  for (const test::RecordedDraw& draw : device.draws) {
    EXPECT_EQ(draw.type, D3DPT_TRIANGLELIST);
    EXPECT_EQ(draw.primitives, 80u);
    EXPECT_EQ(draw.stride, 28u);
    EXPECT_EQ(draw.vertexShader, 0x144u);
  }
  manager.Release(frames);
}

TEST_F(DeviceRendererTest, HostWithoutATextureGetsNoneBack) {
  device.SetTexture(0, nullptr);
  DeviceRenderer renderer(&device, &window);
  renderer.BeginFrame();
  renderer.EndFrame();
  EXPECT_EQ(device.Texture0(), nullptr);
  EXPECT_EQ(static_cast<test::RecordingTexture*>(hostTexture)->References(), 1u);
}

TEST_F(DeviceRendererTest, BindChoosesTheBlendAndTheFrameSetsTexture) {
  env.WriteImage("fire.png", test::EncodePng(2, 2, test::Pixels(4, 0xFF00FF00u), true));
  FrameSet* frames = FramesWithTexture("fire.png");
  auto* texture = dynamic_cast<DeviceTexture*>(frames->Texture());
  ASSERT_NE(texture, nullptr);
  ASSERT_NE(texture->GetDeviceTexture(), nullptr);
  DeviceRenderer renderer(&device, &window);
  renderer.BeginFrame();
  EXPECT_EQ(renderer.Bind(true, frames), 0);
  EXPECT_EQ(device.RenderStateValue(D3DRS_DESTBLEND), DWORD{D3DBLEND_ONE});
  EXPECT_EQ(device.RenderStateValue(D3DRS_SRCBLEND), DWORD{D3DBLEND_SRCALPHA});
  EXPECT_EQ(device.Texture0(), texture->GetDeviceTexture());
  renderer.Bind(false, frames);
  EXPECT_EQ(device.RenderStateValue(D3DRS_DESTBLEND), DWORD{D3DBLEND_INVSRCALPHA});
  EXPECT_EQ(device.RenderStateValue(D3DRS_SRCBLEND), DWORD{D3DBLEND_SRCALPHA});
  FrameSet* missing = FramesWithTexture("missing.png");  // same frame set, other texture
  renderer.Bind(false, missing);
  EXPECT_EQ(device.Texture0(), nullptr);
  renderer.Bind(false, nullptr);
  EXPECT_EQ(device.Texture0(), nullptr);
  renderer.EndFrame();
  ExpectHostState();
  manager.Release(missing);
  manager.Release(frames);
}

struct Clip {
  float x, y;
};

Clip ToClip(const test::RecordedVertex& v, const D3DMATRIX& world, const D3DMATRIX& projection) {
  const float wx = v.x * world._11 + v.y * world._21 + v.z * world._31 + world._41;
  const float wy = v.x * world._12 + v.y * world._22 + v.z * world._32 + world._42;
  const float wz = v.x * world._13 + v.y * world._23 + v.z * world._33 + world._43;
  const float w = wx * projection._14 + wy * projection._24 + wz * projection._34 + projection._44;
  return Clip{
      (wx * projection._11 + wy * projection._21 + wz * projection._31 + projection._41) / w,
      (wx * projection._12 + wy * projection._22 + wz * projection._32 + projection._42) / w};
}

void ExpectQuadLandsAt(test::RecordingDevice& device, float viewWidth, float viewHeight,
                       float halfWidth, float halfHeight, const QuadPoint* corners, float x,
                       float y) {
  ASSERT_EQ(device.draws.size(), 1u);
  const test::RecordedDraw& draw = device.draws[0];
  const D3DMATRIX projection = device.TransformValue(D3DTS_PROJECTION);
  const int cornerOf[4] = {3, 2, 0, 1};
  for (int i = 0; i < 4; ++i) {
    const Clip clip = ToClip(draw.vertices[i], draw.world, projection);
    const QuadPoint& corner = corners[cornerOf[i]];
    EXPECT_NEAR(clip.x, 2.0f * (x + corner.x - halfWidth) / viewWidth, 1e-5f) << i;
    EXPECT_NEAR(clip.y, -2.0f * (y + corner.y - halfHeight) / viewHeight, 1e-5f) << i;
  }
}

TEST_F(DeviceRendererTest, AQuadIsOneStripOfFourVerticesAtItsClipCoordinates) {
  DeviceRenderer renderer(&device, &window);
  renderer.BeginFrame();
  const QuadPoint corners[4] = {{-2, -3}, {4, -3}, {4, 5}, {-2, 5}};
  renderer.DrawQuad(corners, UvRect{0.25f, 0.5f, 0.75f, 1.0f}, 0x80FF4020u, 4, 330.0f, 250.0f);
  ASSERT_EQ(device.draws.size(), 1u);
  const test::RecordedDraw& draw = device.draws[0];
  EXPECT_EQ(draw.type, D3DPT_TRIANGLESTRIP);
  EXPECT_EQ(draw.primitives, 2u);
  EXPECT_EQ(draw.stride, 24u);
  EXPECT_EQ(draw.vertexShader, 0x142u);
  D3DMATRIX translation = test::IdentityMatrix();
  translation._41 = 10.0f;
  translation._42 = 10.0f;
  EXPECT_TRUE(SameMatrix(draw.world, translation));
  const float expected[4][4] = {
      {-2, 5, 0.25f, 1.0f}, {4, 5, 0.75f, 1.0f}, {-2, -3, 0.25f, 0.5f}, {4, -3, 0.75f, 0.5f}};
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(draw.vertices[i].x, expected[i][0]) << i;
    EXPECT_EQ(draw.vertices[i].y, expected[i][1]) << i;
    EXPECT_EQ(draw.vertices[i].z, 0.0f) << i;
    EXPECT_EQ(draw.vertices[i].u, expected[i][2]) << i;
    EXPECT_EQ(draw.vertices[i].v, expected[i][3]) << i;
    EXPECT_EQ(draw.vertices[i].colour, 0x80FF4020u) << i;
  }
  // Before any SetViewSize: 120 × 90 view units around half the client size.
  ExpectQuadLandsAt(device, 120.0f, 90.0f, 320.0f, 240.0f, corners, 330.0f, 250.0f);
  renderer.EndFrame();
}

TEST_F(DeviceRendererTest, ZeroHeightKeepsTheWindowsAspectWithoutTouchingTheViewport) {
  DeviceRenderer renderer(&device, &window);
  renderer.SetViewSize(800.0f, 0.0f, false);
  EXPECT_EQ(renderer.ViewHeight(), 600.0f);
  EXPECT_EQ(renderer.HalfWidth(), 400);
  EXPECT_EQ(renderer.HalfHeight(), 300);
  EXPECT_EQ(device.ViewportSets(), 0);
  renderer.BeginFrame();
  const QuadPoint corners[4] = {{0, 0}, {10, 0}, {10, 10}, {0, 10}};
  renderer.DrawQuad(corners, UvRect{0, 0, 1, 1}, 0xFFFFFFFFu, 4, 100.0f, 700.0f);
  ExpectQuadLandsAt(device, 800.0f, 600.0f, 400.0f, 300.0f, corners, 100.0f, 700.0f);
  renderer.EndFrame();
}

TEST_F(DeviceRendererTest, AppliedViewSizeSetsTheViewportAndTheCentre) {
  DeviceRenderer renderer(&device, &window);
  renderer.SetViewSize(801.0f, 601.0f, true);
  ASSERT_EQ(device.ViewportSets(), 1);
  const D3DVIEWPORT8& viewport = device.ViewportValue();
  EXPECT_EQ(viewport.X, 0u);
  EXPECT_EQ(viewport.Y, 0u);
  EXPECT_EQ(viewport.Width, 801u);
  EXPECT_EQ(viewport.Height, 601u);
  EXPECT_EQ(viewport.MinZ, 0.0f);
  EXPECT_EQ(viewport.MaxZ, 1.0f);
  EXPECT_EQ(renderer.HalfWidth(), 400);
  EXPECT_EQ(renderer.HalfHeight(), 300);
}

TEST_F(DeviceRendererTest, AZeroWidthClientGivesASquareViewInsteadOfDividingByZero) {
  HWND__ minimised{0, 0, 0, 0};
  DeviceRenderer renderer(&device, &minimised);
  renderer.SetViewSize(800.0f, 0.0f, true);
  EXPECT_EQ(renderer.ViewHeight(), 800.0f);
  EXPECT_EQ(device.ViewportValue().Height, 800u);
  EXPECT_EQ(renderer.HalfHeight(), 400);
  renderer.BeginFrame();
  EXPECT_TRUE(std::isfinite(device.TransformValue(D3DTS_PROJECTION)._22));
  renderer.EndFrame();
}

TEST_F(DeviceRendererTest, NonsenseViewSizesStayDefined) {
  DeviceRenderer renderer(&device, &window);
  renderer.SetViewSize(std::nanf(""), -5.0f, true);
  EXPECT_EQ(device.ViewportValue().Width, 0u);
  EXPECT_EQ(device.ViewportValue().Height, 0u);
  EXPECT_EQ(renderer.HalfWidth(), 0);
  renderer.SetViewSize(1e30f, 1e30f, true);
  EXPECT_EQ(device.ViewportValue().Width, 2147483647u);
  EXPECT_EQ(renderer.HalfWidth(), 2147483647);
}

TEST_F(DeviceRendererTest, EndFrameWithoutBeginFrameRestoresAndReleasesNothing) {
  DeviceRenderer renderer(&device, &window);
  renderer.EndFrame();
  EXPECT_TRUE(device.sets.empty());
  renderer.BeginFrame();
  renderer.EndFrame();
  device.sets.clear();
  renderer.EndFrame();
  EXPECT_TRUE(device.sets.empty());
  ExpectHostState();
}

TEST_F(DeviceRendererTest, DestroyedInsideAFrameItGivesTheTextureReferenceBack) {
  auto* host = static_cast<test::RecordingTexture*>(hostTexture);
  {
    DeviceRenderer renderer(&device, &window);
    renderer.BeginFrame();
    EXPECT_EQ(host->References(), 3u);
  }
  EXPECT_EQ(host->References(), 2u);
}

TEST_F(DeviceRendererTest, ASecondBeginFrameKeepsTheHostStateOfTheFirst) {
  DeviceRenderer renderer(&device, &window);
  renderer.BeginFrame();
  renderer.SetViewSize(800.0f, 600.0f, false);
  renderer.BeginFrame();
  EXPECT_EQ(device.TransformValue(D3DTS_PROJECTION)._11, 2.0f / 800.0f);
  renderer.EndFrame();
  ExpectHostState();
}

}  // namespace
}  // namespace tavrix
