// Names of the window's pages and controls (see ui_port.h).

#include "project/ui_port.h"

#include "text/file_utils.h"

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

bool FileSettingUsable(const std::string& path, std::string_view whenUnset,
                       std::string_view whenMissing, UiPort& ui) {
    if (path.empty() || !FileExists(path)) {
        ui.ShowMessage(path.empty() ? whenUnset : whenMissing);
        return false;
    }
    return true;
}

}  // namespace quillery
