// The Quillery window driven headless: start-up defaults and captions, the example web book
// imported and made with edited titles and a cover, the preconditions of Make with their
// focused controls, the function keys of hidden items, row moves, the preview and the
// destination, closing, drops.
#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QDropEvent>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>
#include <QWebEngineView>
#include <clocale>
#include <filesystem>
#include <memory>

#include "app/chapter_grid_widget.h"
#include "app/dropped_book.h"
#include "app/main_window.h"
#include "scripted_chooser.h"
#include "text/text_file.h"
#include "window_session.h"
#include "workflow/make_pipeline.h"

using namespace quillery;
using namespace quillery::app;

class AppWindowTest : public QObject {
    Q_OBJECT
private slots:
    void FreshWindowShowsItsDefaultsCaptionsAndFooterAndSavesItsSettings();
    void ImportedExampleIsMadeWithItsEditedTitlesAndCover();
    void HiddenItemsKeepTheirKeysAndMakeChecksItsPreconditionsInOrder();
    void MovingRowsReordersTheChaptersAndKeepsTheTocMark();
    void OpenExampleImportsTheWordDocument();
    void ImportedChaptersPreviewAndTheDestinationFollowsTheChoices();
    void DroppedExampleFolderImportsInNameOrder();
    void ClosingAsksAndDuringAMakeStopsItLeavingNoBook();
};

