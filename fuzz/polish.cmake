# Both map passes under libFuzzer: arbitrary bytes as the chosen map. The polish subsystem is
# compiled again with the fuzzer's coverage and AddressSanitizer.
get_target_property(polish_sources tavrolin_polish SOURCES)
list(TRANSFORM polish_sources PREPEND ${PROJECT_SOURCE_DIR}/src/polish/)
add_library(tavrolin_polish_fuzzing STATIC ${polish_sources})
target_link_libraries(tavrolin_polish_fuzzing PUBLIC tavrolin_window)
target_compile_options(tavrolin_polish_fuzzing PRIVATE -fsanitize=fuzzer-no-link,address)

add_executable(map_fuzz ${CMAKE_CURRENT_LIST_DIR}/map_fuzz.cpp)
target_link_libraries(map_fuzz PRIVATE tavrolin_polish_fuzzing)
target_compile_options(map_fuzz PRIVATE -fsanitize=fuzzer,address)
target_link_options(map_fuzz PRIVATE -fsanitize=fuzzer,address)
