#pragma once
// The status messages of a Word import: each sets the status line's text and advances the
// progress gauge by 10 points (never past 100).

#include <algorithm>
#include <string_view>

#include "project/ui_port.h"

namespace quillery {

class ImportProgress {
public:
    explicit ImportProgress(UiPort& ui, int percent = 0) : ui_(ui), percent_(percent) {}

    void Status(std::string_view text) {
        ui_.SetStatus(text);
        percent_ = std::min(100, percent_ + 10);
        ui_.SetProgress(percent_);
    }
    // The status line emptied; the gauge stays where it is.
    void ClearStatus() { ui_.SetStatus(""); }
    int percent() const { return percent_; }
    UiPort& ui() { return ui_; }

private:
    UiPort& ui_;
    int percent_;
};

}  // namespace quillery
