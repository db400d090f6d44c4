#pragma once
// Runs the built quillery program as a user would, with its work folders in a temp state
// folder, and collects its exit status, standard output and standard error.

#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <sstream>

#include "project/command_runner.h"
#include "temp_dir.h"
#include "text/text_file.h"

namespace quillery::testing {

struct QuilleryRun {
    int status = -1;
    std::string out;  // the build log
    std::string err;  // messages and progress lines
};

// Runs build/bin/quillery with args in workFolder (ends with "/"), QUILLERY_STATE_DIR set to
// workFolder + "state", standard input from /dev/null.
inline QuilleryRun RunQuilleryProgram(const std::string& workFolder,
                                      const std::vector<std::string>& args) {
    // Built with append: operator+ chains here draw a false -Wrestrict warning from GCC 12.
    std::string command = "cd ";
    command.append(ShellQuote(workFolder)).append(" && QUILLERY_STATE_DIR=");
    command.append(ShellQuote(workFolder + "state")).append(" ");
    command.append(ShellQuote(ProgramFolder() + "quillery"));
    for (const std::string& a : args) command.append(" ").append(ShellQuote(a));
    command.append(" </dev/null >").append(ShellQuote(workFolder + "run.out"));
    command.append(" 2>").append(ShellQuote(workFolder + "run.err"));
    const int status = std::system(command.c_str());
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, ReadTextFile(workFolder + "run.out"),
            ReadTextFile(workFolder + "run.err")};
}

// Starts build/bin/quillery with args in workFolder as RunQuilleryProgram does, without
// waiting for it: gives its process id (its output goes to workFolder + "bg.out"/"bg.err").
inline pid_t StartQuilleryProgram(const std::string& workFolder,
                                  const std::vector<std::string>& args) {
    const std::string program = ProgramFolder() + "quillery";
    const std::string state = workFolder + "state";
    const pid_t pid = fork();
    if (pid == 0) {
        if (chdir(workFolder.c_str()) != 0) _exit(127);
        setenv("QUILLERY_STATE_DIR", state.c_str(), 1);
        if (!freopen("/dev/null", "r", stdin) || !freopen("bg.out", "w", stdout) ||
            !freopen("bg.err", "w", stderr))
            _exit(127);
        std::vector<char*> argv{const_cast<char*>(program.c_str())};
        for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
        argv.push_back(nullptr);
        execv(program.c_str(), argv.data());
        _exit(127);
    }
    return pid;
}

// The blank-separated words of text, for writing argument lists on one line.
inline std::vector<std::string> Words(const std::string& text) {
    std::istringstream in(text);
    std::vector<std::string> words;
    for (std::string word; in >> word;) words.push_back(word);
    return words;
}

// Creates folder + "chapters/" with three small web pages (01_one.htm, 02_two.htm,
// "03 three.htm"), a stylesheet, a picture and a note, and folder + "cover.jpg"; gives the
// chapters' folder.
inline std::string WriteSmallWebBook(const TempDir& dir) {
    const auto page = [](const std::string& title, const std::string& body) {
        return "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n"
               "<html xmlns=\"http://www.w3.org/1999/xhtml\">\n<head><title>" +
               title +
               "</title>\n<link rel=\"stylesheet\" type=\"text/css\" href=\"book.css\" />"
               "</head>\n<body>\n<h1>" +
               title + "</h1>\n" + body + "\n</body>\n</html>\n";
    };
    dir.Write("chapters/01_one.htm",
              page("First Steps", "<P CLASS=lead>One.</P>\n<script>var x = 1;</script>"));
    dir.Write("chapters/02_two.htm",
              page("Second Thoughts", "<p><img src=\"pics/dot.png\" alt=\"\" /></p>"));
    dir.Write("chapters/03 three.htm",
              page("Third Time", "<p><a href=\"01_one.htm\">Back</a></p>"));
    dir.Write("chapters/book.css", "p { font-size: 12pt; }\n");
    dir.Write("chapters/notes.txt", "not a chapter\n");
    dir.Write("chapters/pics/dot.png", "\x89PNG\r\n\x1a\n");
    dir.Write("cover.jpg", "\xFF\xD8\xFF\xD9");
    return dir.path() + "chapters/";
}

// The readers of the field the reader tests run: epubcheck (Debian's jar) and any tool on the
// PATH (mobitool, ebook-convert).
inline const char* const kEpubcheckJar = "/usr/share/java/epubcheck.jar";

inline std::string Epubcheck(const std::string& epub) {
    return RunCommand("java -jar " + ShellQuote(kEpubcheckJar) + " " + ShellQuote(epub), "/");
}

inline bool HaveTool(const std::string& tool) {
    return RunCommand("command -v " + tool, "/").size() > 1;
}

}  // namespace quillery::testing
