// The shell helpers (see shell_actions.h).

#include "project/shell_actions.h"

#include "project/ui_port.h"
#include "text/file_utils.h"

namespace quillery {

bool ConfirmYesNo(UiPort& ui, std::string_view message) { return ui.ConfirmYesNo(message); }

void ShellOpen(UiPort& ui, std::string_view target) { ui.ShellOpen(target, {}); }

void ShellOpenWith(UiPort& ui, std::string_view target, std::string_view parameters) {
    ui.ShellOpen(target, parameters);
}

void ShellOpenDefault(UiPort& ui, std::string_view target) { ui.ShellOpenDefault(target); }

void OpenIfExists(UiPort& ui, const std::string& fileName) {
    if (FileExists(fileName)) ShellOpen(ui, fileName);
}

}  // namespace quillery
