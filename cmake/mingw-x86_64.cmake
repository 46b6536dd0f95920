set(MINGW_TRIPLET x86_64-w64-mingw32)
set(CMAKE_SYSTEM_PROCESSOR AMD64)
# Named directly: Debian's wrapper would take the 32-bit loader, which a
# kernel without 32-bit support cannot start.
set(WINE_LOADER /usr/lib/wine/wine64)
include(${CMAKE_CURRENT_LIST_DIR}/mingw.cmake)
