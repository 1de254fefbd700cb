// The two ways the library speaks: debug output and the message box. There
// is no dialog here, so both go to standard error, a box on one line. The
// library's own texts are stored in code page 936 and converted to UTF-8 on
// the way out; a line of a box that already reads as UTF-8 (a file name on
// this system) is kept as it is.
#include <errno.h>
#include <iconv.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "platform/Win32.h"

namespace {

// text in UTF-8, from the encoding named; false when a byte did not belong
// to it (shown as '?').
bool ToUtf8(const std::string& text, const char* from, std::string& out) {
  out.clear();
  iconv_t converter = ::iconv_open("UTF-8", from);
  if (converter == reinterpret_cast<iconv_t>(-1)) {
    out = text;
    return true;
  }
  bool whole = true;
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
      whole = false;
      out.push_back('?');  // a byte of some other encoding: show it was there
      ++in;
      --inLeft;
    }
  }
  ::iconv_close(converter);
  return whole;
}

// One line of a message: UTF-8 as it is, else code page 936.
std::string Shown(const std::string& text) {
  std::string out;
  if (!ToUtf8(text, "UTF-8", out)) ToUtf8(text, "GBK", out);
  return out;
}

}  // namespace

int MessageBoxA(HWND, const char* text, const char* caption, UINT) {
  const std::string lines = text ? text : "";
  std::string shown = Shown(caption ? caption : "");
  for (size_t start = 0;;) {
    const size_t end = lines.find('\n', start);
    shown += ": " + Shown(lines.substr(start, end - start));
    if (end == std::string::npos) break;
    start = end + 1;
  }
  std::fprintf(stderr, "%s\n", shown.c_str());
  return 1;  // IDOK
}

void OutputDebugStringA(const char* text) {
  if (!text) return;
  size_t length = std::strlen(text);
  std::fputs(text, stderr);
  if (length == 0 || text[length - 1] != '\n') std::fputc('\n', stderr);
}