void AppWindowTest::FreshWindowShowsItsDefaultsCaptionsAndFooterAndSavesItsSettings() {
    Session s;
    const std::string settingsFile = s.window->book().folders.settingsFile;
    QVERIFY(!std::filesystem::exists(settingsFile));
    struct Box {
        const char* name;
        bool checked;
    };
    const Box boxes[] = {
        {"chkAutoTitle", true}, {"selTitleMethod0", false}, {"selTitleMethod2", true},
        {"RadioButton2", true}, {"chkSaveSamePath", false}, {"chkHTMLC", true},
        {"chkJS", true},        {"chkMedia", true},         {"chkForm", true},
        {"chkImg", false},      {"chkLink", false},         {"chkEmFontSize", true},
        {"chkSplit", true},     {"chkDelWordTOC", true},    {"chkClassifyFont", true},
        {"chkGIF", true},       {"chkPNG", false},          {"chkAutoTitlePage", false}};
    for (const Box& box : boxes) {
        QVERIFY2(s.Find<QAbstractButton>(box.name)->isChecked() == box.checked, box.name);
    }
    QCOMPARE(s.Find<QComboBox>("selBaseFontSize")->currentText(), QString("12"));
    QCOMPARE(s.Find<QComboBox>("selPPI")->currentText(), QString("96"));
    QCOMPARE(s.Find<QComboBox>("selTocIndex")->currentIndex(), 1);
    QCOMPARE(s.Find<QLineEdit>("inTocTitle")->text(), QString("Contents"));
    QCOMPARE(s.Find<QLineEdit>("inBookPath")->text(),
             QString::fromStdString(s.window->book().folders.defaultBookFolder));
    QCOMPARE(s.Find<QLineEdit>("inKGenPath")->text(), QString());
    QCOMPARE(s.Find<QComboBox>("selLang")->currentIndex(), 0);
    QCOMPARE(s.Find<QComboBox>("selLang")->currentText(), QString("English"));
    QCOMPARE(s.Find<QTabWidget>("PageControl1")->currentIndex(), 0);
    QCOMPARE(s.Find<QLabel>("lblMsg")->text(),
             QString("Open a folder of webpages or a Word document, then make it."));
    QVERIFY(s.Find<QAbstractButton>("btnPreview")->isChecked());
    // Nothing is written until Save Settings.
    QVERIFY(!std::filesystem::exists(settingsFile));
    // Save Settings writes the file, and only when something changed.
    s.Find<QLineEdit>("inTocTitle")->setText("Inhalt");
    s.Find<QAbstractButton>("btnAdvSave")->click();
    const std::string text = ReadTextFile(settingsFile);
    QVERIFY(text.find("\r\nInhalt\r\n") != std::string::npos);
    const auto written = std::filesystem::last_write_time(settingsFile);
    std::filesystem::last_write_time(settingsFile, written - std::chrono::hours(1));
    s.Find<QAbstractButton>("btnAdvSave")->click();
    QCOMPARE(std::filesystem::last_write_time(settingsFile), written - std::chrono::hours(1));
    QCOMPARE(s.window->objectName(), QString("TForm1"));
    QCOMPARE(s.window->windowTitle(), QString(" Quillery 2.3"));
    QCOMPARE(s.window->windowIcon().availableSizes().size(), 7);  // 16 to 256 pixels
    struct Caption {
        const char* name;
        const char* text;
    };
    const Caption captions[] = {
        {"btnImportHtml", "Import Web Pages"},
        {"btnImportDoc", "Import Word Doc"},
        {"btnMake", "Make Mobi"},
        {"btnSaveto", "Change"},
        {"Button3", "More..."},
        {"btnSelCoverPic", "Load a cover picture"},
        {"btnClearCover", "Clear"},
        {"chkAutoTitle", "Auto Extract Chapter Title "},
        {"selTitleMethod1", "from HTML title"},
        {"chkDelWordTOC", "Remove Word  Internal TOC"},
        {"chkSplit", "Auto split Word HTML on section break"},
        {"chkHTMLC", "Remove HTML Elements"},
        {"chkClassifyFont", "Classify Fonts (only for Word)"},
        {"chkSaveSamePath", "Save to the same folder as source"},
        {"RadioButton2", "Save to my default Kindle Book folder"},
        {"Button5", "KindleGen Compiling Options"},
        {"btnAdvSave", "Save Settings"},
        {"Button1", "Save"},
        {"Button2", "Clear"},
    };
    for (const Caption& caption : captions) {
        QCOMPARE(s.Find<QAbstractButton>(caption.name)->text(), QString(caption.text));
    }
    QCOMPARE(s.Find<QLabel>("lblSaveStatus")->text(), QString("Your Mobi file will be saved"));
    QVERIFY(s.Find<QAbstractButton>("chkDelWordTOC")->isHidden());
    bool graphicsLabel = false;
    for (const QLabel* label : s.window->findChildren<QLabel*>())
        graphicsLabel |= label->text() == "Grahpics as";
    QVERIFY(graphicsLabel);
    auto* tabs = s.Find<QTabWidget>("PageControl1");
    const QStringList pages = {" General ", " Cover ", " Import ", " Export ", "Log", " Advanced "};
    for (int i = 0; i < pages.size(); ++i) QCOMPARE(tabs->tabText(i), pages[i]);
    QVERIFY(!tabs->isTabVisible(4));

    const auto* grid = s.Find<QTableWidget>("fileList");
    const QStringList headers = {" <>",   " No.", " File Name", " Chapter Title (Editable)",
                                 " Size", ""};
    QCOMPARE(grid->columnCount(), 6);
    for (int column = 0; column < 6; ++column)
        QCOMPARE(grid->horizontalHeaderItem(column)->text(), headers[column]);
    // The footer shows on the Import, Export, Log and Advanced pages only.
    const bool footerShown[] = {false, false, true, true, true, true};
    for (int page = 5; page >= 0; --page) {
        tabs->setCurrentIndex(page);
        QCOMPARE(s.Find<QWidget>("pnlSaveSetting")->isVisibleTo(s.window.get()), footerShown[page]);
    }
    // Without chapters the window closes without asking.
    QVERIFY(s.window->close());
    QVERIFY(s.chooser.shown.empty());
}

