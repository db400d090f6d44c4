// The Compiling Options dialog (see compile_options_dialog.h).
#include "app/compile_options_dialog.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "app/option_pages.h"

namespace quillery::app {
namespace {

bool IsChecked(const QDialog& dialog, const char* name) {
    return dialog.findChild<QAbstractButton*>(name)->isChecked();
}

}  // namespace

CompileOptionsDialog::CompileOptionsDialog(QWidget* parent) : QDialog(parent) {
    setObjectName("TfrmCompileOpt");
    setWindowTitle("Compiling Options");
    auto* layout = new QVBoxLayout(this);
    auto* text = new QLabel(
        "These options are provided by KindleGen, generally no need to change, and please read "
        "the guide from Amazon before you change them. ",
        this);
    text->setWordWrap(true);
    layout->addWidget(text);

    auto* compression = new QGroupBox("Compression Level", this);
    auto* compressionLayout = new QVBoxLayout(compression);
    compressionLayout->addWidget(
        Named(new QRadioButton("No Compression", compression), "selCompLevel1"));
    auto* standard = Named(new QRadioButton("Standard", compression), "selCompLevel2");
    standard->setChecked(true);
    compressionLayout->addWidget(standard);
    compressionLayout->addWidget(
        Named(new QRadioButton("Kindle Huffdic", compression), "selCompLevel3"));
    layout->addWidget(compression);

    auto* pictures = new QGroupBox("Pictures Format", this);
    auto* picturesLayout = new QVBoxLayout(pictures);
    auto* jpg = Named(new QRadioButton("JPG", pictures), "selPicFormat1");
    jpg->setChecked(true);
    picturesLayout->addWidget(jpg);
    picturesLayout->addWidget(Named(new QRadioButton("GIF", pictures), "selPicFormat2"));
    layout->addWidget(pictures);

    layout->addWidget(Named(new QCheckBox("Only Western  Charset", this), "chkWestern"));

    auto* buttons = new QHBoxLayout;
    auto* save = Named(new QPushButton("Save", this), "btnSave");
    buttons->addStretch();
    buttons->addWidget(save);
    // "Default" has no action: the options stay as they are.
    auto* defaults = Named(new QPushButton("Default", this), "btnDefult");
    defaults->setAutoDefault(false);
    buttons->addWidget(defaults);
    layout->addLayout(buttons);

    connect(save, &QPushButton::clicked, this, [this] { emit saved(SaveCompileFlags(Choice())); });
}

CompileFlagsChoice CompileOptionsDialog::Choice() const {
    CompileFlagsChoice choice;
    choice.selCompLevel1 = IsChecked(*this, "selCompLevel1");
    choice.selCompLevel2 = IsChecked(*this, "selCompLevel2");
    choice.selCompLevel3 = IsChecked(*this, "selCompLevel3");
    choice.selPicFormat1 = IsChecked(*this, "selPicFormat1");
    choice.selPicFormat2 = IsChecked(*this, "selPicFormat2");
    choice.chkWestern = IsChecked(*this, "chkWestern");
    return choice;
}

}  // namespace quillery::app
