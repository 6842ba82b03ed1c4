# The conversion by types as a user runs it: the tavrolin convert process, fresh and replacing,
# against a C floor that reads the same source and writes the same bytes, and the ogr2ogr join
# when ogr2ogr is installed.
enable_language(C)
add_executable(convert_floor ${CMAKE_CURRENT_LIST_DIR}/convert_floor.c)
# Not a benchmark of its own: kept out of the folder that scripts/bench.sh runs.
set_target_properties(convert_floor PROPERTIES RUNTIME_OUTPUT_DIRECTORY
                                               ${CMAKE_BINARY_DIR}/bench/helpers)
add_executable(convert_bench ${CMAKE_CURRENT_LIST_DIR}/convert_bench.cpp)
target_link_libraries(convert_bench PRIVATE tavrolin_store)
target_compile_definitions(convert_bench PRIVATE TAVROLIN_EXE="$<TARGET_FILE:tavrolin>"
                                                 CONVERT_FLOOR_EXE="$<TARGET_FILE:convert_floor>")
add_dependencies(convert_bench tavrolin convert_floor)

# The conversion by depth against the conversion by types, on one depth map in the same run.
add_executable(depth_bench ${CMAKE_CURRENT_LIST_DIR}/depth_bench.cpp)
target_link_libraries(depth_bench PRIVATE tavrolin_app)
