// The left pane: tool bar, chapter grid and preview.
#include "app/left_pane.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QSplitter>
#include <QToolButton>
#include <QVBoxLayout>
#include <QWebEngineView>

#include "app/chapter_grid_widget.h"
#include "app/option_pages.h"

namespace quillery::app {
namespace {

QPushButton* ToolButton(QWidget* parent, const char* name, const char* caption, const char* hint) {
    auto* button = Named(new QPushButton(caption, parent), name);
    if (hint[0] != '\0') button->setToolTip(hint);
    return button;
}

}  // namespace

QWidget* BuildLeftPane(QWidget* parent) {
    auto* pane = new QWidget(parent);
    auto* layout = new QVBoxLayout(pane);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* tools = new QHBoxLayout;
    tools->addWidget(
        ToolButton(pane, "btnImportHtml", "Import Web Pages", "Import a folder of HTML files"));
    tools->addWidget(
        ToolButton(pane, "btnImportDoc", "Import Word Doc", "Import a MS Word document"));
    tools->addWidget(ToolButton(pane, "btnMake", "Make Mobi", ""));
    tools->addStretch();
    auto* preview = Named(new QToolButton(pane), "btnPreview");
    preview->setText("Preview");
    preview->setToolTip("Web page preview");
    preview->setCheckable(true);
    preview->setChecked(true);
    tools->addWidget(preview);
    layout->addLayout(tools);

    auto* splitter = new QSplitter(Qt::Vertical, pane);
    splitter->addWidget(new ChapterGridWidget(splitter));
    splitter->addWidget(Named(new QWebEngineView(splitter), "Viewer"));
    splitter->setStretchFactor(1, 1);
    layout->addWidget(splitter, 1);
    return pane;
}

}  // namespace quillery::app
