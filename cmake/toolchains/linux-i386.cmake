# 32-bit x86 Linux, statically linked, for running the core's tests under
# qemu-i386 on machines whose kernel runs no 32-bit code. The arithmetic runs
# in SSE2 (not the x87 unit) so simulations give the 64-bit build's bits.
# Libraries come from Debian's i386 packages (multiarch).
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_SYSTEM_PROCESSOR i686)
set(CMAKE_C_COMPILER gcc)
set(CMAKE_CXX_COMPILER g++)
# The 64-bit file interfaces: otherwise stat and readdir fail with EOVERFLOW
# on file systems with 64-bit inode numbers, and paths stop resolving.
set(CMAKE_C_FLAGS_INIT "-m32 -msse2 -mfpmath=sse -D_FILE_OFFSET_BITS=64")
set(CMAKE_CXX_FLAGS_INIT "-m32 -msse2 -mfpmath=sse -D_FILE_OFFSET_BITS=64")
set(CMAKE_EXE_LINKER_FLAGS_INIT "-m32 -static")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-m32")
set(CMAKE_LIBRARY_ARCHITECTURE i386-linux-gnu)
set(ENV{PKG_CONFIG_LIBDIR} /usr/lib/i386-linux-gnu/pkgconfig:/usr/share/pkgconfig)
set(CMAKE_CROSSCOMPILING_EMULATOR qemu-i386)
# A static program needs the archives, which the searches would otherwise
# pass over for the shared libraries.
set(CMAKE_PROJECT_INCLUDE ${CMAKE_CURRENT_LIST_DIR}/prefer-archives.cmake)
