#pragma once
// Style classes: every distinct inline style attribute of a Word document's body becomes a
// generated class (s1, s2, ... in order of first appearance), written after Word's own
// cleaned rules in the one style block; an element that also has a Word class gets one
// merged class (for example MsoTitle-3) whose rule holds both declarations.

#include <string>

namespace quillery {

// Does the whole job on html. A document without "</head>" has nowhere to put the rules and
// keeps its inline styles.
void ApplyStyleClasses(std::string& html);

}  // namespace quillery
