// The UI port of the quillery command (see console_ui_port.h).

#include "cli/console_ui_port.h"

#include <unistd.h>

#include <iostream>
#include <string>

#include "project/command_runner.h"

namespace quillery::cli {

std::string ConsoleText(std::string_view text) {
    std::string s;
    s.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') continue;
        s += text[i];
    }
    return s;
}

ConsoleUiPort::ConsoleUiPort(bool assumeYes, std::FILE* out) : assumeYes_(assumeYes), out_(out) {}

void ConsoleUiPort::ShowMessage(std::string_view text) {
    std::fprintf(out_, "%s\n", ConsoleText(text).c_str());
    std::fflush(out_);
}

bool ConsoleUiPort::ConfirmYesNo(std::string_view text) {
    const std::string question = ConsoleText(text);
    if (assumeYes_) {
        std::fprintf(out_, "%s [y/N] yes (--yes)\n", question.c_str());
        return true;
    }
    if (!isatty(STDIN_FILENO)) {
        std::fprintf(out_, "%s [y/N] no (no terminal to ask; --yes answers Yes)\n",
                     question.c_str());
        return false;
    }
    std::fprintf(out_, "%s [y/N] ", question.c_str());
    std::fflush(out_);
    std::string answer;
    std::getline(std::cin, answer);
    return !answer.empty() && (answer[0] == 'y' || answer[0] == 'Y');
}

void ConsoleUiPort::SetStatus(std::string_view text) {
    std::fprintf(out_, "[%3d%%] %s\n", progress_, std::string(text).c_str());
    std::fflush(out_);
}

void ConsoleUiPort::SetProgress(int percent) { progress_ = percent; }

void ConsoleUiPort::RequestKindleGenPath() {
    std::fprintf(out_,
                 "A MOBI compiler is needed to make the book: give its path with --kindlegen PATH "
                 "(the bundled opf2mobi lies beside the quillery program).\n");
}

void ConsoleUiPort::ShellOpen(std::string_view target, std::string_view parameters) {
    // With parameters the target is a program (an editor) and the parameter one file for it.
    std::string line = "xdg-open " + ShellQuote(target);
    if (!parameters.empty()) line = ShellQuote(target) + " " + ShellQuote(parameters);
    RunCommand(line + " >/dev/null 2>&1 &", "/");
}

void ConsoleUiPort::ShellOpenDefault(std::string_view target) { ShellOpen(target, ""); }

}  // namespace quillery::cli
