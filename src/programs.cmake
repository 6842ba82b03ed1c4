# The two programs. Each links its own copy of the static libraries it needs.
if(TAVROLIN_GUI)
    add_executable(tavrolin gui/main.cpp)
    target_link_libraries(tavrolin PRIVATE tavrolin_gui tavrolin_cli)
    target_compile_definitions(tavrolin PRIVATE TAVROLIN_WITH_GUI=1)
else()
    add_executable(tavrolin cli/main.cpp)
    target_link_libraries(tavrolin PRIVATE tavrolin_cli)
endif()

add_executable(migrova migrova/main.cpp)
target_link_libraries(migrova PRIVATE tavrolin_migrova)
