// The controls of Migrova's window: names, kinds, captions, start texts and places. The window
// model builds its form from this table, and the Qt view draws the form as it finds it.
#pragma once

#include "window/form.h"

namespace tavrolin::migrova {

// The window's caption.
inline constexpr const char* kWindowCaption =
    " Обновление пользовательских таблиц атрибутов Tavrolin";

inline constexpr const char* kOldStartText =
    "Выберите ваш файл Tavrolin.dbf от старой версии программы до v11 включительно";
inline constexpr const char* kNewStartText =
    "Выберите новый файл Tavrolin.dbf версии v12, в которую будут перенесены ваши атрибуты";

// Adds SrcOld, OpenOld, AttOld, SrcNew, OpenNew, AttNew, RunJoin and Att to an empty form, in
// the order Tab walks them: the labels show their start texts, RunJoin is disabled, Att is an
// empty multi-line log.
void buildMigrovaControls(Form& form);

}  // namespace tavrolin::migrova
