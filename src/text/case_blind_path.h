#pragma once
// Finding a file named by a web page on a case-sensitive disk: pages written on systems with
// case-blind file names refer to "STYLE.CSS" for "style.css"; the file is still the one meant.

#include <string>

namespace quillery {

// The full path of the regular file folder + relative ("/"-separated), taken exactly when it
// exists, else the one file whose segments match it without regard to ASCII letter case (the
// first in name order when several do). Empty when there is none.
std::string ExistingFileCaseBlind(const std::string& folder, const std::string& relative);

}  // namespace quillery
