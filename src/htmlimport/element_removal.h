#pragma once
// "Remove HTML Elements": strips the checked kinds of markup from a chapter copy, leaving
// valid HTML and touching nothing else. Comments, CDATA sections and the raw text of script
// and style elements are never mistaken for markup.
//
//   Scripts: script elements with their content; noscript tags (their text stays: it is
//            what a reader without scripts should read).
//   Media:   the tags of audio, video, object, iframe, embed, source, track and param; the
//            fallback text inside media elements stays.
//   Forms:   select, textarea and button elements with their content; input tags; the form
//            start and end tags only (the form's other content stays).
//   Images:  img tags.
//   Links:   a tags carrying an href lose their start and end tags (the link text stays); an
//            a tag that also carries a name or id keeps the tag and loses only the href
//            attribute, so the anchor target survives. Anchors without href stay as they are.
//
// A start tag of a kind removed with content that has no end tag loses only itself; a stray
// end tag of such a kind is removed too. Nothing happens when options.enabled is false.
// The make applies it right after NormaliseChapterMarkup, before images are collected.

#include <string>

#include "project/book.h"

namespace quillery {

void RemoveHtmlElements(std::string& html, const RemoveElementOptions& options);

}  // namespace quillery
