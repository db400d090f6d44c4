// The KindleGen-needed dialog (see kindlegen_needed_dialog.h).
#include "app/kindlegen_needed_dialog.h"

#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QUrl>

#include "app/dialog_chooser.h"
#include "app/option_pages.h"

namespace quillery::app {

KindleGenNeededDialog::KindleGenNeededDialog(QWidget* parent, DialogChooser& chooser,
                                             const QString& manualPage)
    : QDialog(parent) {
    setObjectName("TfrmWarnKindleGen");
    setWindowTitle("KindleGen needed");
    auto* layout = new QGridLayout(this);
    auto* text = new QLabel(
        "Quillery needs Amazon KindleGen to work, please install KindleGen and set the path "
        "first. To support KF8, please download KindleGen 2.",
        this);
    text->setWordWrap(true);
    layout->addWidget(text, 0, 0, 1, 2);
    layout->addWidget(new QLabel("If you haven't installed KindleGen, please", this), 1, 0);
    auto* download = Named(new QPushButton("Go to Download KindleGen", this), "btnDownload");
    layout->addWidget(download, 1, 1);
    layout->addWidget(new QLabel("If you have installed KindleGen, please", this), 2, 0);
    auto* setPath = Named(new QPushButton("Set KindleGen Path", this), "btnSetPath");
    layout->addWidget(setPath, 2, 1);
    auto* help = Named(new QPushButton("Help", this), "btnHelp");
    layout->addWidget(help, 3, 1);

    // The manual's compiler section tells where the bundled compiler lies and how to set
    // another one; it stands in for the download page, which no longer exists.
    QUrl compilerSection = QUrl::fromLocalFile(manualPage);
    compilerSection.setFragment("compiler");
    const QString address = compilerSection.toString();
    for (QPushButton* button : {download, help}) {
        connect(button, &QPushButton::clicked, this,
                [&chooser, address] { chooser.ShellOpen(address, QString()); });
    }
    connect(setPath, &QPushButton::clicked, this, [this] {
        setPathChosen_ = true;
        accept();
    });
}

}  // namespace quillery::app
