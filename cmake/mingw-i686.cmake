# The shipped program: 32-bit Windows, built with MinGW-w64.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86)
set(CMAKE_C_COMPILER i686-w64-mingw32-gcc)
set(CMAKE_CXX_COMPILER i686-w64-mingw32-g++)
# Archives of link-time-optimised objects need the plugin-aware tools.
set(CMAKE_AR i686-w64-mingw32-gcc-ar)
set(CMAKE_RANLIB i686-w64-mingw32-gcc-ranlib)
set(CMAKE_RC_COMPILER i686-w64-mingw32-windres)
set(CMAKE_FIND_ROOT_PATH /usr/i686-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
# i386 symbols carry a leading underscore.
set(VELMORA_ENTRY_SYMBOL _SetupStartup)
# Every frame stays below a page (the build checks it), so the program needs
# no stack probes and may push its call arguments: a smaller program.
set(VELMORA_ARCH_FLAGS -march=i386 -mno-stack-arg-probe -mno-accumulate-outgoing-args
    -mpreferred-stack-boundary=2 -malign-data=abi)
