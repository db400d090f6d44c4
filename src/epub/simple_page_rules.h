#pragma once
// Which elements a simple page (see simple_page_tree.h) may hold and where: the rules that
// keep the page clear of every move the HTML5 tree builder makes on its own (closing an
// element that was not closed, inserting one that was not written, moving content out of a
// table). An element that breaks a rule makes the page "not simple", never a different tree.

#include <gumbo.h>

namespace quillery::epub {

// What an element is to the simple page rules.
enum class SimpleRole : unsigned char {
    Outside,         // not in the subset
    Phrasing,        // inline markup: never closes anything
    Block,           // closes an open paragraph
    Heading,         // h1 to h6
    ListItem,        // li
    DefinitionItem,  // dt, dd
    Table,
    TableCaption,
    ColumnGroup,
    Column,
    TableSection,  // thead, tbody, tfoot
    TableRow,
    TableCell,  // td, th
    Metadata,   // meta, link, base: void, at home in the head
    Style,      // raw text
    Title,      // text with references, no markup
};

SimpleRole RoleOf(GumboTag tag);

// Elements written without content or end tag.
bool IsSimpleVoid(GumboTag tag);

// The open element a start tag would go into, as far as the rules need it.
struct OpenContext {
    GumboTag current;             // the current node
    bool paragraphInButtonScope;  // a p is open and no table, cell or caption is nearer
    bool anchorOpen;              // an a is open
};

// True when the start tag of `tag` in the body makes the element a child of the current
// node with nothing else happening.
bool MayStartInBody(GumboTag tag, const OpenContext& context);

// True when the element takes only whitespace text (other text would be moved before the
// table) and no markup but its own parts.
bool HoldsOnlyTableParts(GumboTag tag);

// True for the elements that end the search for an open p from inside them (the
// paragraph's "button scope" among the elements a simple page may hold).
bool BoundsParagraphScope(GumboTag tag);

}  // namespace quillery::epub
