# One interface target carries the language level, warnings and sanitizer flags,
# so every library and test is built the same way.
add_library(varnok_options INTERFACE)
target_compile_features(varnok_options INTERFACE cxx_std_20)
set(CMAKE_CXX_EXTENSIONS OFF)
target_compile_options(varnok_options INTERFACE
    -Wall -Wextra -pedantic -Wold-style-cast -Woverloaded-virtual -Wnon-virtual-dtor)
if(VARNOK_WERROR)
    target_compile_options(varnok_options INTERFACE -Werror)
endif()
if(VARNOK_SANITIZE)
    # No vptr check: its runtime probes memory through a pipe, so in the tests that take away
    # every free file descriptor it reports sound objects as having an invalid vptr.
    target_compile_options(varnok_options INTERFACE
        -fsanitize=address,undefined -fno-sanitize=vptr -fno-sanitize-recover=all
        -fno-omit-frame-pointer)
    target_link_options(varnok_options INTERFACE -fsanitize=address,undefined)
endif()
target_compile_definitions(varnok_options INTERFACE
    QT_NO_KEYWORDS QT_USE_QSTRINGBUILDER QT_NO_CAST_FROM_ASCII)

# The core (platform, grid, cacheindex, varnokapp) is also held to these: silent narrowing,
# sign changes and shadowed names are where byte offsets and row numbers go wrong. Linked
# PRIVATE, so the tests built on the core keep the common set.
add_library(varnok_core_warnings INTERFACE)
target_compile_options(varnok_core_warnings INTERFACE -Wshadow -Wconversion -Wsign-conversion)
