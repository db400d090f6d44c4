// gumbo nodes made in the parser arena (see simple_page_nodes.h).

#include "epub/simple_page_nodes.h"

#include <cstring>

namespace quillery::epub {

namespace {

GumboStringPiece Piece(std::string_view s) { return {s.data(), s.size()}; }

GumboSourcePosition At(std::size_t offset) {
    GumboSourcePosition position{};
    position.offset = static_cast<unsigned>(offset);
    return position;
}

}  // namespace

template <class T>
T* SimplePageNodes::NewZeroed() {
    void* p = arena_.Allocate(sizeof(T));
    std::memset(p, 0, sizeof(T));
    return static_cast<T*>(p);
}

GumboNode* SimplePageNodes::NewElement(GumboTag tag, std::string_view source, std::size_t offset) {
    auto* node = NewZeroed<GumboNode>();
    node->type = GUMBO_NODE_ELEMENT;
    node->parse_flags = GUMBO_INSERTION_NORMAL;
    GumboElement& e = node->v.element;
    e.tag = tag;
    e.tag_namespace = GUMBO_NAMESPACE_HTML;
    e.original_tag = Piece(source);
    e.start_pos = At(offset);
    return node;
}

GumboNode* SimplePageNodes::NewText(GumboNodeType type, const char* text, std::string_view source,
                                    std::size_t offset) {
    auto* node = NewZeroed<GumboNode>();
    node->type = type;
    node->v.text.text = text;
    node->v.text.original_text = Piece(source);
    node->v.text.start_pos = At(offset);
    return node;
}

GumboAttribute* SimplePageNodes::NewAttribute(const char* name, std::string_view nameSource,
                                              const char* value, std::string_view valueSource,
                                              std::size_t offset) {
    auto* a = NewZeroed<GumboAttribute>();
    a->attr_namespace = GUMBO_ATTR_NAMESPACE_NONE;
    a->name = name;
    a->original_name = Piece(nameSource);
    a->value = value;
    a->original_value = Piece(valueSource);
    a->name_start = At(offset);
    a->name_end = At(offset + nameSource.size());
    const std::size_t valueOffset =
        valueSource.empty()
            ? offset + nameSource.size()
            : static_cast<std::size_t>(valueSource.data() - nameSource.data()) + offset;
    a->value_start = At(valueOffset);
    a->value_end = At(valueOffset + valueSource.size());
    return a;
}

GumboVector SimplePageNodes::NewVector(void* const* items, std::size_t count) {
    GumboVector v{nullptr, 0, 0};
    if (count == 0) return v;
    auto** data = static_cast<void**>(arena_.Allocate(count * sizeof(void*)));
    std::memcpy(data, items, count * sizeof(void*));
    v.data = data;
    v.length = static_cast<unsigned>(count);
    v.capacity = static_cast<unsigned>(count);
    return v;
}

void PendingChildren::Append(GumboNode* parent, std::size_t parentMark, GumboNode* child) {
    child->parent = parent;
    child->index_within_parent = nodes_.size() - parentMark;
    nodes_.push_back(child);
}

void PendingChildren::Close(GumboNode* element, std::size_t mark, SimplePageNodes& nodes) {
    element->v.element.children =
        nodes.NewVector(reinterpret_cast<void* const*>(nodes_.data() + mark), nodes_.size() - mark);
    nodes_.resize(mark);
}

}  // namespace quillery::epub
