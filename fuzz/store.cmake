# The table store's file parser under libFuzzer: arbitrary bytes as a .dbf file.
# The store is compiled again with the fuzzer's coverage and AddressSanitizer.
get_target_property(store_sources tavrolin_store SOURCES)
list(TRANSFORM store_sources PREPEND ${PROJECT_SOURCE_DIR}/src/store/)
add_library(tavrolin_store_fuzzing STATIC ${store_sources})
target_include_directories(tavrolin_store_fuzzing PUBLIC ${PROJECT_SOURCE_DIR}/src)
target_compile_options(tavrolin_store_fuzzing PRIVATE -fsanitize=fuzzer-no-link,address)

add_executable(store_fuzz ${CMAKE_CURRENT_LIST_DIR}/store_fuzz.cpp)
target_link_libraries(store_fuzz PRIVATE tavrolin_store_fuzzing)
target_compile_options(store_fuzz PRIVATE -fsanitize=fuzzer,address)
target_link_options(store_fuzz PRIVATE -fsanitize=fuzzer,address)