void AppWindowTest::ImportedExampleIsMadeWithItsEditedTitlesAndCover() {
    Session s;
    const QString cover =
        QString::fromStdString(s.window->book().folders.dataFolder) + "examples/cover.jpg";
    s.chooser.files.push_back(cover);
    s.Find<QAbstractButton>("btnSelCoverPic")->click();
    QCOMPARE(s.LastShown(), QString("Please import content first."));
    QCOMPARE(s.Find<QLabel>("lblCoverPic")->text(), QString());

    QVERIFY(s.ImportExample());
    auto* grid = s.Find<QTableWidget>("fileList");
    QCOMPARE(grid->rowCount(), s.ExampleFiles().size());
    QCOMPARE(s.window->book().chapters.size(), static_cast<std::size_t>(grid->rowCount()));
    QVERIFY(!s.Find<QLineEdit>("inTitle")->text().isEmpty());
    QCOMPARE(grid->item(0, 1)->background().color(), QColor(255, 255, 235));
    QVERIFY(grid->item(1, kGridTitleColumn)->flags() & Qt::ItemIsEditable);
    QVERIFY(!(grid->item(1, kGridFileColumn)->flags() & Qt::ItemIsEditable));
    s.Find<QAbstractButton>("btnSelCoverPic")->click();
    QCOMPARE(s.Find<QLabel>("lblCoverPic")->text(), cover);

    // The title tools on the first row; the first example page has a paragraph between its
    // first two headings.
    const QString heading = grid->item(0, kGridTitleColumn)->text();
    grid->item(0, kGridTitleColumn)->setText("the end of book iii");
    struct Step {
        const char* item;
        QString title;
    };
    const Step steps[] = {{"mCapToc", "The End Of Book III"},
                          {"mExtractSubtitle", "The End Of Book III "},
                          {"mUndo", "The End Of Book III"}};
    for (const Step& step : steps) {
        s.Find<QAction>(step.item)->trigger();
        QCOMPARE(grid->item(0, kGridTitleColumn)->text(), step.title);
    }
    // A title typed into the grid.
    const QString edited = "Mérel's Own Chapter, Edited";
    grid->item(1, kGridTitleColumn)->setText(edited);
    const QString chapterFile = grid->item(1, kGridFileColumn)->text();
    QVERIFY(s.RunCommand("btnMake"));

    const Book& book = s.window->book();
    QVERIFY2(std::filesystem::exists(FinalMobiPath(book)), book.log.c_str());
    QCOMPARE(book.chapters[0].title.value_or(""), std::string("The End Of Book III"));
    const std::string ncx = ReadTextFile(book.folders.opsFolder + "toc.ncx");
    QVERIFY2(ncx.find("<text>The End Of Book III</text>") != std::string::npos, ncx.c_str());
    QVERIFY2(ncx.find(edited.toStdString()) != std::string::npos, ncx.c_str());
    QVERIFY(std::filesystem::exists(book.folders.opsFolder + "cover.jpg"));
    // The log page holds the build log of the make.
    QVERIFY(!s.Find<QPlainTextEdit>("Memo1")->toPlainText().isEmpty());
    QCOMPARE(s.Find<QLabel>("lblSaveStatus")->text(), QString(kSavedStatus));
    QVERIFY(s.Find<QLabel>("lblDesName")->font().underline());
    QVERIFY(!s.Find<QWidget>("btnSaveto")->isEnabled());
    QVERIFY(s.window->menus().validateThis->isEnabled());

    // After the make a clicked chapter is previewed from the OPS folder.
    emit grid->cellClicked(1, kGridFileColumn);
    QCOMPARE(s.Find<QWebEngineView>("Viewer")->url(),
             QUrl::fromLocalFile(QString::fromStdString(book.folders.opsFolder) + chapterFile));
    // The destination name is now a link to the book.
    QTest::mouseClick(s.Find<QLabel>("lblDesName"), Qt::LeftButton);
    QCOMPARE(s.chooser.opened.value(0), QString::fromStdString(book.fullOutputPath));

    s.Find<QAbstractButton>("btnClearCover")->click();
    QCOMPARE(s.Find<QLabel>("lblCoverPic")->text(), QString());
    s.Find<QAbstractButton>("selTitleMethod0")->setChecked(true);
    s.Find<QAction>("mRevert")->trigger();
    QCOMPARE(grid->item(0, kGridTitleColumn)->text(), heading);
}

