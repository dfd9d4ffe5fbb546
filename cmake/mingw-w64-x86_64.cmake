# Cross-compiling for 64-bit Windows with Debian's MinGW-w64 (the posix threading variant: the
# win32 variant of GCC 12 has no std::mutex or std::thread). Used to build Qt for Windows
# (tools/windows/build-qt) and, through Qt's own toolchain file, this project.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(SNP_MINGW_TRIPLET x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${SNP_MINGW_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${SNP_MINGW_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER ${SNP_MINGW_TRIPLET}-windres)
set(CMAKE_AR ${SNP_MINGW_TRIPLET}-gcc-ar-posix CACHE FILEPATH "Archiver")
set(CMAKE_RANLIB ${SNP_MINGW_TRIPLET}-gcc-ranlib-posix CACHE FILEPATH "Ranlib")
set(CMAKE_OBJDUMP ${SNP_MINGW_TRIPLET}-objdump CACHE FILEPATH "Objdump")
set(CMAKE_STRIP ${SNP_MINGW_TRIPLET}-strip CACHE FILEPATH "Strip")

set(CMAKE_FIND_ROOT_PATH /usr/${SNP_MINGW_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
