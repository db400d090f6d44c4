#pragma once
// The shell helpers of the window's commands: a confirmation, and opening files, folders,
// web pages and the external editor, all through the UI port.

#include <string>
#include <string_view>

namespace quillery {

class UiPort;

bool ConfirmYesNo(UiPort& ui, std::string_view message);
void ShellOpen(UiPort& ui, std::string_view target);
void ShellOpenWith(UiPort& ui, std::string_view target, std::string_view parameters);
void ShellOpenDefault(UiPort& ui, std::string_view target);
// Opens the file with its associated program when it exists; nothing otherwise.
void OpenIfExists(UiPort& ui, const std::string& fileName);

}  // namespace quillery