void AppWindowTest::HiddenItemsKeepTheirKeysAndMakeChecksItsPreconditionsInOrder() {
    Session s;
    struct Step {
        const char* message;
        const char* focused;  // the control that has the focus afterwards; "" none asked
    };
    // Hidden items keep their function keys; F6 (Make Mobi) with no chapters yet asks for
    // content first.
    s.window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(s.window.get()));
    const MenuActions& menus = s.window->menus();
    // Hidden: no menu shows them.
    for (const QMenu* menu : s.window->findChildren<QMenu*>()) {
        QVERIFY(!menu->actions().contains(menus.validateOther));
        QVERIFY(!menu->actions().contains(menus.validateThis));
    }
    QSignalSpy other(menus.validateOther, &QAction::triggered);
    QSignalSpy validate(menus.validateThis, &QAction::triggered);
    QTest::keyClick(s.window.get(), Qt::Key_F10);
    QCOMPARE(other.count(), 1);
    // "Validate This" is disabled until a make has passed its checks: F9 does nothing.
    QTest::keyClick(s.window.get(), Qt::Key_F9);
    QCOMPARE(validate.count(), 0);
    menus.validateThis->setEnabled(true);
    QVERIFY(s.PressKey(Qt::Key_F9));
    QCOMPARE(validate.count(), 1);
    // Reached before any make, it asks for one.
    QCOMPARE(s.LastShown(), QString("Please make an ePub first."));
    // A visible item's key: F6 is Make Mobi, which asks for content first.
    QSignalSpy finished(s.window.get(), &MainWindow::commandFinished);
    QTest::keyClick(s.window.get(), Qt::Key_F6);
    QVERIFY(finished.wait(60000));
    QCOMPARE(s.LastShown(), QString(kImportFirstMessage));
    QCOMPARE(s.Focused(), QString("btnImportHtml"));

    QVERIFY(s.ImportExample());
    auto* title = s.Find<QLineEdit>("inTitle");
    auto* name = s.Find<QLabel>("lblDesName");
    auto* grid = s.Find<QTableWidget>("fileList");
    const QString bookTitle = title->text();
    const QString bookName = name->text();
    title->clear();
    name->clear();
    grid->item(2, kGridTitleColumn)->setText("   ");
    s.Find<QTabWidget>("PageControl1")->setCurrentIndex(3);
    // Each message comes while the make is still running: commands off, shown by the GUI
    // thread for the worker.
    bool commandsOff = true;
    bool onGuiThread = true;
    s.chooser.onShown = [&] {
        commandsOff = commandsOff && !s.Find<QWidget>("btnMake")->isEnabled() &&
                      !s.window->menus().importWebPages->isEnabled();
        onGuiThread = onGuiThread && QThread::currentThread() == qApp->thread();
    };

    // Each make stops at the first missing value; filling it in reaches the next one.
    const Step steps[] = {{kTitleMissingMessage, "inTitle"},
                          {kOutputMissingMessage, ""},
                          {kTitlesMissingMessage, "fileList"}};
    for (const Step& step : steps) {
        const std::size_t before = s.chooser.shown.size();
        QVERIFY(s.RunCommand("btnMake"));
        QCOMPARE(s.chooser.shown.size(), before + 1);
        QCOMPARE(s.LastShown(), QString(step.message));
        QCOMPARE(s.Find<QTabWidget>("PageControl1")->currentIndex(), 0);
        if (step.focused[0] != '\0') QCOMPARE(s.Focused(), QString(step.focused));
        if (step.message == std::string(kTitleMissingMessage)) title->setText(bookTitle);
        if (step.message == std::string(kOutputMissingMessage)) name->setText(bookName);
    }
    QVERIFY(commandsOff);
    QVERIFY(onGuiThread);
    QVERIFY(!s.window->busy());
    QVERIFY(s.Find<QWidget>("btnMake")->isEnabled());
    QVERIFY(!std::filesystem::exists(FinalMobiPath(s.window->book())));
}

