// The one QApplication of a widget test program, made on first use on the offscreen platform.
#pragma once

#include <QApplication>
#include <cstdlib>

namespace tavrolin {

inline QApplication& testApplication() {
    static int argc = 1;
    static char name[] = "tavrolin-test";
    static char* argv[] = {name, nullptr};
    static QApplication* application = [] {
        setenv("QT_QPA_PLATFORM", "offscreen", 0);
        return new QApplication(argc, argv);
    }();
    return *application;
}

}  // namespace tavrolin
