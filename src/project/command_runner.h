#pragma once
// Runs external programs (the MOBI compiler, epubcheck, converters) through the POSIX shell
// and hands back what they printed; beside it, the plain file copies the build uses.

#include <string>
#include <string_view>
#include <vector>

namespace quillery {

// Runs commandLine with "/bin/sh -c" in workingFolder, with no terminal window, and returns
// everything the command wrote to its standard output and standard error, merged in the
// order written. The output is read to its end before the process is waited for (so a
// command that prints megabytes cannot dead-lock), and the wait has no time-out. Returns an
// empty text when the process cannot be started, including when workingFolder does not
// exist. The exit status is not examined: callers judge the result by what it produced.
// The command runs in a process group of its own and is killed when the program dies.
// When `ended` is given, it tells afterwards whether EndRunningCommand ended the command.
std::string RunCommand(const std::string& commandLine, const std::string& workingFolder,
                       bool* ended = nullptr);

// Ends the command RunCommand is running (its whole process group), if any. Safe to call
// from a signal handler: a program interrupted during a compile ends the compiler too.
void EndRunningCommand() noexcept;

// Quotes a path (or any word) for the POSIX shell: the text in single quotes, an embedded
// single quote written as '\''. Nothing inside is expanded or executed by the shell.
std::string ShellQuote(std::string_view text);

// Copies source to destination byte for byte, overwriting an existing destination. The
// destination folder must exist. Throws std::system_error naming the file when the source
// cannot be read or the destination cannot be written.
void CopyFile(const std::string& source, const std::string& destination);

// The names of the entries of folder (files and sub-folders), in the order the file system
// returns them, without "." and "..". Empty when the folder cannot be read.
std::vector<std::string> ListFolderEntries(const std::string& folder);

// Copies the files (not the sub-folders) of sourceFolder into destinationFolder, keeping
// their names. The destination is created (one level) only when there is something to copy.
void CopyFolderFiles(const std::string& sourceFolder, const std::string& destinationFolder);

}  // namespace quillery
