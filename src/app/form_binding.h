#pragma once
// The window's controls <-> the BookForm record the core reads: ReadForm takes every value
// the make and the settings read back, ShowForm puts the values the core changed (settings
// at start, book information and destination after an import) into the controls.

#include "project/book_form.h"

class QWidget;

namespace quillery::app {

// The control of the window named `name`; throws std::logic_error when there is none, so a
// misspelt name fails at once.
template <class W>
W& NamedControl(const QWidget& window, const char* name);

// Every control value; fileList and coverPath are the window's to fill.
BookForm ReadForm(const QWidget& window);
void ShowForm(QWidget& window, const BookForm& form);

}  // namespace quillery::app
