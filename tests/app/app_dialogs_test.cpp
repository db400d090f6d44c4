// The window's dialogs and validation commands driven headless: Compiling Options reaching
// the compiler's command line, the language dialog writing user.lang, the Edit menu opening
// the made files, and epubcheck on the made ePub (F9) and on a chosen one (F10).
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QUrl>
#include <clocale>
#include <filesystem>

#include "project/language.h"
#include "project/settings.h"
#include "text/text_file.h"
#include "window_session.h"
#include "workflow/epub_output.h"
#include "workflow/epub_validation.h"
#include "workflow/external_editor.h"

using namespace quillery;
using namespace quillery::app;

namespace {

void Click(QDialog& dialog, const char* button) {
    dialog.findChild<QAbstractButton*>(button)->click();
}

// A program in the state folder that writes the arguments it was given to a file (a stand-in
// compiler or editor).
QString RecordingCompiler(const Session& s, const QString& argsFile) {
    const QString path = s.state.path() + "/kindlegen";
    WriteTextFile(path.toStdString(),
                  "#!/bin/sh\nprintf '%s' \"$*\" > '" + argsFile.toStdString() + "'\n");
    std::filesystem::permissions(path.toStdString(), std::filesystem::perms::owner_exec,
                                 std::filesystem::perm_options::add);
    return path;
}

}  // namespace

class AppDialogsTest : public QObject {
    Q_OBJECT
private slots:
    void CompilingOptionsSaveReachesTheCompiler();
    void LanguageDialogWritesUserLang();
    void MadeFilesOpenInTheEditorAndValidateThisAndOtherRunEpubcheck();
    void KindleGenChoiceIsSavedOnlyWhenItChanges();
};

void AppDialogsTest::CompilingOptionsSaveReachesTheCompiler() {
    Session s;
    QVERIFY(s.ImportExample());
    const QString argsFile = s.state.path() + "/args.txt";
    s.Find<QLineEdit>("inKGenPath")->setText(RecordingCompiler(s, argsFile));
    struct Case {
        const char* compression;  // the radio button chosen before "Save"; "" none saved
        const char* picture;
        bool western;
        const char* options;  // what follows content.opf on the command line
    };
    const Case cases[] = {
        {"", "", false, " -c0 -o"},  // never saved: level 0
        {"selCompLevel2", "selPicFormat1", false, " -o"},
        {"selCompLevel3", "selPicFormat2", true, " -c2 -gif -western -o"},
    };
    for (const Case& c : cases) {
        if (c.compression[0] != '\0') {
            s.chooser.onModal = [&c](QDialog& dialog) {
                // The controls keep their states between openings: they are set each time.
                dialog.findChild<QRadioButton*>(c.compression)->setChecked(true);
                dialog.findChild<QRadioButton*>(c.picture)->setChecked(true);
                dialog.findChild<QAbstractButton*>("chkWestern")->setChecked(c.western);
                Click(dialog, "btnSave");
                // "Default" has no action: the saved options stand.
                dialog.findChild<QRadioButton*>("selCompLevel1")->setChecked(true);
                Click(dialog, "btnDefult");
            };
            s.Find<QPushButton>("Button5")->click();
        }
        QVERIFY(s.RunCommand("btnMake"));
        const std::string args = ReadTextFile(argsFile.toStdString());
        const std::string expected = "content.opf" + std::string(c.options) + " ";
        QVERIFY2(args.find(expected) != std::string::npos, (args + " / " + expected).c_str());
    }
    // Opened again, the dialog shows the states it was left in ("No Compression"), not the
    // stored level 2.
    bool keptState = false;
    s.chooser.onModal = [&keptState](QDialog& dialog) {
        keptState = dialog.findChild<QRadioButton*>("selCompLevel1")->isChecked();
    };
    s.window->menus().compilingOptions->trigger();
    QVERIFY(keptState);
}

void AppDialogsTest::LanguageDialogWritesUserLang() {
    Session s;
    const LanguageFiles files = LanguageFilesFor(s.window->book().folders);
    const std::vector<std::string> common = ReadLanguageList(files.common);
    QVERIFY(common.size() > 2);
    QVERIFY(!std::filesystem::exists(files.user));
    QStringList chosen;
    s.chooser.onModal = [&](QDialog& dialog) {
        auto* available = dialog.findChild<QListWidget*>("List1");
        auto* listed = dialog.findChild<QListWidget*>("List2");
        QCOMPARE(listed->count(), static_cast<int>(common.size()));
        // A listed language double-clicked is refused with a message; "Add ->" skips it.
        const auto first = available->findItems(listed->item(0)->text(), Qt::MatchExactly);
        QCOMPARE(first.size(), 1);
        available->setCurrentItem(first[0]);
        emit available->itemDoubleClicked(first[0]);
        QCOMPARE(s.LastShown(), QString("Already added"));
        QListWidgetItem* added = nullptr;
        for (int row = available->count() - 1; row >= 0 && added == nullptr; --row) {
            if (listed->findItems(available->item(row)->text(), Qt::MatchExactly).isEmpty())
                added = available->item(row);
        }
        QVERIFY(added != nullptr);
        added->setSelected(true);
        Click(dialog, "btnAdd");
        listed->item(0)->setSelected(true);
        Click(dialog, "btnRemove");
        for (int row = 0; row < listed->count(); ++row) chosen << listed->item(row)->text();
        QCOMPARE(chosen.size(), static_cast<int>(common.size()));
        QCOMPARE(chosen.last(), added->text());
        Click(dialog, "btnOK");
    };
    s.Find<QPushButton>("Button3")->click();
    QCOMPARE(QString::fromStdString(ReadTextFile(files.user)), chosen.join("\r\n") + "\r\n");
    auto* language = s.Find<QComboBox>("selLang");
    QCOMPARE(language->count(), chosen.size());
    QCOMPARE(language->currentText(), chosen[0]);

    // "Default" then "Cancel": the common list comes back, user.lang stays as written.
    s.chooser.onModal = [](QDialog& dialog) {
        Click(dialog, "btnDef");
        Click(dialog, "btnCacl");
    };
    s.Find<QPushButton>("Button3")->click();
    QCOMPARE(language->count(), static_cast<int>(common.size()));
    QCOMPARE(language->currentText(), QString::fromStdString(common[0]));
    QCOMPARE(QString::fromStdString(ReadTextFile(files.user)), chosen.join("\r\n") + "\r\n");
}

