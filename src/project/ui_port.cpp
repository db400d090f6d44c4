// Names of the window's pages and controls (see ui_port.h).

#include "project/ui_port.h"

namespace quillery {

std::string_view ControlName(Control control) {
    switch (control) {
        case Control::ImportWebPagesButton:
            return "btnImportHtml";
        case Control::MakeButton:
            return "btnMake";
        case Control::BookTitleBox:
            return "inTitle";
        case Control::ChapterGrid:
            return "fileList";
    }
    return {};
}

std::string_view PageName(Page page) {
    switch (page) {
        case Page::General:
            return "General";
        case Page::Cover:
            return "Cover";
        case Page::Import:
            return "Import";
        case Page::Export:
            return "Export";
        case Page::Log:
            return "Log";
        case Page::Advanced:
            return "Advanced";
    }
    return {};
}

}  // namespace quillery
