#pragma once
// The normalisation every make applies to each chapter text: inside tags, attribute values
// get double quotes and tag and attribute names are lower-cased; nothing outside tags
// changes. Text, comments, CDATA sections, markup declarations, processing instructions,
// the contents of script and style elements and every attribute value keep their bytes.

#include <string>

namespace quillery {

// <P CLASS=Body>Text</P> becomes <p class="Body">Text</p>; <IMG SRC=Pics/My%20Photo.JPG>
// becomes <img src="Pics/My%20Photo.JPG">; <img src=a.gif/> keeps its picture a.gif and
// its "/>"; x=5 in text stays as it is. Names inside inline SVG and MathML keep their case
// (viewBox). A "<" that starts no tag is text.
void NormaliseChapterMarkup(std::string& html);

}  // namespace quillery
