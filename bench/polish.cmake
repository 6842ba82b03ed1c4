# Both map operations over a generated million-polygon map, against a plain read of the file.
add_executable(map_bench ${CMAKE_CURRENT_LIST_DIR}/map_bench.cpp)
target_link_libraries(map_bench PRIVATE tavrolin_polish)
