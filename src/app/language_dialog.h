#pragma once
// The language dialog (TfrmLang) behind "More...": every available language on the left
// (List1), the user's list on the right (List2) in the user's order. "OK" writes the list
// to user.lang; "Default" puts the common list back without writing anything.

#include <QDialog>

#include "project/language.h"

class QListWidget;

namespace quillery::app {

class DialogChooser;

class LanguageDialog final : public QDialog {
    Q_OBJECT
public:
    LanguageDialog(QWidget* parent, DialogChooser& chooser, LanguageFiles files);

    // Before each showing: both lists from their files (a missing file leaves its list as
    // it is) and the result flag cleared.
    void LoadLists();
    // Set by "OK" and by "Default": the window then takes List2 as its language list.
    bool listChosen() const { return listChosen_; }
    QStringList ListedLanguages() const;

protected:
    // Drops inside List2 move the item pressed to the row of the item under the drop point.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void AddSelected();
    void AddDoubleClicked();
    void RemoveSelected();
    void Ok();
    bool Listed(const QString& name) const;

    DialogChooser& chooser_;
    LanguageFiles files_;
    QListWidget* available_;
    QListWidget* listed_;
    bool listChosen_ = false;
    int pressedRow_ = -1;
};

}  // namespace quillery::app
