#include "window/main_state.h"

#include <algorithm>
#include <chrono>
#include <future>

namespace tavrolin {

Status Main::whileWindowPaints(std::function<Status()> job) {
    std::future<Status> result = std::async(std::launch::async, std::move(job));
    constexpr std::chrono::milliseconds kSlice(20);
    while (result.wait_for(kSlice) != std::future_status::ready) platform.pause(kSlice.count());
    return result.get();
}

void Main::att(const std::string& text) {
    attLog.push_back(text);
    form.setText("Att", text);
}

void Main::fail(const std::string& procedure, const Status& status) {
    att(" ! " + procedure + ": " + status.toString(russian));
    platform.beep();
}

bool Main::templateReady() {
    if (templateUsable && connection.isOpen()) return true;
    att(tr(" ! список типов ", " ! list of types ") + programFolder + templateFileName +
        tr(" не найден или не читается, операция невозможна",
           " is missing or cannot be read, the operation is impossible"));
    platform.beep();
    return false;
}

bool Main::sourceChosen(bool sourceThere) {
    if (sourceThere) return true;
    att(tr(" * для продолжения работы укажите исходный файл .DBF",
           " * specify the source file .DBF to continue"));
    platform.beep();
    return false;
}

bool Main::kindChosen(store::ObjectKind chosen) {
    if (chosen != store::ObjectKind::None) return true;
    att(tr(" * автоматически определить вид объектов не удалось; выберите его самостоятельно",
           " * automatically determine the object failed; select the object"));
    platform.beep();
    return false;
}

std::string progressBar(const std::string& message, long long done, long long step) {
    long long letters = step > 0 ? std::clamp(done / step, 0LL, 100LL) : 0;
    std::string bar(static_cast<std::size_t>(letters), 'I');
    bar.append(static_cast<std::size_t>(100 - letters), '.');
    return message + bar;
}

}  // namespace tavrolin
