// The page control, the Save Settings panel, and the Log and Advanced pages.
#include "app/option_pages.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace quillery::app {

QTabWidget* BuildPageControl(QWidget* parent) {
    auto* pages = Named(new QTabWidget(parent), "PageControl1");
    pages->addTab(BuildGeneralPage(pages), " General ");
    pages->addTab(BuildCoverPage(pages), " Cover ");
    pages->addTab(BuildImportPage(pages), " Import ");
    pages->addTab(BuildExportPage(pages), " Export ");
    pages->addTab(BuildLogPage(pages), "Log");
    pages->addTab(BuildAdvancedPage(pages), " Advanced ");
    pages->setTabVisible(4, false);
    return pages;
}

QWidget* BuildSaveSettingPanel(QWidget* parent) {
    auto* panel = Named(new QWidget(parent), "pnlSaveSetting");
    auto* layout = new QHBoxLayout(panel);
    layout->addStretch();
    layout->addWidget(Named(new QPushButton("Save Settings", panel), "btnAdvSave"));
    panel->setHidden(true);
    return panel;
}

QWidget* BuildLogPage(QWidget* parent) {
    auto* page = new QWidget(parent);
    auto* layout = new QVBoxLayout(page);
    auto* memo = Named(new QPlainTextEdit(page), "Memo1");
    memo->setReadOnly(true);
    memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    layout->addWidget(memo);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(Named(new QPushButton("Save", page), "Button1"));
    buttons->addWidget(Named(new QPushButton("Clear", page), "Button2"));
    buttons->addStretch();
    layout->addLayout(buttons);
    return page;
}

namespace {

// A titled group with a path field and its "Set" button.
QGroupBox* PathGroup(QWidget* parent, const char* title, const char* field, const char* button) {
    auto* group = new QGroupBox(title, parent);
    auto* layout = new QHBoxLayout(group);
    layout->addWidget(Named(new QLineEdit(group), field));
    layout->addWidget(Named(new QPushButton("Set", group), button));
    return group;
}

}  // namespace

QWidget* BuildAdvancedPage(QWidget* parent) {
    auto* page = new QWidget(parent);
    auto* layout = new QVBoxLayout(page);
    auto* savePath = new QGroupBox("File Save Path", page);
    auto* saveLayout = new QVBoxLayout(savePath);
    saveLayout->addWidget(
        Named(new QRadioButton("Save to the same folder as source", savePath), "chkSaveSamePath"));
    auto* defaultFolder =
        Named(new QRadioButton("Save to my default Kindle Book folder", savePath), "RadioButton2");
    defaultFolder->setChecked(true);
    saveLayout->addWidget(defaultFolder);
    saveLayout->addWidget(Named(new QLineEdit(savePath), "inBookPath"));
    layout->addWidget(savePath);
    layout->addWidget(PathGroup(page, "KindleGen Path", "inKGenPath", "btnSetKindleGen"));
    layout->addWidget(
        PathGroup(page, "External Source Editor (for expert)", "inExEditor", "btnSetEditor"));
    layout->addWidget(
        PathGroup(page, "epubcheck Jar (ePub validation)", "inEpubcheckJar", "btnSetEpubcheck"));
    layout->addWidget(Named(new QPushButton("KindleGen Compiling Options", page), "Button5"));
    layout->addStretch();
    return page;
}

}  // namespace quillery::app
