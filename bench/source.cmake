# Reading a generated million-record source table, against a plain read of the same file.
add_executable(source_read_bench ${CMAKE_CURRENT_LIST_DIR}/source_read_bench.cpp)
target_link_libraries(source_read_bench PRIVATE tavrolin_source)
