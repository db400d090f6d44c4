#pragma once
// The ePub container folder: the temp folder laid out as the root of an expanded container
// (mimetype, META-INF/container.xml and the OPS folder the other package writers fill).

#include "project/book.h"

namespace quillery {

// Prepares the container before anything of the book is written: creates the output folder
// (book.outputFolder, with missing parents; skipped when empty), the temp folder, its
// META-INF folder and its OPS folder (book.folders.opsFolder is set to temp folder + "OPS/"),
// then copies lib/mimetype and lib/META-INF/container.xml into the temp folder, overwriting.
// Existing content of the OPS folder is left alone.
// Throws std::system_error (the file error) when a folder cannot be created or a template
// cannot be copied; nothing of the book has been written then.
void PrepareContainer(Book& book);

}  // namespace quillery
