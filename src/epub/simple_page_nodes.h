#pragma once
// gumbo's node structures made in the parser arena for the simple page tree builder (see
// simple_page_tree.h): elements in the HTML namespace, text, whitespace and comment nodes,
// attributes and the child lists, with the fields the HTML5 parser fills (source spans and
// offsets; lines and columns are left at zero).

#include <gumbo.h>

#include <cstddef>
#include <string_view>
#include <vector>

#include "epub/parser_arena.h"

namespace quillery::epub {

class SimplePageNodes {
public:
    explicit SimplePageNodes(ParserArena& arena) : arena_(arena) {}

    // An element with no children and no attributes yet; `source` is its start tag.
    GumboNode* NewElement(GumboTag tag, std::string_view source, std::size_t offset);
    // A text node (TEXT or WHITESPACE) or comment holding `text`, which is in the arena.
    GumboNode* NewText(GumboNodeType type, const char* text, std::string_view source,
                       std::size_t offset);
    GumboAttribute* NewAttribute(const char* name, std::string_view nameSource, const char* value,
                                 std::string_view valueSource, std::size_t offset);
    // `count` bytes of arena memory for a string, with room for its terminating NUL.
    char* NewString(std::size_t count) { return static_cast<char*>(arena_.Allocate(count + 1)); }
    // A vector in the arena holding `items`.
    GumboVector NewVector(void* const* items, std::size_t count);

private:
    template <class T>
    T* NewZeroed();

    ParserArena& arena_;
};

// The children of the open elements, kept on one stack while the page is read: an open
// element's children are the entries from its mark on; closing it moves them into its
// child list.
class PendingChildren {
public:
    std::size_t Mark() const { return nodes_.size(); }
    void Append(GumboNode* parent, std::size_t parentMark, GumboNode* child);
    // Gives `element` the children appended since `mark` and drops them from the stack.
    void Close(GumboNode* element, std::size_t mark, SimplePageNodes& nodes);

private:
    std::vector<GumboNode*> nodes_;
};

}  // namespace quillery::epub