void AppWindowTest::MovingRowsReordersTheChaptersAndKeepsTheTocMark() {
    Session s;
    QVERIFY(s.ImportExample());
    auto* grid = s.Find<ChapterGridWidget>("fileList");
    const QString first = grid->item(0, kGridFileColumn)->text();
    const QString second = grid->item(1, kGridFileColumn)->text();
    const QString third = grid->item(2, kGridFileColumn)->text();
    emit grid->markAsTocRequested(3);
    QCOMPARE(grid->item(2, kGridMarkerColumn)->text(), QString("TOC"));
    QVERIFY(s.window->book().tocMarked);
    QCOMPARE(s.window->book().tocPosition, 3);
    QCOMPARE(QString::fromStdString(s.window->book().tocFileName), third);
    grid->verticalHeader()->moveSection(0, 2);
    grid->verticalHeader()->moveSection(1, 0);
    // The first row to the end, then the marked row (now the second) to the top.
    const QStringList expected = {third, second, first};
    for (int row = 0; row < 3; ++row) {
        QCOMPARE(grid->item(row, kGridFileColumn)->text(), expected[row]);
        QCOMPARE(grid->item(row, kGridNumberColumn)->text(), QString::number(row + 1));
        QCOMPARE(QString::fromStdString(s.window->book().chapters[row].file), expected[row]);
        QCOMPARE(grid->verticalHeader()->visualIndex(row), row);
    }
    QCOMPARE(grid->item(0, kGridMarkerColumn)->text(), QString("TOC"));
    QCOMPARE(s.window->book().tocPosition, 1);
}

void AppWindowTest::OpenExampleImportsTheWordDocument() {
    Session s;
    const QString examples =
        QString::fromStdString(s.window->book().folders.dataFolder) + "examples/";
    s.chooser.files.push_back(examples + "port-merel.docx");
    QSignalSpy finished(s.window.get(), &MainWindow::commandFinished);
    s.window->menus().openExample->trigger();
    QVERIFY(finished.wait(180000));
    QCOMPARE(s.chooser.folders.value(0), examples);
    QVERIFY2(s.window->book().wordImport, s.window->book().log.c_str());
    QVERIFY(s.Find<QTableWidget>("fileList")->rowCount() > 0);
    QCOMPARE(s.Find<QLabel>("lblDesName")->text(), QString("port-merel.mobi"));
    QVERIFY(s.window->menus().reimportWord->isEnabled());
}