void AppDialogsTest::MadeFilesOpenInTheEditorAndValidateThisAndOtherRunEpubcheck() {
    Session s;
    if (!std::filesystem::exists(kDefaultEpubcheckJar)) QFAIL("epubcheck is not installed");
    QCOMPARE(s.Find<QLineEdit>("inEpubcheckJar")->text(), QString(kDefaultEpubcheckJar));
    const MenuActions& menus = s.window->menus();
    QVERIFY(s.ImportExample());
    QVERIFY(!menus.validateThis->isEnabled());
    const QString editor = RecordingCompiler(s, s.state.path() + "/edited.txt");
    s.chooser.files.push_back(editor);
    s.Find<QAbstractButton>("btnSetEditor")->click();
    menus.editToc->trigger();
    QCOMPARE(s.LastShown(), QString(kEditTocAfterMakeMessage));
    QVERIFY(s.RunCommand("btnMake"));
    const std::string epub = MadeEpubPath(s.window->book());
    QVERIFY2(std::filesystem::exists(epub), s.window->book().log.c_str());

    // The Edit menu opens the made files in the chosen editor.
    QVERIFY(!menus.htmlMenu->isEmpty());
    // The example has one stylesheet: "CSS" is a plain item that opens it.
    emit qobject_cast<QMenu*>(menus.cssMenu->parentWidget())->aboutToShow();
    QVERIFY(menus.editCss->isVisible());
    QVERIFY(!menus.cssMenu->menuAction()->isVisible());
    const QString ops = QString::fromStdString(s.window->book().folders.opsFolder);
    menus.editCss->trigger();
    menus.htmlMenu->actions().value(0)->trigger();
    menus.editToc->trigger();
    const QStringList expected = {
        editor + " " + ops + "style.css",
        editor + " " + ops + menus.htmlMenu->actions().value(0)->data().toString(),
        editor + " " + ops + "toc.htm"};
    QCOMPARE(s.chooser.opened, expected);

    QVERIFY(s.PressKey(Qt::Key_F9));
    QCOMPARE(s.LastShown(), QString(kEpubValidMessage));
    auto* memo = s.Find<QPlainTextEdit>("Memo1");
    QVERIFY(memo->toPlainText().contains(kValidationLogHeader));
    QVERIFY(!memo->toPlainText().contains("# checking"));

    const QString copy = s.state.path() + "/my book.epub";
    QVERIFY(QFile::copy(QString::fromStdString(epub), copy));
    const QString missing = s.state.path() + "/gone.epub";
    struct Case {
        QString jar;
        QString file;
        QString message;
    };
    const Case cases[] = {
        {kDefaultEpubcheckJar, missing, "Can not find " + missing},
        {"", copy, kSetEpubcheckMessage},
        {kDefaultEpubcheckJar, copy, kEpubValidMessage},
    };
    for (const Case& c : cases) {
        s.Find<QLineEdit>("inEpubcheckJar")->setText(c.jar);
        s.chooser.files.push_back(c.file);
        QVERIFY(s.PressKey(Qt::Key_F10));
        QCOMPARE(s.LastShown(), c.message);
    }
    QVERIFY(memo->toPlainText().contains("# checking \"" + copy + "\" ..."));
    // The checked file's path is taken out of the validator's lines.
    const QString afterCheck = memo->toPlainText().section("# checking", -1);
    QVERIFY(!afterCheck.section('\n', 1).contains(copy));
}

void AppDialogsTest::KindleGenChoiceIsSavedOnlyWhenItChanges() {
    Session s;
    const std::string settingsFile = s.window->book().folders.settingsFile;
    const QString compiler = RecordingCompiler(s, s.state.path() + "/args.txt");
    struct Step {
        QString chosen;  // "" cancels the dialog
        bool written;
    };
    const Step steps[] = {{"", false}, {compiler, true}, {compiler, false}};
    for (const Step& step : steps) {
        std::filesystem::remove(settingsFile);
        s.chooser.files.push_back(step.chosen);
        s.Find<QAbstractButton>("btnSetKindleGen")->click();
        QCOMPARE(std::filesystem::exists(settingsFile), step.written);
    }
    QCOMPARE(s.Find<QLineEdit>("inKGenPath")->text(), compiler);

    // The download page no longer exists: both buttons open the manual's compiler section.
    auto* needed = s.window->findChild<QDialog*>("TfrmWarnKindleGen");
    QCOMPARE(needed->windowTitle(), QString("KindleGen needed"));
    Click(*needed, "btnDownload");
    Click(*needed, "btnHelp");
    QUrl manual = QUrl::fromLocalFile(QString::fromStdString(s.window->book().folders.helpPage));
    manual.setFragment("compiler");
    QCOMPARE(s.chooser.opened, QStringList({manual.toString(), manual.toString()}));
}

int main(int argc, char** argv) {
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication application(argc, argv);
    std::setlocale(LC_NUMERIC, "C");
    AppDialogsTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "app_dialogs_test.moc"
