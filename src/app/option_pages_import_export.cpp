// The Import page (titles, Word options, pictures, element removal) and the Export page
// (font adaptation, table of contents, paragraph style).
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "app/option_pages.h"
#include "project/settings.h"

namespace quillery::app {
namespace {

QComboBox* Selector(QWidget* parent, const char* name, const QStringList& items) {
    auto* box = Named(new QComboBox(parent), name);
    box->addItems(items);
    return box;
}

QStringList NumberItems(int from, int to, int step) {
    QStringList items;
    for (int value = from; value <= to; value += step) items << QString::number(value);
    return items;
}

// A check box, its selector and a unit label on one line.
QHBoxLayout* StyleLine(QWidget* parent, const char* caption, const char* box, QComboBox* selector,
                       const char* unit) {
    auto* line = new QHBoxLayout;
    line->addWidget(Named(new QCheckBox(caption, parent), box));
    line->addStretch();
    line->addWidget(selector);
    if (unit[0] != '\0') line->addWidget(new QLabel(unit, parent));
    return line;
}

QWidget* BuildTitleGroup(QWidget* parent) {
    auto* group = new QGroupBox(parent);
    auto* layout = new QVBoxLayout(group);
    layout->addWidget(Named(new QCheckBox("Auto Extract Chapter Title ", group), "chkAutoTitle"));
    layout->addWidget(Named(new QRadioButton("from file name", group), "selTitleMethod0"));
    layout->addWidget(Named(new QRadioButton("from HTML title", group), "selTitleMethod1"));
    layout->addWidget(Named(new QRadioButton("from first heading", group), "selTitleMethod2"));
    auto* wordToc = Named(new QCheckBox("Remove Word  Internal TOC", group), "chkDelWordTOC");
    wordToc->setHidden(true);
    layout->addWidget(wordToc);
    layout->addWidget(
        Named(new QCheckBox("Auto split Word HTML on section break", group), "chkSplit"));
    return group;
}

QWidget* BuildImageGroup(QWidget* parent) {
    auto* group = new QGroupBox("Image Options (only for Word, need re-import)", parent);
    auto* layout = new QVBoxLayout(group);
    auto* ppi = new QHBoxLayout;
    ppi->addWidget(new QLabel("Resolution(PPI)", group));
    QStringList items;
    for (const std::string& item : PpiItems()) items << QString::fromStdString(item);
    auto* selPPI = Selector(group, "selPPI", items);
    selPPI->setEditable(true);
    ppi->addWidget(selPPI, 1);
    layout->addLayout(ppi);
    auto* format = new QHBoxLayout;
    format->addWidget(new QLabel("Grahpics as", group));
    format->addWidget(Named(new QRadioButton("GIF", group), "chkGIF"));
    format->addWidget(Named(new QRadioButton("PNG", group), "chkPNG"));
    format->addStretch();
    layout->addLayout(format);
    return group;
}

// The hidden group: the title page box and three boxes without effect.
QWidget* BuildHiddenImportGroup(QWidget* parent) {
    auto* group = new QGroupBox(parent);
    auto* layout = new QVBoxLayout(group);
    layout->addWidget(Named(new QCheckBox("Generate a Title Page", group), "chkAutoTitlePage"));
    layout->addWidget(new QCheckBox("Popup when finished", group));
    layout->addWidget(new QCheckBox("Sound ", group));
    layout->addWidget(new QCheckBox("Warn befor new project", group));
    group->setHidden(true);
    return group;
}

QWidget* BuildElementGroup(QWidget* parent) {
    auto* group = new QGroupBox(parent);
    auto* layout = new QVBoxLayout(group);
    layout->addWidget(Named(new QCheckBox("Remove HTML Elements", group), "chkHTMLC"));
    auto* kinds = new QHBoxLayout;
    kinds->addWidget(Named(new QCheckBox("Scripts", group), "chkJS"));
    kinds->addWidget(Named(new QCheckBox("Forms", group), "chkForm"));
    kinds->addWidget(Named(new QCheckBox("Links", group), "chkLink"));
    kinds->addWidget(Named(new QCheckBox("Images", group), "chkImg"));
    kinds->addWidget(Named(new QCheckBox("Media", group), "chkMedia"));
    layout->addLayout(kinds);
    return group;
}

QWidget* BuildFontGroup(QWidget* parent) {
    auto* group = new QGroupBox("Font Adaptation", parent);
    auto* layout = new QVBoxLayout(group);
    auto* size = new QHBoxLayout;
    size->addWidget(Named(new QCheckBox("Adapt Font Size", group), "chkEmFontSize"));
    size->addWidget(new QLabel("1 em =", group));
    size->addWidget(
        Selector(group, "selBaseFontSize", QStringList{"Auto"} + NumberItems(9, 16, 1)));
    size->addWidget(new QLabel("pt", group));
    layout->addLayout(size);
    auto* kind = new QHBoxLayout;
    kind->addWidget(Named(new QRadioButton("Original", group), "chkABSFontSize"));
    auto* relative = Named(new QRadioButton("Relative - em", group), "chkRelativeFontSize");
    relative->setHidden(true);
    kind->addWidget(relative);
    layout->addLayout(kind);
    layout->addWidget(
        Named(new QCheckBox("Classify Fonts (only for Word)", group), "chkClassifyFont"));
    return group;
}

QWidget* BuildTocGroup(QWidget* parent) {
    auto* group = new QGroupBox(parent);
    auto* layout = new QVBoxLayout(group);
    auto* position = new QHBoxLayout;
    position->addWidget(new QLabel("TOC Position", group));
    position->addWidget(Selector(group, "selTocIndex",
                                 QStringList{"0 (End)", "1 (Beginning)"} + NumberItems(2, 9, 1)),
                        1);
    layout->addLayout(position);
    auto* title = new QHBoxLayout;
    title->addWidget(new QLabel("TOC Title", group));
    title->addWidget(Named(new QLineEdit(group), "inTocTitle"), 1);
    layout->addLayout(title);
    return group;
}

QWidget* BuildParagraphGroup(QWidget* parent) {
    auto* group = new QGroupBox("Global Paragraph Style", parent);
    auto* layout = new QVBoxLayout(group);
    auto* indent = Selector(group, "selIndent", NumberItems(0, 5, 1));
    indent->setCurrentText("2");
    layout->addLayout(StyleLine(group, "First Line Indent", "chkIndent", indent, "em"));
    layout->addLayout(StyleLine(group, "Alignment", "chkAlign",
                                Selector(group, "selAlign", {"Justified", "Left", "Right"}), ""));
    layout->addLayout(StyleLine(
        group, "Paragraph Spacing", "chkGap",
        Selector(group, "selGap", {"0", "0.25", "0.5", "0.75", "1", "1.25", "1.5"}), "em"));
    auto* lineHeight = Selector(group, "selLineHeight", NumberItems(100, 200, 10));
    lineHeight->setCurrentText("120");
    layout->addLayout(StyleLine(group, "Line Height", "chkLineHeight", lineHeight, "%"));
    return group;
}

// The hidden stylesheet group: "Load New", "Replace Stylesheet", "Font Size Mapper" and
// "Relative - 7 levels".
QWidget* BuildHiddenStyleGroup(QWidget* parent) {
    auto* group = new QGroupBox(parent);
    auto* layout = new QVBoxLayout(group);
    layout->addWidget(Named(new QPushButton("Load New", group), "btnLoadCSS"));
    layout->addWidget(Named(new QCheckBox("Replace Stylesheet", group), "chkGCSS"));
    layout->addWidget(Named(new QPushButton("Font Size Mapper", group), "btnFontMapper"));
    layout->addWidget(Named(new QCheckBox("Relative - 7 levels", group), "chk7lFontSize"));
    group->setHidden(true);
    return group;
}

}  // namespace

QWidget* BuildImportPage(QWidget* parent) {
    auto* page = new QWidget(parent);
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(BuildTitleGroup(page));
    layout->addWidget(BuildImageGroup(page));
    layout->addWidget(BuildHiddenImportGroup(page));
    layout->addWidget(BuildElementGroup(page));
    layout->addStretch();
    return page;
}

QWidget* BuildExportPage(QWidget* parent) {
    auto* page = new QWidget(parent);
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(BuildFontGroup(page));
    layout->addWidget(BuildTocGroup(page));
    layout->addWidget(BuildParagraphGroup(page));
    layout->addWidget(BuildHiddenStyleGroup(page));
    layout->addStretch();
    return page;
}

}  // namespace quillery::app
