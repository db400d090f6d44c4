// Rewrites a stylesheet's url(...) references (see stylesheet_urls.h).

#include "epub/stylesheet_urls.h"

#include <cctype>

namespace quillery::epub {

std::string RewriteStylesheetUrls(std::string_view css,
                                  const std::function<std::string(std::string_view)>& rewrite) {
    std::string out;
    out.reserve(css.size());
    std::size_t pos = 0;
    while (pos < css.size()) {
        std::size_t found = std::string_view::npos;
        for (std::size_t i = pos; i + 4 <= css.size(); ++i) {
            if ((css[i] == 'u' || css[i] == 'U') && (css[i + 1] == 'r' || css[i + 1] == 'R') &&
                (css[i + 2] == 'l' || css[i + 2] == 'L') && css[i + 3] == '(') {
                found = i;
                break;
            }
        }
        if (found == std::string_view::npos) break;
        const std::size_t close = css.find(')', found + 4);
        if (close == std::string_view::npos) break;
        std::string_view inner = css.substr(found + 4, close - found - 4);
        while (!inner.empty() && std::isspace(static_cast<unsigned char>(inner.front())))
            inner.remove_prefix(1);
        while (!inner.empty() && std::isspace(static_cast<unsigned char>(inner.back())))
            inner.remove_suffix(1);
        if (inner.size() >= 2 && (inner.front() == '"' || inner.front() == '\'') &&
            inner.back() == inner.front()) {
            inner = inner.substr(1, inner.size() - 2);
        }
        out.append(css.substr(pos, found - pos));
        out += "url(\"" + rewrite(inner) + "\")";
        pos = close + 1;
    }
    out.append(css.substr(pos));
    return out;
}

}  // namespace quillery::epub
