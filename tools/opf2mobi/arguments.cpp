// Reading the opf2mobi command line (see arguments.h).

#include "opf2mobi/arguments.h"

#include <climits>

#include "opf2mobi/output_file.h"

namespace quillery::opf2mobi {
namespace {

bool HasControlCharacter(const std::string& text) {
    for (const char c : text) {
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) return true;
    }
    return false;
}

// The text with its control characters shown as \xNN, so that a message stays on one line.
std::string Visible(const std::string& text) {
    std::string out;
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == 0x7F) {
            static const char kHex[] = "0123456789ABCDEF";
            out += "\\x";
            out += kHex[byte >> 4];
            out += kHex[byte & 15];
        } else {
            out += c;
        }
    }
    return out;
}

}  // namespace

ParsedArguments ParseArguments(const std::vector<std::string>& arguments) {
    ParsedArguments parsed;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& a = arguments[i];
        if (a == "-c0" || a == "-c1" || a == "-c2") {
            parsed.options.compressionLevel = a[2] - '0';
        } else if (a == "-gif") {
            parsed.options.pictureFormat = mobi::PictureFormat::Gif;
        } else if (a == "-western") {
            parsed.options.western = true;
        } else if (a == "-verbose") {
            parsed.options.verbose = true;
        } else if (a == "-o") {
            if (i + 1 >= arguments.size() || arguments[i + 1].empty()) {
                parsed.error = "option -o needs a file name";
                return parsed;
            }
            parsed.outputName = arguments[++i];
        } else if (!a.empty() && a[0] == '-') {
            parsed.error = "unknown option \"" + a + "\"";
            return parsed;
        } else if (parsed.options.opfPath.empty()) {
            parsed.options.opfPath = a;
        } else {
            parsed.error = "more than one package document given (\"" + parsed.options.opfPath +
                           "\" and \"" + a + "\")";
            return parsed;
        }
    }
    if (parsed.options.opfPath.empty()) {
        parsed.error = "no package document given";
        return parsed;
    }
    if (parsed.outputName.find('/') != std::string::npos ||
        parsed.outputName.find('\\') != std::string::npos) {
        parsed.error =
            "the output name \"" + parsed.outputName +
            "\" must be a file name: the book is written into the folder of the package document";
        return parsed;
    }
    if (parsed.outputName == "." || parsed.outputName == "..") {
        parsed.error = "\"" + parsed.outputName + "\" is not a file name";
        return parsed;
    }
    // Control characters (a line break, say) cannot be shown in a message line, and no
    // reading device's file system takes them in a book's name.
    if (HasControlCharacter(parsed.options.opfPath)) {
        parsed.error = "the package document's path \"" + Visible(parsed.options.opfPath) +
                       "\" holds control characters; rename it";
        return parsed;
    }
    if (HasControlCharacter(parsed.outputName)) {
        parsed.error = "the output name \"" + Visible(parsed.outputName) +
                       "\" holds control characters; choose another name";
        return parsed;
    }
    if (parsed.options.opfPath.size() >= PATH_MAX) {
        parsed.error = "the package document's path is too long (" +
                       std::to_string(parsed.options.opfPath.size()) + " bytes; at most " +
                       std::to_string(PATH_MAX - 1) + ")";
        return parsed;
    }
    if (parsed.outputName.empty()) {
        std::string base = parsed.options.opfPath.substr(parsed.options.opfPath.rfind('/') + 1);
        const auto dot = base.rfind('.');
        if (dot != std::string::npos && dot > 0) base.resize(dot);
        parsed.outputName = base + ".mobi";
    }
    if (parsed.outputName.size() > kMaxFileNameBytes) {
        parsed.error = "the output name \"" + parsed.outputName.substr(0, 40) +
                       "...\" is too long (" + std::to_string(parsed.outputName.size()) +
                       " bytes; a file name has at most " + std::to_string(kMaxFileNameBytes) + ")";
        return parsed;
    }
    return parsed;
}

}  // namespace quillery::opf2mobi
