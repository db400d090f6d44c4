#include "run_quillery.h"

#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>

#include "project/command_runner.h"
#include "temp_dir.h"
#include "text/text_file.h"

namespace fs = std::filesystem;

namespace quillery::testing {

namespace {

void Write(const std::string& path, const std::string& text) {
    fs::create_directories(fs::path(path).parent_path());
    WriteTextFile(path, text);
}

std::string Page(const std::string& title, const std::string& body) {
    return "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<html "
           "xmlns=\"http://www.w3.org/1999/xhtml\">\n"
           "<head><title>" +
           title +
           "</title>\n"
           "<link rel=\"stylesheet\" type=\"text/css\" href=\"book.css\" /></head>\n<body>\n<h1>" +
           title + "</h1>\n" + body + "\n</body>\n</html>\n";
}

}  // namespace

QuilleryRun RunQuilleryProgram(const std::string& workFolder,
                               const std::vector<std::string>& args) {
    std::string command = "cd ";
    command.append(ShellQuote(workFolder))
        .append(" && QUILLERY_STATE_DIR=")
        .append(ShellQuote(workFolder + "state"));
    command.append(" ").append(ShellQuote(ProgramFolder() + "quillery"));
    for (const std::string& a : args) command.append(" ").append(ShellQuote(a));
    command.append(" </dev/null >").append(ShellQuote(workFolder + "run.out"));
    command.append(" 2>").append(ShellQuote(workFolder + "run.err"));
    QuilleryRun run;
    const int status = std::system(command.c_str());
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    run.out = ReadTextFile(workFolder + "run.out");
    run.err = ReadTextFile(workFolder + "run.err");
    return run;
}

std::string WriteSmallWebBook(const std::string& folder) {
    const std::string chapters = folder + "chapters/";
    Write(chapters + "01_one.htm",
          Page("First Steps", "<P CLASS=lead>One.</P>\n<script>var x = 1;</script>"));
    Write(chapters + "02_two.htm",
          Page("Second Thoughts", "<p><img src=\"pics/dot.png\" alt=\"\" /></p>"));
    Write(chapters + "03 three.htm", Page("Third Time", "<p><a href=\"01_one.htm\">Back</a></p>"));
    Write(chapters + "book.css", "p { font-size: 12pt; }\n");
    Write(chapters + "notes.txt", "not a chapter\n");
    Write(chapters + "pics/dot.png", "\x89PNG\r\n\x1a\n");
    Write(folder + "cover.jpg", "\xFF\xD8\xFF\xD9");
    return chapters;
}

}  // namespace quillery::testing
