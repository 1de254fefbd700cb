// The small Windows stand-ins: window rectangle, module path, strings, time
// and the two message channels.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstring>

#include "platform/Win32.h"

namespace {

TEST(Win32, ClientRectComesFromTheWindowRecord) {
  HWND__ window = {10, 20, 650, 500};
  RECT rect;
  ASSERT_TRUE(GetClientRect(&window, &rect));
  EXPECT_EQ(rect.right - rect.left, 640);
  EXPECT_EQ(rect.bottom - rect.top, 480);
  ASSERT_TRUE(GetClientRect(nullptr, &rect));
  EXPECT_EQ(rect.left | rect.top | rect.right | rect.bottom, 0);
}

TEST(Win32, ModuleFileNameIsTheExecutableAndStaysTerminated) {
  char path[4096];
  DWORD length = GetModuleFileNameA(nullptr, path, sizeof path);
  ASSERT_GT(length, 0u);
  EXPECT_EQ(std::strlen(path), length);
  EXPECT_EQ(access(path, X_OK), 0);
  char small[5];
  EXPECT_EQ(GetModuleFileNameA(nullptr, small, sizeof small), sizeof small);
  EXPECT_EQ(std::strlen(small), 4u);
}

TEST(Win32, StricmpFoldsOnlyAsciiLetters) {
  EXPECT_EQ(_stricmp("ScaleLife", "scalelife"), 0);
  EXPECT_LT(_stricmp("abc", "abd"), 0);
  EXPECT_NE(_stricmp("a[", "A{"), 0);
  EXPECT_NE(_stricmp("\xC4", "\xE4"), 0);
}

TEST(Win32, NetworkByteOrderIsBigEndian) {
  uint32_t word = htonl(0x01020304u);
  const unsigned char* bytes = reinterpret_cast<const unsigned char*>(&word);
  EXPECT_EQ(bytes[0], 1);
  EXPECT_EQ(bytes[3], 4);
  EXPECT_EQ(ntohl(word), 0x01020304u);
}

TEST(Win32, TimeIsMonotonic) {
  DWORD first = timeGetTime();
  usleep(2000);
  EXPECT_GE(timeGetTime() - first, 1u);
}

TEST(Win32, MessageBoxWritesCaptionAndUtf8TextToStandardErrorOnOneLine) {
  testing::internal::CaptureStderr();
  // "创建图片失败" in code page 936.
  MessageBoxA(nullptr, "\xB4\xB4\xBD\xA8\xCD\xBC\xC6\xAC\xCA\xA7\xB0\xDC", "ttt", MB_OK);
  // A second line in UTF-8, a file name here, stays as it is.
  MessageBoxA(nullptr, "\xB4\xB4\xBD\xA8\nimage\\\xC3\xA9t\xC3\xA9.png", "ttt", MB_OK);
  OutputDebugStringA("CTexture::Load() pure virtual function called");
  EXPECT_EQ(testing::internal::GetCapturedStderr(),
            "ttt: \xE5\x88\x9B\xE5\xBB\xBA\xE5\x9B\xBE\xE7\x89\x87\xE5\xA4\xB1\xE8\xB4\xA5\n"
            "ttt: \xE5\x88\x9B\xE5\xBB\xBA: image\\\xC3\xA9t\xC3\xA9.png\n"
            "CTexture::Load() pure virtual function called\n");
}

}  // namespace
