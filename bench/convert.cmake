# The conversion by types: a million-record source through reading and conversion, against an
# ogr2ogr left join of the same tables when ogr2ogr is installed.
add_executable(convert_bench ${CMAKE_CURRENT_LIST_DIR}/convert_bench.cpp)
target_link_libraries(convert_bench PRIVATE tavrolin_app)

# The conversion by depth against the conversion by types, on one depth map in the same run.
add_executable(depth_bench ${CMAKE_CURRENT_LIST_DIR}/depth_bench.cpp)
target_link_libraries(depth_bench PRIVATE tavrolin_app)
