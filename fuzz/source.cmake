# The source reader under libFuzzer: arbitrary bytes as the chosen source table.
# The source subsystem is compiled again with the fuzzer's coverage and AddressSanitizer.
get_target_property(source_sources tavrolin_source SOURCES)
list(TRANSFORM source_sources PREPEND ${PROJECT_SOURCE_DIR}/src/source/)
add_library(tavrolin_source_fuzzing STATIC ${source_sources})
target_link_libraries(tavrolin_source_fuzzing PUBLIC tavrolin_window)
target_compile_options(tavrolin_source_fuzzing PRIVATE -fsanitize=fuzzer-no-link,address)

add_executable(source_reader_fuzz ${CMAKE_CURRENT_LIST_DIR}/source_reader_fuzz.cpp)
target_link_libraries(source_reader_fuzz PRIVATE tavrolin_source_fuzzing)
target_compile_options(source_reader_fuzz PRIVATE -fsanitize=fuzzer,address)
target_link_options(source_reader_fuzz PRIVATE -fsanitize=fuzzer,address)
