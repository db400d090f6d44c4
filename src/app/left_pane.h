#pragma once
// The left pane of the window: the tool bar (Import Web Pages, Import Word Doc, Make Mobi and
// the preview toggle), the chapter grid fileList and, under a splitter, the preview Viewer.

#include <QWidget>

namespace quillery::app {

QWidget* BuildLeftPane(QWidget* parent);

}  // namespace quillery::app
