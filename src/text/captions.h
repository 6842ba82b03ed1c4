// The interface language: the captions and tooltips of the main window in Russian or English,
// and the language button that switches between them.
#pragma once

#include <span>
#include <string>

#include "window/main_state.h"

namespace tavrolin {

enum class CaptionProperty : std::uint8_t { Caption, ToolTip };

// One line of the caption table: what a control shows in each language.
struct CaptionEntry {
    const char* control;
    int index;  // member of a control array, -1 for a single control
    CaptionProperty property;
    const char* russian;
    const char* english;
};

// Every caption and tooltip that follows the language; the others keep their design texts.
std::span<const CaptionEntry> captionTable();

// Applies the language flag: sets the table's captions and tooltips, shows TrnCase in Russian
// (cleared and hidden in English, where transliteration never applies) and writes the help hint on
// Att.
void SetCaptions(Main& main);

// The hint the source box shows until a source is chosen, in Russian or English.
std::string sourcePrompt(bool russian);

// Inverts the language flag and applies it; the source box's hint, while it shows one, follows.
// (The app then refills MP_TYPE, whose descriptions follow the language.)
void btnLang_Click(Main& main);

}  // namespace tavrolin
