// The language dialog (see language_dialog.h).
#include "app/language_dialog.h"

#include <QDragMoveEvent>
#include <QDropEvent>
#include <QGridLayout>
#include <QLabel>
#include <QListWidget>
#include <QMouseEvent>
#include <QPushButton>
#include <QVBoxLayout>
#include <filesystem>

#include "app/dialog_chooser.h"
#include "app/option_pages.h"

namespace quillery::app {
namespace {

void FillFrom(QListWidget& list, const std::string& file) {
    list.clear();
    for (const std::string& name : ReadLanguageList(file))
        list.addItem(QString::fromStdString(name));
}

bool IsFile(const std::string& path) {
    std::error_code ec;
    return std::filesystem::is_regular_file(path, ec);
}

}  // namespace

LanguageDialog::LanguageDialog(QWidget* parent, DialogChooser& chooser, LanguageFiles files)
    : QDialog(parent),
      chooser_(chooser),
      files_(std::move(files)),
      available_(Named(new QListWidget(this), "List1")),
      listed_(Named(new QListWidget(this), "List2")) {
    setObjectName("TfrmLang");
    setWindowTitle("Languages");
    available_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    listed_->setSelectionMode(QAbstractItemView::SingleSelection);
    listed_->setDragDropMode(QAbstractItemView::InternalMove);
    listed_->viewport()->installEventFilter(this);

    auto* layout = new QGridLayout(this);
    layout->addWidget(new QLabel("Available Languages", this), 0, 0);
    layout->addWidget(new QLabel("Listed Languages", this), 0, 2);
    layout->addWidget(available_, 1, 0);
    layout->addWidget(listed_, 1, 2);
    layout->addWidget(new QLabel("Press shift to select more", this), 2, 0);
    layout->addWidget(new QLabel("Drag to position", this), 2, 2);
    auto* middle = new QVBoxLayout;
    auto button = [this, middle](const char* caption, const char* name) {
        auto* b = Named(new QPushButton(caption, this), name);
        b->setAutoDefault(false);
        middle->addWidget(b);
        return b;
    };
    connect(button("Add ->", "btnAdd"), &QPushButton::clicked, this, &LanguageDialog::AddSelected);
    connect(button("<- Remove", "btnRemove"), &QPushButton::clicked, this,
            &LanguageDialog::RemoveSelected);
    middle->addStretch();
    connect(button("Default", "btnDef"), &QPushButton::clicked, this, [this] {
        if (IsFile(files_.common)) FillFrom(*listed_, files_.common);
        listChosen_ = true;
    });
    connect(button("OK", "btnOK"), &QPushButton::clicked, this, &LanguageDialog::Ok);
    connect(button("Cancel", "btnCacl"), &QPushButton::clicked, this, &QDialog::reject);
    layout->addLayout(middle, 1, 1);
    connect(available_, &QListWidget::itemDoubleClicked, this, &LanguageDialog::AddDoubleClicked);
}

void LanguageDialog::LoadLists() {
    if (IsFile(files_.all)) FillFrom(*available_, files_.all);
    if (IsFile(files_.user)) {
        FillFrom(*listed_, files_.user);
    } else if (IsFile(files_.common)) {
        FillFrom(*listed_, files_.common);
    }
    listChosen_ = false;
}

QStringList LanguageDialog::ListedLanguages() const {
    QStringList names;
    for (int row = 0; row < listed_->count(); ++row) names << listed_->item(row)->text();
    return names;
}

bool LanguageDialog::Listed(const QString& name) const {
    return ListedLanguages().contains(name, Qt::CaseSensitive);
}

void LanguageDialog::AddDoubleClicked() {
    const QListWidgetItem* item = available_->item(available_->currentRow());
    if (item == nullptr) return;
    if (Listed(item->text())) {
        chooser_.Message(this, "Already added");
    } else {
        listed_->addItem(item->text());
    }
}

void LanguageDialog::AddSelected() {
    for (int row = 0; row < available_->count(); ++row) {
        const QListWidgetItem* item = available_->item(row);
        if (item->isSelected() && !Listed(item->text())) listed_->addItem(item->text());
    }
}

void LanguageDialog::RemoveSelected() {
    for (int row = listed_->count() - 1; row >= 0; --row) {
        if (listed_->item(row)->isSelected()) delete listed_->takeItem(row);
    }
}

void LanguageDialog::Ok() {
    std::vector<std::string> names;
    for (const QString& name : ListedLanguages()) names.push_back(name.toStdString());
    try {
        SaveLanguageList(files_.user, names);
    } catch (const std::exception& e) {
        // The list stays in the dialog; the user may try again or cancel.
        chooser_.Message(this, QString("The language list could not be saved: ") + e.what());
        return;
    }
    listChosen_ = true;
    accept();
}

bool LanguageDialog::eventFilter(QObject* watched, QEvent* event) {
    if (watched != listed_->viewport()) return QDialog::eventFilter(watched, event);
    switch (event->type()) {
        case QEvent::MouseButtonPress: {
            const auto* press = static_cast<QMouseEvent*>(event);
            pressedRow_ = listed_->row(listed_->itemAt(press->position().toPoint()));
            return false;
        }
        case QEvent::DragEnter:
        case QEvent::DragMove: {
            auto* drag = static_cast<QDragMoveEvent*>(event);
            if (drag->source() == listed_) {
                drag->acceptProposedAction();
            } else {
                drag->ignore();
            }
            return true;
        }
        case QEvent::Drop: {
            auto* drop = static_cast<QDropEvent*>(event);
            const int target = listed_->row(listed_->itemAt(drop->position().toPoint()));
            // Only a drag that began in List2 over one of its items moves anything.
            if (drop->source() == listed_ && pressedRow_ >= 0 && target >= 0 &&
                pressedRow_ != target) {
                listed_->insertItem(target, listed_->takeItem(pressedRow_));
                listed_->setCurrentRow(target);
            }
            drop->setDropAction(Qt::IgnoreAction);
            drop->accept();
            return true;
        }
        default:
            return false;
    }
}

}  // namespace quillery::app
