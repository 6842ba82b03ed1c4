// The main window as a headless model: its controls (a Form) and the working state that every
// subsystem's handlers share. The window owns all of it; nothing else keeps state between
// events.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "store/connection.h"
#include "store/object_kind.h"
#include "store/platform.h"
#include "store/status.h"
#include "window/form.h"
#include "window/source_records.h"

namespace tavrolin {

constexpr const char* kListSeparator = "  |  ";
// The program's name: its template is kProgramName + ".dbf" and its guide kProgramName + ".txt"
// beside it, whatever the executable is called.
constexpr const char* kProgramName = "Tavrolin";

struct Main {
    explicit Main(Platform& platformIn) : platform(platformIn) {}
    Main(const Main&) = delete;
    Main& operator=(const Main&) = delete;

    Form form;
    Platform& platform;
    bool headless = false;  // run from the command line or a test

    // Language flag: set means Russian.
    bool russian = false;

    // Fixed at start-up.
    std::string programFolder;                      // ends with the path separator
    std::string programName = kProgramName;         // the template's name on disk, without ".dbf"
    std::string templateFileName = "Tavrolin.dbf";  // the name as found on disk
    store::Connection connection;  // open on the program folder while the template is usable
    bool templateUsable = false;   // the template was found and could be read
    int templateRevision = 0;      // counts the saves of a type's attributes (views redraw)
    int templateColumnCount = 0;
    // CLRRGB, BDR_CLRRGB, BDF_CLRRGB, RTP_CLRRGB, HAL_CLRRGB present in the template.
    std::array<bool, 5> colorColumns{};

    // The object kind in work (the template's VID), None until one is chosen.
    store::ObjectKind kind = store::ObjectKind::None;
    // The kind whose name (store::kindName, the SVID Tag) names the output table. Chosen with
    // `kind`, but set back to None when a new source is read, until a kind is chosen again;
    // `kind` keeps listing its types meanwhile.
    store::ObjectKind namedKind = store::ObjectKind::None;

    // Chosen source and the names derived from it.
    std::string sourceFolder;  // ends with the path separator
    std::string sourceFileName;
    std::string outputFileName;
    std::string codePageFileName;

    // What the source reader found.
    SourceRecords sourceRecords;
    int labelWidth = 0;
    bool depthInMetres = false;
    bool sourceRead = false;

    // Whether a type missing from MP_TYPE is offered for adding.
    bool askAddType = true;
    // Set while GM_Click or GM_TYPE_Click selects the matching entry of the other found list,
    // so that the other list's click does not search and offer the type a second time.
    bool syncingFoundLists = false;

    // Set while a conversion runs (ConversionGuard): the events it lets the window handle may
    // click "!!!" again, which must not start a second conversion.
    bool converting = false;

    // Depth colour scheme state.
    bool schemeApplied = false;
    bool drDepthScheme = false;

    // Set only while the "RM" button's click runs the map choice, so that it retypes polygons
    // instead of writing label points.
    bool retypeRequested = false;

    // Conversion: the temporary output table in the program folder that DBFmake created, as a
    // table name without ".dbf" (normally the object kind name; another name when that file is
    // the user's own, e.g. the source itself).
    std::string outputTableName;

    // Texts of the message line as they were written, for the command line and tests.
    std::vector<std::string> attLog;

    // The Russian or English wording, by the language flag.
    const char* tr(const char* russianText, const char* englishText) const {
        return russian ? russianText : englishText;
    }
    // Writes the message line Att (replacing it) and logs it.
    void att(const std::string& text);
    // " ! name: number. description" on Att, with a beep; the description in the interface
    // language.
    void fail(const std::string& procedure, const Status& status);
    // Lets the window paint and handle input.
    void doEvents() { platform.processEvents(); }
    // Runs a file job that may block for seconds (a flush to disk, a rename over a large file) on
    // a thread of its own, the window painting meanwhile but taking no input; its result. The
    // job must not touch the model.
    Status whileWindowPaints(std::function<Status()> job);

    // Start-up: whether the template was found and read whole (and the connection is open). When
    // it is not, writes a " ! " message naming the template on Att, beeps and answers false:
    // operations that need the template call this first and stop on false.
    bool templateReady();
    // Operations on a source of a chosen kind call these first and stop on false: unless
    // `sourceThere` holds (or a kind is chosen), the notice asking for a source (or a kind) goes
    // on Att, with a beep.
    bool sourceChosen(bool sourceThere);
    bool kindChosen(store::ObjectKind chosen);
};

// Sets a flag for the length of a scope; restores the former value when it ends.
class FlagScope {
   public:
    explicit FlagScope(bool& flag) : m_flag(flag), m_former(flag) { m_flag = true; }
    ~FlagScope() { m_flag = m_former; }
    FlagScope(const FlagScope&) = delete;
    FlagScope& operator=(const FlagScope&) = delete;

   private:
    bool& m_flag;
    bool m_former;
};

// Progress bar text: the message, then 100 characters, k letters I and "." up to 100.
std::string progressBar(const std::string& message, long long done, long long step);

}  // namespace tavrolin
