#pragma once
// The url(...) references of a stylesheet (pictures, fonts, imported sheets), rewritten by a
// caller's function so they follow files renamed in the ePub.

#include <functional>
#include <string>
#include <string_view>

namespace quillery::epub {

std::string RewriteStylesheetUrls(std::string_view css,
                                  const std::function<std::string(std::string_view)>& rewrite);

}  // namespace quillery::epub
