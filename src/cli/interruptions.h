#pragma once
// What an interrupted quillery leaves behind: no compiler running on, no half-written book.

namespace quillery::cli {

// On SIGINT, SIGTERM, SIGHUP and SIGQUIT: ends the command being run (the compiler) and
// removes the temporary file of an unfinished atomic write, then dies of the signal as it
// would have. SIGXFSZ is ignored, so that a write over the file-size limit fails with an
// error that names the cause instead of killing the program mid-write.
void InstallInterruptionHandlers();

}  // namespace quillery::cli