void AppWindowTest::ImportedChaptersPreviewAndTheDestinationFollowsTheChoices() {
    Session s;
    s.Find<QAbstractButton>("btnSaveto")->click();
    QCOMPARE(s.LastShown(), QString(kImportFirstMessage));
    QCOMPARE(s.Focused(), QString("btnImportHtml"));

    QVERIFY(s.ImportExample());
    auto* grid = s.Find<QTableWidget>("fileList");
    auto* viewer = s.Find<QWebEngineView>("Viewer");
    const QString source = QString::fromStdString(s.window->book().sourceFolder);
    const QUrl first = QUrl::fromLocalFile(source + grid->item(0, kGridFileColumn)->text());
    const QUrl third = QUrl::fromLocalFile(source + grid->item(2, kGridFileColumn)->text());
    QCOMPARE(viewer->url(), first);  // the import shows the first chapter
    struct Click {
        int row;
        int column;
        QUrl shown;
    };
    const Click clicks[] = {
        {2, kGridTitleColumn, first},  // another column never changes the preview
        {2, kGridFileColumn, third},
        {0, kGridSizeColumn, third},
        {0, kGridFileColumn, first},
    };
    for (const Click& click : clicks) {
        emit grid->cellClicked(click.row, click.column);
        QCOMPARE(viewer->url(), click.shown);
    }
    // Preview toggled up shows nothing; down again, the current row's chapter.
    grid->setCurrentCell(2, kGridFileColumn);
    s.Find<QAbstractButton>("btnPreview")->click();
    QCOMPARE(viewer->url(), QUrl("about:blank"));
    s.Find<QAbstractButton>("btnPreview")->click();
    QCOMPARE(viewer->url(), third);

    // The destination follows the save path choice and the Change dialog.
    s.Find<QAbstractButton>("chkSaveSamePath")->click();
    QCOMPARE(s.Find<QLabel>("lblDesPath")->text(), source);
    QVERIFY(!s.Find<QWidget>("inBookPath")->isEnabled());
    s.Find<QAbstractButton>("RadioButton2")->click();
    QCOMPARE(s.Find<QLabel>("lblDesPath")->text(), s.Find<QLineEdit>("inBookPath")->text());
    s.chooser.files.push_back(s.state.path() + "/shelf/My Book");
    s.Find<QAbstractButton>("btnSaveto")->click();
    QCOMPARE(s.Find<QLabel>("lblDesName")->text(), QString("My Book.mobi"));
    QCOMPARE(s.Find<QLabel>("lblDesPath")->text(), s.state.path() + "/shelf/");

    // A later window (a later run) starts its web page dialog in the folder last imported
    // from; other kinds do not.
    const QString examples = QFileInfo(s.ExampleFiles().front()).absolutePath() + "/";
    QCOMPARE(s.chooser.folders.value(0), QString());  // the import's dialog
    const qsizetype shown = s.chooser.folders.size();
    MainWindow again(ComputeWorkFolders(ExecutableFolder()), s.chooser);
    again.ImportWebPagesCommand();
    again.ImportWordHtmlCommand();
    QCOMPARE(s.chooser.folders.mid(shown), QStringList({examples, QString()}));
}

void AppWindowTest::DroppedExampleFolderImportsInNameOrder() {
    Session s;
    const QString examples =
        QString::fromStdString(s.window->book().folders.dataFolder) + "examples";
    // An HTML file saved by Word, and a web page in another folder.
    const QString wordHtml = s.state.path() + "/saved-by-word.htm";
    QFile word(wordHtml);
    QVERIFY(word.open(QIODevice::WriteOnly));
    word.write(
        "<html><head><meta http-equiv=Content-Type content=\"text/html; charset=utf-8\">"
        "<meta name=Generator content=\"Microsoft Word 15 (filtered)\"></head></html>");
    word.close();
    const QString harbour = examples + "/04 The Harbour.htm";
    struct Drop {
        QStringList paths;
        DropKind kind;
    };
    const Drop drops[] = {{{examples}, DropKind::WebPages},
                          {{examples + "/port-merel.docx"}, DropKind::WordDocument},
                          {{wordHtml}, DropKind::WordHtml},
                          {{harbour}, DropKind::WebPages},
                          {{harbour, examples + "/01_arrival.htm"}, DropKind::WebPages},
                          {{harbour, wordHtml}, DropKind::Nothing},  // two folders
                          {{harbour, examples + "/port-merel.docx"}, DropKind::Nothing},
                          {{examples + "/images"}, DropKind::Nothing},
                          {{examples + "/style.css"}, DropKind::Nothing},
                          {{examples + "/missing.docx"}, DropKind::Nothing}};
    for (const Drop& drop : drops) {
        QVERIFY2(ClassifyDroppedPaths(drop.paths).kind == drop.kind,
                 qPrintable(drop.paths.join(", ")));
    }
    // Two pages: the first in name order is the dialog's second, as the import expects.
    QCOMPARE(ClassifyDroppedPaths({harbour, examples + "/01_arrival.htm"}).files,
             QStringList({harbour, examples + "/01_arrival.htm"}));

    // Dropped on the grid: the same command as the menu, in the folder's name order.
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(examples)});
    QWidget* grid = s.Find<QTableWidget>("fileList")->viewport();
    const Qt::DropActions offered = Qt::CopyAction | Qt::MoveAction;
    QDragEnterEvent enter(QPoint(5, 5), offered, &data, Qt::LeftButton, Qt::ShiftModifier);
    QApplication::sendEvent(grid, &enter);
    QVERIFY(enter.isAccepted());
    QSignalSpy finished(s.window.get(), &MainWindow::commandFinished);
    QDropEvent drop(QPointF(5, 5), offered, &data, Qt::LeftButton, Qt::ShiftModifier);
    QApplication::sendEvent(grid, &drop);
    QVERIFY(drop.isAccepted());
    QCOMPARE(drop.dropAction(), Qt::CopyAction);  // never a move: the source keeps its files
    QVERIFY(finished.wait(60000));
    const QStringList files = s.ExampleFiles();
    QCOMPARE(s.window->book().chapters.size(), static_cast<std::size_t>(files.size()));
    for (int i = 0; i < files.size(); ++i)
        QCOMPARE(QString::fromStdString(s.window->book().chapters[i].file),
                 QFileInfo(files[i]).fileName());
    QVERIFY(s.chooser.folders.isEmpty());  // no dialog was shown
}

