# The table store: INSERT INTO throughput against a plain buffered write, and a full read.
add_executable(store_bench ${CMAKE_CURRENT_LIST_DIR}/store_bench.cpp)
target_link_libraries(store_bench PRIVATE tavrolin_store)
