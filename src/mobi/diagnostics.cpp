// What the compiler found while building a book (see diagnostics.h).

#include "mobi/diagnostics.h"

#include <algorithm>

namespace quillery::mobi {

int Diagnostics::Count(Severity severity) const {
    return static_cast<int>(
        std::count_if(findings_.begin(), findings_.end(),
                      [severity](const Finding& f) { return f.severity == severity; }));
}

void Diagnostics::Add(Severity severity, std::string text) {
    findings_.push_back({severity, std::move(text)});
    if (listener_) listener_(findings_.back());
}

std::string FormatFinding(const Finding& finding) {
    switch (finding.severity) {
        case Severity::Info:
            return "Info(opf2mobi): " + finding.text;
        case Severity::Warning:
            return "Warning(opf2mobi): " + finding.text;
        case Severity::Error:
            return "Error(opf2mobi): " + finding.text;
    }
    return finding.text;
}

}  // namespace quillery::mobi
