# The GIF icon reader and its XPM conversion under libFuzzer: arbitrary bytes as an icon file.
# The skin subsystem is compiled again with the fuzzer's coverage and AddressSanitizer.
get_target_property(skin_sources tavrolin_skin SOURCES)
list(TRANSFORM skin_sources PREPEND ${PROJECT_SOURCE_DIR}/src/skin/)
add_library(tavrolin_skin_fuzzing STATIC ${skin_sources})
target_link_libraries(tavrolin_skin_fuzzing PUBLIC tavrolin_window GIF::GIF)
target_compile_options(tavrolin_skin_fuzzing PRIVATE -fsanitize=fuzzer-no-link,address)

add_executable(gif_xpm_fuzz ${CMAKE_CURRENT_LIST_DIR}/gif_xpm_fuzz.cpp)
target_link_libraries(gif_xpm_fuzz PRIVATE tavrolin_skin_fuzzing)
target_compile_options(gif_xpm_fuzz PRIVATE -fsanitize=fuzzer,address)
target_link_options(gif_xpm_fuzz PRIVATE -fsanitize=fuzzer,address)
