// The About box: program name, version and what the program does.
#include "app/about_box.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QVBoxLayout>

namespace quillery::app {

AboutBox::AboutBox(QWidget* parent) : QDialog(parent) {
    setObjectName("AboutBox");
    setWindowTitle("About");
    auto* layout = new QVBoxLayout(this);
    auto* name = new QLabel("<b>Quillery 2.3</b>", this);
    name->setObjectName("ProductName");
    layout->addWidget(name);
    layout->addWidget(
        new QLabel("Makes Kindle MOBI books from a folder of web pages or a Word document.", this));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    layout->addWidget(buttons);
}

}  // namespace quillery::app
