// One pass of a map operation over the lines of a map, writing the operation's output.
#pragma once

#include <string_view>

#include "store/status.h"

namespace tavrolin::polish {

class MapPass {
   public:
    virtual ~MapPass() = default;

    // Takes the next line, trimmed of spaces; `number` counts the lines from 1. A failure
    // (a line the pass cannot read) ends the run.
    virtual Status line(std::string_view line, long long number) = 0;
    // After the last line: writes what the pass still holds.
    virtual void finish() {}
    // What the pass has made so far: point records, or retyped polygons. With none, the run
    // has no output.
    virtual long long made() const = 0;
};

}  // namespace tavrolin::polish
