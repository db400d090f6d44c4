// The General page (book information and destination) and the Cover page.
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <QWebEngineView>

#include "app/option_pages.h"

namespace quillery::app {
namespace {

QWidget* BuildDestinationPanel(QWidget* parent) {
    auto* panel = Named(new QWidget(parent), "pnlSave");
    auto* layout = new QGridLayout(panel);
    layout->addWidget(Named(new QLabel("Your Mobi file will be saved", panel), "lblSaveStatus"), 0,
                      0, 1, 3);
    layout->addWidget(new QLabel("in", panel), 1, 0);
    layout->addWidget(Named(new QLabel(panel), "lblDesPath"), 1, 1, 1, 2);
    layout->addWidget(new QLabel("as", panel), 2, 0);
    layout->addWidget(Named(new QLabel(panel), "lblDesName"), 2, 1);
    layout->addWidget(Named(new QPushButton("Change", panel), "btnSaveto"), 2, 2);
    layout->setColumnStretch(1, 1);
    return panel;
}

// The hidden group of the design ("Folder", "File Name", ".epub"), without effect.
QWidget* BuildUnusedEpubGroup(QWidget* parent) {
    auto* group = new QGroupBox(parent);
    auto* layout = new QHBoxLayout(group);
    layout->addWidget(new QLabel("Folder", group));
    layout->addWidget(new QLabel("File Name", group));
    layout->addWidget(new QLabel(".epub", group));
    group->setHidden(true);
    return group;
}

}  // namespace

QWidget* BuildGeneralPage(QWidget* parent) {
    auto* page = new QWidget(parent);
    auto* layout = new QVBoxLayout(page);
    auto* bookName = new QLabel("Book Name", page);
    QFont bold = bookName->font();
    bold.setBold(true);
    bookName->setFont(bold);
    layout->addWidget(bookName);
    layout->addWidget(Named(new QLineEdit(page), "inTitle"));
    layout->addWidget(new QLabel("Author", page));
    layout->addWidget(Named(new QLineEdit(page), "inAuthor"));
    layout->addWidget(BuildDestinationPanel(page));
    layout->addWidget(BuildUnusedEpubGroup(page));
    layout->addWidget(new QLabel("Optional Items:", page));
    auto* optional = new QFormLayout;
    optional->addRow("Subject", Named(new QLineEdit(page), "inSubject"));
    optional->addRow("Publisher", Named(new QLineEdit(page), "inPublisher"));
    optional->addRow("ID", Named(new QLineEdit(page), "inID"));
    auto* language = new QHBoxLayout;
    auto* selLang = Named(new QComboBox(page), "selLang");
    selLang->setEditable(true);
    selLang->addItems({"English", "French", "Spanish", "German"});
    language->addWidget(selLang, 1);
    language->addWidget(Named(new QPushButton("More...", page), "Button3"));
    optional->addRow("Language", language);
    layout->addLayout(optional);
    layout->addWidget(new QLabel("Description", page));
    layout->addWidget(Named(new QPlainTextEdit(page), "inDesc"), 1);
    return page;
}

QWidget* BuildCoverPage(QWidget* parent) {
    auto* page = new QWidget(parent);
    auto* layout = new QVBoxLayout(page);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(Named(new QPushButton("Load a cover picture", page), "btnSelCoverPic"));
    buttons->addWidget(Named(new QPushButton("Clear", page), "btnClearCover"));
    layout->addLayout(buttons);
    auto* path = Named(new QLabel(page), "lblCoverPic");
    path->setWordWrap(true);
    layout->addWidget(path);
    layout->addWidget(
        Named(new QLabel("300*400 to 600*800 JPEG(*.jpg) recommended", page), "lblWarn"));
    layout->addWidget(Named(new QLabel(page), "lblWidth"));
    layout->addWidget(Named(new QLabel(page), "lblHeight"));
    page->findChild<QLabel*>("lblWidth")->setHidden(true);
    page->findChild<QLabel*>("lblHeight")->setHidden(true);
    layout->addWidget(Named(new QWebEngineView(page), "CoverVw"), 1);
    return page;
}

}  // namespace quillery::app