void AppWindowTest::ClosingAsksAndDuringAMakeStopsItLeavingNoBook() {
    Session s;
    QVERIFY(s.ImportExample());
    // With chapters loaded, closing asks first.
    s.chooser.answers = {false};
    QVERIFY(!s.window->close());
    QVERIFY(s.window->isVisible());
    QCOMPARE(s.LastShown(), QString("Are you sure to quit this project and exit?"));
    // A compiler that writes part of a book, then works on for a minute.
    const QString compiler = s.state.path() + "/slow-compiler";
    QFile script(compiler);
    QVERIFY(script.open(QIODevice::WriteOnly));
    script.write(
        "#!/bin/sh\nfor a; do last=$a; done\nprintf partial > \"$(dirname \"$1\")/$last\"\n"
        "exec sleep 60\n");
    script.close();
    script.setPermissions(script.permissions() | QFileDevice::ExeOwner);
    s.Find<QLineEdit>("inKGenPath")->setText(compiler);
    const QDir ops(QString::fromStdString(s.window->book().folders.opsFolder));
    s.Find<QAbstractButton>("btnMake")->click();
    QTRY_VERIFY_WITH_TIMEOUT(!ops.entryList({"*.mobi"}, QDir::Files).isEmpty(), 60000);

    QElapsedTimer closing;
    closing.start();
    s.chooser.answers = {false, true};
    QVERIFY(!s.window->close());  // No: the make goes on
    QVERIFY(s.window->busy());
    s.window->menus().exit->trigger();  // Yes: stopped, and the window closes once it has ended
    QTRY_VERIFY_WITH_TIMEOUT(!s.window->isVisible(), 30000);
    QVERIFY(closing.elapsed() < 30000);
    QCOMPARE(s.chooser.shown.size(), std::size_t{3});
    QCOMPARE(s.LastShown(), QString(kStopWorkQuestion));
    QVERIFY(!std::filesystem::exists(FinalMobiPath(s.window->book())));
    QVERIFY(ops.entryList(QDir::Files | QDir::NoDotAndDotDot).isEmpty());
    const QDir shelf(QString::fromStdString(s.window->book().folders.defaultBookFolder));
    QVERIFY(shelf.entryList(QDir::Files | QDir::Hidden).isEmpty());
}

int main(int argc, char** argv) {
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication application(argc, argv);
    std::setlocale(LC_NUMERIC, "C");
    AppWindowTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "app_window_test.moc"
