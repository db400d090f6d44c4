#pragma once
// What the compiler found while building a book: one finding per line on the console,
// "Info(opf2mobi): ...", "Warning(opf2mobi): ..." or "Error(opf2mobi): ...".

#include <string>
#include <vector>

namespace quillery::mobi {

enum class Severity { Info, Warning, Error };

struct Finding {
    Severity severity = Severity::Info;
    std::string text;
};

class Diagnostics {
public:
    void Info(std::string text) { Add(Severity::Info, std::move(text)); }
    void Warning(std::string text) { Add(Severity::Warning, std::move(text)); }
    void Error(std::string text) { Add(Severity::Error, std::move(text)); }

    const std::vector<Finding>& findings() const { return findings_; }
    int Count(Severity severity) const;

    // Called for every finding as it is made (the command line prints it at once).
    void SetListener(void (*listener)(const Finding&)) { listener_ = listener; }

private:
    void Add(Severity severity, std::string text);
    std::vector<Finding> findings_;
    void (*listener_)(const Finding&) = nullptr;
};

// "Warning(opf2mobi): text"
std::string FormatFinding(const Finding& finding);

}  // namespace quillery::mobi
