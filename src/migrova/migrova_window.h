// Migrova's window as a headless model: its controls (a Form) and the state of the two template
// tables, with the handlers of its events. The user chooses the old table (up to v11) and the
// new one (v12); RunJoin then carries every type the user added or changed in the old table
// into the new one, logging each added row and each changed value in Att.
//
// The window needs the platform for the file dialog, message boxes, beeps and letting the
// window redraw; tests and the command line answer from a ScriptedPlatform.
#pragma once

#include <string>

#include "store/connection.h"
#include "store/platform.h"
#include "store/status.h"
#include "window/form.h"

namespace tavrolin::migrova {

// The error CheckNew raises for a new table without the YN column.
inline constexpr int kErrNotNewTemplate = 66;

class MigrovaWindow {
   public:
    // programFolder: where the dialog starts while SrcOld holds no table path.
    MigrovaWindow(Platform& platform, std::string programFolder);
    ~MigrovaWindow();
    MigrovaWindow(const MigrovaWindow&) = delete;
    MigrovaWindow& operator=(const MigrovaWindow&) = delete;

    Form& form() { return m_form; }
    const Form& form() const { return m_form; }

    // Choose a table with the dialog and check it; RunJoin is enabled once both passed.
    void OpenOld_Click();
    void OpenNew_Click();
    // Check the table named in SrcOld (SrcNew) and open its connection: true when the old table
    // has a VID column (the new one a YN column). Failures are shown on AttOld (AttNew),
    // highlighted, with a beep.
    bool CheckOld();
    bool CheckNew();
    // The transfer from the old table into the new one.
    void RunJoin_Click();
    // Releases both connections.
    void Form_Unload();

    bool oldReady() const { return m_old.ready; }
    bool newReady() const { return m_new.ready; }
    // Whether the last transfer ran to its end.
    bool transferSucceeded() const { return m_succeeded; }

   private:
    // What tells the two tables apart: their controls, texts and required column.
    struct SideTexts {
        const char* pathBox;    // SrcOld / SrcNew
        const char* label;      // AttOld / AttNew
        const char* procedure;  // OpenOld / OpenNew: names a failure
        const char* startText;
        const char* filter;
        const char* chooseNotice;  // " * ..." when no usable file was chosen
        const char* acceptedText;  // "... выбран корректно (записей #"
        const char* requiredColumn;
        bool isNew;
    };
    // One of the two tables and its checked state.
    struct Side {
        explicit Side(const SideTexts& textsIn) : texts(textsIn) {}
        const SideTexts& texts;
        bool ready = false;    // the table passed its check
        std::string folder;    // up to and including the last separator
        std::string fileName;  // the rest, extension included
        store::Connection connection;
    };
    static const SideTexts kOldSide;
    static const SideTexts kNewSide;

    void choose(Side& side);
    bool check(Side& side);
    // The failure's message on the side's label, highlighted, and a beep.
    void reportChoiceFailure(Side& side, const Status& status);
    void setLabel(Side& side, const std::string& text, bool highlight);
    // Appends a line to the log Att and lets it redraw.
    void appendLog(const std::string& line);
    Status transfer();

    Form m_form;
    Platform& m_platform;
    std::string m_programFolder;
    Side m_old;
    Side m_new;
    bool m_running = false;  // a transfer is under way: clicks meanwhile are ignored
    bool m_succeeded = false;
};

}  // namespace tavrolin::migrova
