// Fuzzes the simple page tree builder against the HTML5 parser: for every page the builder
// accepts (the input, and the input framed as a body), its tree must equal the parser's (node by
// node: types, tags, attributes, text) and the XHTML written from it must be the same, byte for
// byte. Aborts otherwise.
#include <gumbo.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "epub/parser_arena.h"
#include "epub/simple_page_tree.h"
#include "epub/xhtml_conversion.h"

namespace {

using namespace quillery::epub;

[[noreturn]] void Differ(const char* what, const std::string& detail) {
    std::fprintf(stderr, "simple page tree differs from the HTML5 parser: %s\n%s\n", what,
                 detail.c_str());
    std::abort();
}

void CompareTrees(const GumboNode* simple, const GumboNode* parsed, const std::string& path) {
    if (simple->type != parsed->type)
        Differ("node type",
               path + ": " + std::to_string(simple->type) + " vs " + std::to_string(parsed->type));
    if (simple->type != GUMBO_NODE_ELEMENT) {
        if (std::string(simple->v.text.text) != parsed->v.text.text)
            Differ("text",
                   path + ": [" + simple->v.text.text + "] vs [" + parsed->v.text.text + "]");
        return;
    }
    const GumboElement& s = simple->v.element;
    const GumboElement& p = parsed->v.element;
    const std::string here = path + "/" + gumbo_normalized_tagname(p.tag);
    if (s.tag != p.tag || s.tag_namespace != p.tag_namespace) Differ("element", here);
    if (s.attributes.length != p.attributes.length) Differ("attribute count", here);
    for (unsigned i = 0; i < s.attributes.length; ++i) {
        const auto* a = static_cast<const GumboAttribute*>(s.attributes.data[i]);
        const auto* b = static_cast<const GumboAttribute*>(p.attributes.data[i]);
        if (std::string(a->name) != b->name || std::string(a->value) != b->value ||
            a->attr_namespace != b->attr_namespace)
            Differ("attribute",
                   here + " " + a->name + "=" + a->value + " vs " + b->name + "=" + b->value);
    }
    if (s.children.length != p.children.length)
        Differ("child count", here + ": " + std::to_string(s.children.length) + " vs " +
                                  std::to_string(p.children.length));
    for (unsigned i = 0; i < s.children.length; ++i) {
        const auto* child = static_cast<const GumboNode*>(s.children.data[i]);
        if (child->parent != simple || child->index_within_parent != i)
            Differ("parent or index", here);
        CompareTrees(child, static_cast<const GumboNode*>(p.children.data[i]),
                     here + "[" + std::to_string(i) + "]");
    }
}

// Checks one page: nothing when the builder refuses it, the comparisons when it accepts.
void CheckPage(std::string_view page) {
    // The trees, node by node.
    ParserArena simpleArena;
    const GumboNode* simple = BuildSimplePageTree(page, simpleArena);
    if (!simple) return;
    GumboOutput* parsed = gumbo_parse_with_options(&kGumboDefaultOptions, page.data(), page.size());
    CompareTrees(simple, parsed->root, "");
    gumbo_destroy_output(&kGumboDefaultOptions, parsed);

    // The XHTML written from them, with and without URL rewriting.
    XhtmlOptions options;
    options.fallbackTitle = "Fallback";
    options.language = "en";
    for (const bool rewrite : {false, true}) {
        if (rewrite)
            options.rewriteUrl = [](std::string_view url) {
                return url.size() % 3 == 0 ? std::string() : "x/" + std::string(url);
            };
        const XhtmlDocument fast = ConvertToXhtml(page, options);
        XhtmlOptions forced = options;
        forced.alwaysParseAsHtml = true;
        const XhtmlDocument reference = ConvertToXhtml(page, forced);
        if (fast.text != reference.text)
            Differ("XHTML", "simple:\n" + fast.text + "\nparsed:\n" + reference.text);
        if (fast.scripted != reference.scripted || fast.svg != reference.svg ||
            fast.mathml != reference.mathml)
            Differ("document properties", "");
        if (fast.parsedAsHtml || !reference.parsedAsHtml) Differ("path taken", "");
    }
}

}  // namespace

// The input as a whole page, and (so that more inputs pass the frame) as a body's content.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    CheckPage(input);
    if (!input.starts_with("<?") && !input.starts_with("<!") && !input.starts_with("<html"))
        CheckPage("<html><head><title>t</title></head><body>" + std::string(input) +
                  "</body></html>");
    return 0;
}
