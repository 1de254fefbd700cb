// The two D3DX matrix builders, element by element.
#include <gtest/gtest.h>

#include "platform/D3DX.h"

namespace {

TEST(D3DXMatrix, OrthoLHScalesAndOffsetsDepthOnly) {
  D3DXMATRIX m;
  for (auto& row : m.m) {
    for (float& e : row) e = 7.0f;
  }
  EXPECT_EQ(D3DXMatrixOrthoLH(&m, 120.0f, -90.0f, 10.0f, 210.0f), &m);
  for (int r = 0; r < 4; ++r) {
    for (int c = 0; c < 4; ++c) {
      if (r == c || (r == 3 && c == 2)) continue;
      EXPECT_EQ(m.m[r][c], 0.0f) << r << "," << c;
    }
  }
  EXPECT_EQ(m._11, 2.0f / 120.0f);
  EXPECT_EQ(m._22, 2.0f / -90.0f);
  EXPECT_EQ(m._33, 1.0f / 200.0f);
  EXPECT_EQ(m._43, -10.0f / 200.0f);
  EXPECT_EQ(m._44, 1.0f);
}

TEST(D3DXMatrix, TranslationIsTheIdentityWithTheOffsetInTheLastRow) {
  D3DXMATRIX m;
  EXPECT_EQ(D3DXMatrixTranslation(&m, 3.0f, -4.0f, 5.0f), &m);
  const float expected[4][4] = {{1, 0, 0, 0}, {0, 1, 0, 0}, {0, 0, 1, 0}, {3, -4, 5, 1}};
  for (int r = 0; r < 4; ++r) {
    for (int c = 0; c < 4; ++c) EXPECT_EQ(m.m[r][c], expected[r][c]) << r << "," << c;
  }
}

}  // namespace
