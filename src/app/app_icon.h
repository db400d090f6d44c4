#pragma once
// Quillery's icon, for the window and its dialogs: the book drawn in desktop/quillery.svg, in
// the PNG sizes rendered from it (embedded in the program), so it is sharp on high-DPI
// screens and needs no SVG support at run time.

#include <QIcon>

namespace quillery::app {

QIcon QuilleryIcon();

}  // namespace quillery::app
