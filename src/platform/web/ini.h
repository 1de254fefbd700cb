// The part of inih's interface the POSIX port's profile reader calls, so the
// same reader serves the WebAssembly build, where no inih library exists.
#pragma once

#include <cstdio>

using ini_handler = int (*)(void* user, const char* section, const char* name, const char* value);

// Calls handler for each name and value in file, in order, with the section
// they sit in; returns 0, or the number of the first line that was not
// understood (parsing goes on past it).
int ini_parse_file(std::FILE* file, ini_handler handler, void* user);
