# The two programs. Each links its own copy of the static libraries it needs; migrova needs only
# its model, the window model and the store (and the Qt desktop services for its window).
if(TAVROLIN_GUI)
    add_executable(tavrolin gui/main.cpp)
    target_link_libraries(tavrolin PRIVATE tavrolin_gui tavrolin_cli)
    target_compile_definitions(tavrolin PRIVATE TAVROLIN_WITH_GUI=1)
    add_executable(migrova gui/migrova_main.cpp)
    target_link_libraries(migrova PRIVATE migrova_gui migrova_cli)
else()
    add_executable(tavrolin cli/main.cpp)
    target_link_libraries(tavrolin PRIVATE tavrolin_cli)
    add_executable(migrova cli/migrova_main.cpp)
    target_link_libraries(migrova PRIVATE migrova_cli)
endif()
