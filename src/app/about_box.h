#pragma once
// The About box: the program's name and version, shown modally from Help, About.

#include <QDialog>

namespace quillery::app {

class AboutBox final : public QDialog {
    Q_OBJECT
public:
    explicit AboutBox(QWidget* parent);
};

}  // namespace quillery::app
