#pragma once
// The manifest items of content.opf for the stylesheets, the cover picture and the images,
// with the copying of the images into the OPS folder.

#include <string>
#include <string_view>

#include "project/book.h"

namespace quillery {

// The media subtype of a picture, chosen by its extension in lower case: "jpeg" (jpg, jpe,
// jpeg), "png", "gif", "svg+xml" (svg), "bmp", "tiff" (tif, tiff), "webp"; empty otherwise.
std::string ImageMediaSubtype(std::string_view path);

// The stylesheet items for book.stylesheets (as they stand): the replacement stylesheet's
// item (id "style") first when one is set, then `<item id="cssK" ...>` per entry K whose file
// exists in the source folder; the entry's folder is created in the OPS folder. A missing
// stylesheet gets the log line entry + "does not exist, give up" and leaves a gap in the ids.
std::string StylesheetManifestItems(Book& book);

// The picture items for book.images (as they stand): the cover picture's item (id
// "coverPic") first when one is set, then `<item id="imgK" ...>` per entry K whose file
// exists (ResourceSourceFile), which is copied to the OPS folder (creating its folder,
// overwriting). A missing picture gets the log line entry + "does not exist" and leaves a
// gap in the ids. Throws std::system_error when a copy fails.
std::string ImageManifestItems(Book& book);

// The media type of a font file told by its first bytes ("font/ttf", "font/otf",
// "font/woff", "font/woff2"); empty when it is none of these.
std::string FontMediaType(const std::string& path);

// The font items for book.fonts: `<item id="fontK" ...>` per entry K whose file exists and is
// a font, which is copied to the OPS folder; a missing file gets the log line entry +
// "does not exist", a file that is no font a log line naming it.
std::string FontManifestItems(Book& book);

// Insert the blocks above before the first "</manifest>" of opf (nothing when empty).
void InsertStylesheetItems(Book& book, std::string& opf);
void InsertImageItems(Book& book, std::string& opf);
void InsertFontItems(Book& book, std::string& opf);

}  // namespace quillery
