# The map preview's painter: a generated large map against plain QPainter::drawPath.
if(TAVROLIN_GUI)
    add_executable(preview_bench ${CMAKE_CURRENT_LIST_DIR}/preview_bench.cpp)
    target_link_libraries(preview_bench PRIVATE tavrolin_gui Qt6::Widgets)
endif()
