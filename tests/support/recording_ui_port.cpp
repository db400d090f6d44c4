// The recording UI port (see recording_ui_port.h).

#include "recording_ui_port.h"

namespace quillery::testing {

namespace {
std::string Event(std::string_view kind, std::string_view text) {
    std::string e(kind);
    e += ": ";
    e += text;
    return e;
}
}  // namespace

void RecordingUiPort::ShowMessage(std::string_view text) {
    messages.emplace_back(text);
    events.push_back(Event("message", text));
}
bool RecordingUiPort::ConfirmYesNo(std::string_view text) {
    events.push_back(Event("confirm", text));
    return answerYes;
}
void RecordingUiPort::SetStatus(std::string_view text) { events.push_back(Event("status", text)); }
void RecordingUiPort::SetProgress(int percent) {
    events.push_back(Event("progress", std::to_string(percent)));
}
void RecordingUiPort::FocusControl(Control control) {
    events.push_back(Event("focus", ControlName(control)));
}
void RecordingUiPort::ShowPage(Page page) { events.push_back(Event("page", PageName(page))); }
void RecordingUiPort::ShowBuildLog(std::string_view log) {
    shownLog = log;
    events.push_back("log-view");
}
void RecordingUiPort::OpenLogWindow() { events.push_back("log-window"); }
void RecordingUiPort::RequestKindleGenPath() { events.push_back("kindlegen-needed"); }
void RecordingUiPort::ShellOpen(std::string_view target, std::string_view parameters) {
    std::string text(target);
    if (!parameters.empty()) {
        text += " ";
        text += parameters;
    }
    events.push_back(Event("open", text));
}
void RecordingUiPort::ShellOpenDefault(std::string_view target) {
    events.push_back(Event("open-default", target));
}

}  // namespace quillery::testing
