// The quillery command's options, parsed from its arguments (see cli_options.h).

#include "cli/cli_options.h"

#include <charconv>
#include <functional>
#include <map>

namespace quillery::cli {

namespace {

int ParseInt(const std::string& option, const std::string& value, int low, int high) {
    int n = 0;
    const auto [end, ec] = std::from_chars(value.data(), value.data() + value.size(), n);
    if (ec != std::errc() || end != value.data() + value.size() || n < low || n > high) {
        throw UsageError{option + " takes a whole number from " + std::to_string(low) + " to " +
                         std::to_string(high) + ", not \"" + value + "\""};
    }
    return n;
}

// A decimal number such as "2", "0.25" or "1.5", kept as the text the user typed (the
// paragraph rule writes it as it stands).
std::string ParseDecimal(const std::string& option, const std::string& value) {
    double d = 0;
    const auto [end, ec] = std::from_chars(value.data(), value.data() + value.size(), d);
    if (ec != std::errc() || end != value.data() + value.size() || d < 0 || d > 20) {
        throw UsageError{option + " takes a number of em such as 1 or 0.5, not \"" + value + "\""};
    }
    return value;
}

std::string ParseAlignment(const std::string& value) {
    if (value == "justified") return "Justified";
    if (value == "left") return "Left";
    if (value == "right") return "Right";
    throw UsageError{"--align takes justified, left or right, not \"" + value + "\""};
}

int ParseTitleMethod(const std::string& value) {
    if (value == "file") return 0;
    if (value == "html") return 1;
    if (value == "heading") return 2;
    throw UsageError{"--title-method takes file, html or heading, not \"" + value + "\""};
}

std::string ParseRemoveKinds(const std::string& value) {
    static const char* kKinds[] = {"scripts", "media", "forms", "images", "links"};
    if (value == "none") return value;
    std::size_t start = 0;
    while (start <= value.size()) {
        const std::size_t comma = value.find(',', start);
        const std::string kind =
            value.substr(start, comma == std::string::npos ? std::string::npos : comma - start);
        bool known = false;
        for (const char* k : kKinds) known = known || kind == k;
        if (!known) {
            throw UsageError{
                "--remove takes a list of scripts, media, forms, images, links (or none), not \"" +
                kind + "\""};
        }
        if (comma == std::string::npos) break;
        start = comma + 1;
    }
    return value;
}

}  // namespace

CliOptions ParseArguments(const std::vector<std::string>& args) {
    CliOptions o;
    if (args.empty()) return o;

    const std::string& verb = args[0];
    if (verb == "make") {
        o.command = Command::Make;
    } else if (verb == "titles") {
        o.command = Command::Titles;
    } else if (verb == "validate") {
        o.command = Command::Validate;
    } else if (verb == "--help" || verb == "-h" || verb == "help") {
        return o;
    } else {
        throw UsageError{"unknown command \"" + verb +
                         "\" (use make, titles or validate; --help tells more)"};
    }

    using Setter = std::function<void(const std::string&)>;
    const std::map<std::string, Setter> withValue = {
        {"--title", [&](const std::string& v) { o.title = v; }},
        {"--author", [&](const std::string& v) { o.author = v; }},
        {"--subject", [&](const std::string& v) { o.subject = v; }},
        {"--publisher", [&](const std::string& v) { o.publisher = v; }},
        {"--id", [&](const std::string& v) { o.id = v; }},
        {"--language", [&](const std::string& v) { o.language = v; }},
        {"--description", [&](const std::string& v) { o.description = v; }},
        {"--cover", [&](const std::string& v) { o.cover = v; }},
        {"--toc-position",
         [&](const std::string& v) { o.tocPosition = ParseInt("--toc-position", v, 0, 9); }},
        {"--toc-title", [&](const std::string& v) { o.tocTitle = v; }},
        {"--mark-toc", [&](const std::string& v) { o.markToc = v; }},
        {"--titles", [&](const std::string& v) { o.titlesFile = v; }},
        {"--ppi", [&](const std::string& v) { o.ppi = ParseInt("--ppi", v, 30, 1200); }},
        {"--title-method", [&](const std::string& v) { o.titleMethod = ParseTitleMethod(v); }},
        // The window offers whole em from 0 to 5 for the indent (the book keeps a whole number).
        {"--indent",
         [&](const std::string& v) { o.indentEm = std::to_string(ParseInt("--indent", v, 0, 5)); }},
        {"--spacing", [&](const std::string& v) { o.spacingEm = ParseDecimal("--spacing", v); }},
        {"--line-height",
         [&](const std::string& v) {
             o.lineHeightPercent = ParseInt("--line-height", v, 100, 200);
         }},
        {"--align", [&](const std::string& v) { o.alignment = ParseAlignment(v); }},
        {"--base-font-size",
         [&](const std::string& v) {
             o.baseFontSize = v == "auto" ? 0 : ParseInt("--base-font-size", v, 9, 16);
         }},
        {"--stylesheet", [&](const std::string& v) { o.stylesheet = v; }},
        {"--remove", [&](const std::string& v) { o.removeKinds = ParseRemoveKinds(v); }},
        {"-o", [&](const std::string& v) { o.output = v; }},
        {"--output", [&](const std::string& v) { o.output = v; }},
        {"--kindlegen", [&](const std::string& v) { o.kindlegen = v; }},
    };
    const std::map<std::string, std::function<void()>> flags = {
        {"--title-page", [&] { o.titlePage = true; }},
        {"--no-auto-title", [&] { o.noAutoTitle = true; }},
        {"--no-adapt-font-size", [&] { o.noAdaptFontSize = true; }},
        {"--no-classify-fonts", [&] { o.noClassifyFonts = true; }},
        {"-c0", [&] { o.compressionLevel = 0; }},
        {"-c1", [&] { o.compressionLevel = 1; }},
        {"-c2", [&] { o.compressionLevel = 2; }},
        {"--gif", [&] { o.gif = true; }},
        {"--western", [&] { o.western = true; }},
        {"--yes", [&] { o.yes = true; }},
        {"-y", [&] { o.yes = true; }},
        {"--no-wait", [&] { o.noWait = true; }},
        {"--no-split", [&] { o.noSplit = true; }},
        {"--png", [&] { o.png = true; }},
        {"--heading-anchors", [&] { o.headingAnchors = true; }},
        {"--epub", [&] { o.epub = true; }},
        {"--no-epub", [&] { o.epub = false; }},
    };

    bool onlyInputs = false;
    for (std::size_t i = 1; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (onlyInputs || a.empty() || a[0] != '-' || a == "-") {
            o.inputs.push_back(a);
            continue;
        }
        if (a == "--") {
            onlyInputs = true;
            continue;
        }
        if (a == "--help" || a == "-h") {
            o.command = Command::Help;
            return o;
        }
        std::string name = a;
        std::optional<std::string> inlineValue;
        if (const auto eq = a.find('='); eq != std::string::npos && a.rfind("--", 0) == 0) {
            name = a.substr(0, eq);
            inlineValue = a.substr(eq + 1);
        }
        if (const auto f = flags.find(name); f != flags.end() && !inlineValue) {
            f->second();
        } else if (const auto s = withValue.find(name); s != withValue.end()) {
            if (!inlineValue) {
                if (i + 1 >= args.size()) throw UsageError{name + " needs a value"};
                inlineValue = args[++i];
            }
            s->second(*inlineValue);
        } else {
            throw UsageError{"unknown option \"" + a + "\" (--help lists the options)"};
        }
    }
    if (o.command == Command::Validate && o.inputs.size() != 1)
        throw UsageError{"validate takes one ePub file"};
    if (o.inputs.empty()) {
        throw UsageError{"no input: give the chapter files (HTML) or one folder of web pages"};
    }
    return o;
}

const char* HelpText() {
    return R"(Usage:
  quillery make [options] INPUT...     make a MOBI book
  quillery titles [options] INPUT...   print the chapter list with the proposed titles
  quillery validate FILE.epub          check an ePub with epubcheck (the jar of setting.opt)
  quillery --help                      this text

INPUT is HTML files (chapters in the order given, all in one folder), one folder (its
*.htm, *.html and *.xhtml files in name order), one Word document (.docx; .doc, .odt and
.rtf through LibreOffice when it is installed), split into chapters at its section breaks,
or one web page Word saved as filtered HTML. Options that are not given take the values
saved in setting.opt (the window's "Save Settings").

Book information:
  --title T            book name (default: the file's or the folder's name)
  --author A           author ("Anonymous Author" when empty)
  --subject S          subject
  --publisher P        publisher ("Unknown publisher" when empty)
  --id ID              identifier ("None" when empty)
  --language NAME      language by its English name, e.g. English, French (default English)
  --description D      description
  --cover FILE         cover picture (JPEG, PNG, GIF or BMP)

Chapters and table of contents:
  --title-method M     chapter titles from: file (name), html (<title>), heading (first h1-h3)
  --no-auto-title      do not propose chapter titles from the pages: the chapters are
                       titled by their file names, or by --titles
  --titles FILE        the chapter titles, one a line in chapter order (UTF-8)
  --mark-toc FILE      use that chapter as the table of contents instead of generating one
  --toc-position N     where the generated contents page goes: 0 end, 1 beginning, N before chapter N
  --toc-title T        title of the generated contents page
  --title-page         generate a title page

Word documents:
  --no-split           keep the document as one chapter instead of splitting it at its
                       section breaks
  --ppi N              resolution of the document's pictures, in pixels per inch (default 96)
  --png                pictures as PNG (the default is GIF; JPEG pictures stay JPEG)
  --heading-anchors    give the headings of split sections anchors

Style:
  --indent EM          first line indent of paragraphs, 0 to 5 em
  --spacing EM         space above paragraphs, in em
  --line-height PCT    line height, 100 to 200 percent
  --align A            paragraph alignment: justified, left or right
  --no-adapt-font-size keep the stylesheets' font sizes
  --base-font-size N   points per em for the font size adaptation, 9 to 16, or auto
  --no-classify-fonts  do not classify font families (Word books)
  --stylesheet CSS     replace the book's stylesheet with this file
  --remove KINDS       remove these elements from the chapters: a comma-separated list of
                       scripts, media, forms, images, links, or none

Output and compiler:
  -o, --output OUT.mobi  where to save the book; a folder (ending in "/" or existing) saves
                       FOLDER/<title>.mobi; the book always gets the .mobi extension
                       (default: the folder saved in the settings, or the source folder
                       when "save to the same folder" is set)
  --kindlegen PATH     the MOBI compiler (default: the bundled opf2mobi)
  -c0 | -c1 | -c2      compression: none, standard (the default), Huffdic
  --gif                pictures as GIF
  --western            Western (Windows-1252) character set only
  --epub, --no-epub    also write NAME.epub beside the Mobi book, or not (default: on)
  --yes, -y            answer Yes to every question
  --no-wait            when another Quillery run is using the work folders, stop (exit 2)
                       instead of waiting for it

Messages go to standard error as the window would show them, the build log to standard
output, one progress line per step of the make to standard error.
Exit status: 0 the book was made cleanly; 1 the book was made, but the compiler gave
warnings (a chapter or picture was left out: see the log); 2 no book was made (a usage
or precondition error, or a failed compile).
validate: 0 the ePub is valid; 1 epubcheck found errors (see the log); 2 it could not run
(no such file, no epubcheck jar or no Java).
)";
}

}  // namespace quillery::cli
