#pragma once
// The "KindleGen needed" dialog (TfrmWarnKindleGen), shown when a make finds no compiler: it
// offers to set the compiler's path. KindleGen's download page no longer exists, so the
// download and help buttons both open the compiler section of the program's own manual.

#include <QDialog>

namespace quillery::app {

class DialogChooser;

class KindleGenNeededDialog final : public QDialog {
    Q_OBJECT
public:
    // manualPage: the manual's file (help/index.htm).
    KindleGenNeededDialog(QWidget* parent, DialogChooser& chooser, const QString& manualPage);

    // Clears the answer; call before each showing.
    void Prepare() { setPathChosen_ = false; }
    // "Set KindleGen Path" closed the dialog: the caller now chooses the compiler.
    bool setPathChosen() const { return setPathChosen_; }

private:
    bool setPathChosen_ = false;
};

}  // namespace quillery::app
