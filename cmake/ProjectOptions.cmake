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
    target_compile_options(varnok_options INTERFACE
        -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
    target_link_options(varnok_options INTERFACE -fsanitize=address,undefined)
endif()
target_compile_definitions(varnok_options INTERFACE
    QT_NO_KEYWORDS QT_USE_QSTRINGBUILDER QT_NO_CAST_FROM_ASCII)
