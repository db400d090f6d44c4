// The element rules of a simple page (see simple_page_rules.h).

#include "epub/simple_page_rules.h"

namespace quillery::epub {

SimpleRole RoleOf(GumboTag tag) {
    switch (tag) {
        // Phrasing: the tree builder just inserts these (formatting ones are also listed
        // as active, which changes nothing while every end tag closes the current node).
        case GUMBO_TAG_A:
        case GUMBO_TAG_ABBR:
        case GUMBO_TAG_ACRONYM:
        case GUMBO_TAG_B:
        case GUMBO_TAG_BDO:
        case GUMBO_TAG_BIG:
        case GUMBO_TAG_BR:
        case GUMBO_TAG_CITE:
        case GUMBO_TAG_CODE:
        case GUMBO_TAG_DFN:
        case GUMBO_TAG_EM:
        case GUMBO_TAG_FONT:
        case GUMBO_TAG_I:
        case GUMBO_TAG_IMG:
        case GUMBO_TAG_KBD:
        case GUMBO_TAG_Q:
        case GUMBO_TAG_S:
        case GUMBO_TAG_SAMP:
        case GUMBO_TAG_SMALL:
        case GUMBO_TAG_SPAN:
        case GUMBO_TAG_STRIKE:
        case GUMBO_TAG_STRONG:
        case GUMBO_TAG_SUB:
        case GUMBO_TAG_SUP:
        case GUMBO_TAG_TT:
        case GUMBO_TAG_U:
        case GUMBO_TAG_VAR:
        case GUMBO_TAG_WBR:
        case GUMBO_TAG_DEL:
        case GUMBO_TAG_INS:
            return SimpleRole::Phrasing;
        case GUMBO_TAG_ADDRESS:
        case GUMBO_TAG_ARTICLE:
        case GUMBO_TAG_ASIDE:
        case GUMBO_TAG_BLOCKQUOTE:
        case GUMBO_TAG_CENTER:
        case GUMBO_TAG_DIV:
        case GUMBO_TAG_DL:
        case GUMBO_TAG_FIGURE:
        case GUMBO_TAG_FIGCAPTION:
        case GUMBO_TAG_FOOTER:
        case GUMBO_TAG_HEADER:
        case GUMBO_TAG_HR:
        case GUMBO_TAG_NAV:
        case GUMBO_TAG_OL:
        case GUMBO_TAG_P:
        case GUMBO_TAG_PRE:
        case GUMBO_TAG_SECTION:
        case GUMBO_TAG_UL:
            return SimpleRole::Block;
        case GUMBO_TAG_H1:
        case GUMBO_TAG_H2:
        case GUMBO_TAG_H3:
        case GUMBO_TAG_H4:
        case GUMBO_TAG_H5:
        case GUMBO_TAG_H6:
            return SimpleRole::Heading;
        case GUMBO_TAG_LI:
            return SimpleRole::ListItem;
        case GUMBO_TAG_DT:
        case GUMBO_TAG_DD:
            return SimpleRole::DefinitionItem;
        case GUMBO_TAG_TABLE:
            return SimpleRole::Table;
        case GUMBO_TAG_CAPTION:
            return SimpleRole::TableCaption;
        case GUMBO_TAG_COLGROUP:
            return SimpleRole::ColumnGroup;
        case GUMBO_TAG_COL:
            return SimpleRole::Column;
        case GUMBO_TAG_THEAD:
        case GUMBO_TAG_TBODY:
        case GUMBO_TAG_TFOOT:
            return SimpleRole::TableSection;
        case GUMBO_TAG_TR:
            return SimpleRole::TableRow;
        case GUMBO_TAG_TD:
        case GUMBO_TAG_TH:
            return SimpleRole::TableCell;
        case GUMBO_TAG_META:
        case GUMBO_TAG_LINK:
        case GUMBO_TAG_BASE:
            return SimpleRole::Metadata;
        case GUMBO_TAG_STYLE:
            return SimpleRole::Style;
        case GUMBO_TAG_TITLE:
            return SimpleRole::Title;
        default:
            // Scripts, forms, embedded content, SVG and MathML, template, nobr, ruby, a
            // second html, head or body, unknown names: the tree builder treats them in
            // ways of their own.
            return SimpleRole::Outside;
    }
}

bool IsSimpleVoid(GumboTag tag) {
    switch (tag) {
        case GUMBO_TAG_BR:
        case GUMBO_TAG_IMG:
        case GUMBO_TAG_HR:
        case GUMBO_TAG_WBR:
        case GUMBO_TAG_META:
        case GUMBO_TAG_LINK:
        case GUMBO_TAG_BASE:
        case GUMBO_TAG_COL:
            return true;
        default:
            return false;
    }
}

bool HoldsOnlyTableParts(GumboTag tag) {
    return tag == GUMBO_TAG_TABLE || tag == GUMBO_TAG_THEAD || tag == GUMBO_TAG_TBODY ||
           tag == GUMBO_TAG_TFOOT || tag == GUMBO_TAG_TR || tag == GUMBO_TAG_COLGROUP;
}

bool BoundsParagraphScope(GumboTag tag) {
    return tag == GUMBO_TAG_HTML || tag == GUMBO_TAG_TABLE || tag == GUMBO_TAG_TD ||
           tag == GUMBO_TAG_TH || tag == GUMBO_TAG_CAPTION;
}

namespace {

bool IsTableSection(GumboTag tag) {
    return tag == GUMBO_TAG_THEAD || tag == GUMBO_TAG_TBODY || tag == GUMBO_TAG_TFOOT;
}

bool IsHeading(GumboTag tag) { return RoleOf(tag) == SimpleRole::Heading; }

// Inside a table, its sections, rows and column groups only their own parts may start:
// anything else would be moved before the table, and a row straight in a table (or a
// cell straight in a section, a column straight in a table) gets a parent it was not
// written with.
bool MayStartAsTablePart(SimpleRole role, GumboTag current) {
    switch (role) {
        case SimpleRole::TableCaption:
        case SimpleRole::ColumnGroup:
        case SimpleRole::TableSection:
            return current == GUMBO_TAG_TABLE;
        case SimpleRole::TableRow:
            return IsTableSection(current);
        case SimpleRole::TableCell:
            return current == GUMBO_TAG_TR;
        case SimpleRole::Column:
            return current == GUMBO_TAG_COLGROUP;
        default:
            return false;
    }
}

}  // namespace

bool MayStartInBody(GumboTag tag, const OpenContext& context) {
    const SimpleRole role = RoleOf(tag);
    if (role == SimpleRole::Outside || role == SimpleRole::Title || tag == GUMBO_TAG_BASE)
        return false;
    if (HoldsOnlyTableParts(context.current) || role == SimpleRole::TableCaption ||
        role == SimpleRole::ColumnGroup || role == SimpleRole::Column ||
        role == SimpleRole::TableSection || role == SimpleRole::TableRow ||
        role == SimpleRole::TableCell)
        return MayStartAsTablePart(role, context.current);
    // Every start tag but phrasing and metadata closes an open paragraph first.
    const bool closesParagraph =
        role != SimpleRole::Phrasing && role != SimpleRole::Metadata && role != SimpleRole::Style;
    if (closesParagraph && context.paragraphInButtonScope) return false;
    switch (role) {
        case SimpleRole::Heading:
            // A heading start tag closes a heading that is the current node.
            return !IsHeading(context.current);
        case SimpleRole::ListItem:
            // An li closes the open li up to the nearest list; only straight in a list
            // does it close nothing.
            return context.current == GUMBO_TAG_UL || context.current == GUMBO_TAG_OL;
        case SimpleRole::DefinitionItem:
            return context.current == GUMBO_TAG_DL;
        default:
            break;
    }
    // An a inside an open a closes the first one (and reopens the formatting around it).
    if (tag == GUMBO_TAG_A) return !context.anchorOpen;
    return true;
}

}  // namespace quillery::epub
