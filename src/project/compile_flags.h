#pragma once
// The three compiler options of the "Compiling Options" dialog. They live for the run of
// the program only and are never written to the settings file.

namespace quillery {

struct CompileFlags {
    int compressionLevel = 0;  // 0 none, 1 standard, 2 Huffdic; 0 until the dialog is saved
    int pictureFormat = 0;     // 0 JPG, 1 GIF
    bool westernOnly = false;  // "Only Western  Charset"
};

// The dialog's control states; the defaults are those it opens with.
struct CompileFlagsChoice {
    bool selCompLevel1 = false;  // "No Compression"
    bool selCompLevel2 = true;   // "Standard"
    bool selCompLevel3 = false;  // "Kindle Huffdic"
    bool selPicFormat1 = true;   // "JPG"
    bool selPicFormat2 = false;  // "GIF"
    bool chkWestern = false;     // "Only Western  Charset"
};

// The dialog's "Save": level 0 for "No Compression", else 2 for "Kindle Huffdic", else 1;
// picture format 1 for "GIF", else 0; western as the check box.
CompileFlags SaveCompileFlags(const CompileFlagsChoice& choice);

}  // namespace quillery
