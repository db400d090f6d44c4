// Reading the opf2mobi command line (see arguments.h).

#include "opf2mobi/arguments.h"

namespace quillery::opf2mobi {

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
    if (parsed.outputName.empty()) {
        std::string base = parsed.options.opfPath.substr(parsed.options.opfPath.rfind('/') + 1);
        const auto dot = base.rfind('.');
        if (dot != std::string::npos && dot > 0) base.resize(dot);
        parsed.outputName = base + ".mobi";
    }
    return parsed;
}

}  // namespace quillery::opf2mobi
