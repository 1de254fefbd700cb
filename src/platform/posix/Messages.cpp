// The two ways the library speaks: debug output and the message box. There
// is no dialog here, so both go to standard error; message texts are stored
// in code page 936 and converted to UTF-8 on the way out.
#include <errno.h>
#include <iconv.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "platform/Win32.h"

namespace {

std::string FromCodePage936(const char* text) {
  std::string out;
  iconv_t converter = ::iconv_open("UTF-8", "GBK");
  if (converter == reinterpret_cast<iconv_t>(-1)) return text;
  std::string input(text);
  char* in = input.data();
  size_t inLeft = input.size();
  char buffer[256];
  while (inLeft > 0) {
    char* outPtr = buffer;
    size_t outLeft = sizeof buffer;
    size_t done = ::iconv(converter, &in, &inLeft, &outPtr, &outLeft);
    out.append(buffer, static_cast<size_t>(outPtr - buffer));
    if (done == static_cast<size_t>(-1) && errno != E2BIG) {
      out.push_back('?');  // a byte that is not GBK: show it was there
      ++in;
      --inLeft;
    }
  }
  ::iconv_close(converter);
  return out;
}

}  // namespace

int MessageBoxA(HWND, const char* text, const char* caption, UINT) {
  std::string line =
      FromCodePage936(caption ? caption : "") + ": " + FromCodePage936(text ? text : "");
  std::fprintf(stderr, "%s\n", line.c_str());
  return 1;  // IDOK
}

void OutputDebugStringA(const char* text) {
  if (!text) return;
  size_t length = std::strlen(text);
  std::fputs(text, stderr);
  if (length == 0 || text[length - 1] != '\n') std::fputc('\n', stderr);
}
