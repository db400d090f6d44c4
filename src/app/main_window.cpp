// The main window: its layout, start-up and close, and the reactions of its controls that
// need no core command (grid, preview, cover view, destination labels, page footer).
#include "app/main_window.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QCoreApplication>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSplitter>
#include <QStatusBar>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>
#include <QWebEngineView>
#include <algorithm>
#include <filesystem>

#include "app/about_box.h"
#include "app/app_icon.h"
#include "app/background_job.h"
#include "app/chapter_grid_widget.h"
#include "app/click_filter.h"
#include "app/dialog_chooser.h"
#include "app/form_binding.h"
#include "app/job_canceller.h"
#include "app/left_pane.h"
#include "app/log_window.h"
#include "app/option_pages.h"
#include "app/qt_ui_port.h"
#include "app/window_drop_target.h"
#include "htmlimport/chapter_list.h"
#include "project/language.h"

namespace quillery::app {
namespace {

const char* const kCoverDocument =
    "<html><head><style>body{margin:0px;padding:0px;overflow:hidden}img{margin:0px;border:"
    "none;height:100%;width:100%}</style></head><body>%1</body></html>";

QString Q(const std::string& text) { return QString::fromStdString(text); }

}  // namespace

MainWindow::MainWindow(WorkFolders folders, DialogChooser& chooser)
    : word_(folders.stateFolder), dialogFolders_(folders.stateFolder), chooser_(chooser) {
    book_.folders = std::move(folders);
    setObjectName("TForm1");
    setWindowTitle(" Quillery 2.3");
    resize(769, 663);
    setWindowIcon(QuilleryIcon());
    BuildWindow();
    logWindow_ = new LogWindow(this);
    aboutBox_ = new AboutBox(this);
    port_ = std::make_unique<QtUiPort>(*this, *logWindow_, chooser_);
    job_ = new BackgroundJob(this);
    canceller_ = new JobCanceller(*job_, *port_, this);
    connect(canceller_, &JobCanceller::ended, this, &QWidget::close);
    new WindowDropTarget(
        *this, [this] { return !busy(); },
        [this](const DroppedBook& book) { ImportDropped(book); });
    ConnectControls();
}

MainWindow::~MainWindow() {
    // A running job works on this window's Book and may wait for the GUI thread to answer it:
    // it is served until it has ended.
    while (busy()) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    book_.chapters.clear();
}

bool MainWindow::busy() const { return job_->busy(); }

void MainWindow::BuildWindow() {
    auto* panes = new QSplitter(Qt::Horizontal, this);
    panes->addWidget(BuildLeftPane(panes));
    auto* right = new QWidget(panes);
    auto* rightLayout = new QVBoxLayout(right);
    rightLayout->setContentsMargins(0, 0, 0, 0);
    rightLayout->addWidget(BuildPageControl(right), 1);
    rightLayout->addWidget(BuildSaveSettingPanel(right));
    right->setMinimumWidth(283);
    panes->addWidget(right);
    panes->setStretchFactor(0, 1);
    setCentralWidget(panes);

    auto* gauge = Named(new QProgressBar(this), "Gauge1");
    gauge->setRange(0, 100);
    gauge->setHidden(true);
    statusBar()->setFixedHeight(24);
    statusBar()->addWidget(gauge);
    statusBar()->addWidget(Named(new QLabel(this), "lblMsg"), 1);
    statusBar()->addPermanentWidget(Named(new QPushButton("Help", this), "btnHelp"));

    menus_ = BuildMenus(*this);
    fileList_ = findChild<ChapterGridWidget*>("fileList");
    viewer_ = findChild<QWebEngineView*>("Viewer");
    coverView_ = findChild<QWebEngineView*>("CoverVw");
}

void MainWindow::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (!shown_) {
        shown_ = true;
        FirstShow();
    }
}

void MainWindow::FirstShow() {
    LoadSettingsOrDefaults(settings_, book_.folders);
    BookForm form = ReadForm(*this);
    ShowSettingsInForm(settings_, form);
    auto& language = NamedControl<QComboBox>(*this, "selLang");
    const auto items = InitialLanguageItems(LanguageFilesFor(book_.folders));
    language.clear();
    for (const std::string& item : items) language.addItem(Q(item));
    language.setCurrentIndex(0);
    form.selLang = language.currentText().toStdString();
    ShowForm(*this, form);
    findChild<QTabWidget*>("PageControl1")->setCurrentIndex(0);
    port_->SetStatus("Open a folder of webpages or a Word document, then make it.");
    const std::string start = book_.folders.dataFolder + "help/start.htm";
    if (std::filesystem::exists(start)) {
        PreviewFile(start);
    } else {
        viewer_->setUrl(QUrl("about:blank"));
    }
    ShowCover();
}

void MainWindow::closeEvent(QCloseEvent* event) {
    if (busy()) {
        // The worker holds the Book: it is stopped, and the window closes once it has ended.
        if (!canceller_->cancelling() && port_->ConfirmYesNo(kStopWorkQuestion)) {
            port_->SetStatus("Stopping the work...");
            canceller_->Cancel();
        }
        event->ignore();
        return;
    }
    if (!canceller_->cancelling() && !book_.chapters.empty() &&
        !port_->ConfirmYesNo("Are you sure to quit this project and exit?")) {
        event->ignore();
        return;
    }
    // The work folders are emptied only when no other run is using them.
    if (auto lock = WorkFolderLock::Take(book_.folders, false, {})) ResetForNewImport(book_);
    word_.Shutdown();
    event->accept();
}

void MainWindow::OnPageChanged(int index) {
    NamedControl<QWidget>(*this, "pnlSaveSetting").setVisible(index > 1);
}

void MainWindow::PreviewFile(const std::string& path) {
    viewer_->stop();
    viewer_->setUrl(QUrl::fromLocalFile(Q(path)));
}

void MainWindow::ShowCover() {
    QString body;
    if (!coverPath_.empty())
        body = "<img src=\"" + QUrl::fromLocalFile(Q(coverPath_)).toString() + "\"/>";
    coverView_->setHtml(QString(kCoverDocument).arg(body), QUrl("file:///"));
}

void MainWindow::OnGridClicked(int tableRow, int column) {
    const int row = tableRow + 1;
    if (column != kGridFileColumn || book_.chapters.empty() || row == grid_.lastPreviewedRow ||
        !findChild<QToolButton*>("btnPreview")->isChecked() || row >= grid_.RowCount()) {
        return;
    }
    const std::string& file = grid_.rows[row][kGridFileColumn];
    if (book_.previewSource == PreviewSource::Imported) PreviewFile(book_.sourceFolder + file);
    if (book_.previewSource == PreviewSource::Made) PreviewFile(book_.folders.opsFolder + file);
    grid_.lastPreviewedRow = row;
}

void MainWindow::OnPreviewToggled(bool down) {
    const int row = fileList_->currentRow() + 1;
    if (!down) {
        viewer_->setUrl(QUrl("about:blank"));
    } else if (row > 0 && row < grid_.RowCount() && !book_.chapters.empty()) {
        PreviewFile(book_.sourceFolder + grid_.rows[row][kGridFileColumn]);
    }
}

void MainWindow::OnRowMoved(int from, int to) {
    if (from == to || from < 1 || to < 1 || from >= grid_.RowCount() || to >= grid_.RowCount() ||
        static_cast<std::size_t>(to) > book_.chapters.size()) {
        return;
    }
    fileList_->TakeTitles(grid_);
    // The dragged row and its chapter move together; the rows between close up.
    auto moveOne = [from, to](auto& items, int offset) {
        auto first = items.begin() + (from - offset);
        auto last = items.begin() + (to - offset);
        if (from < to) {
            std::rotate(first, first + 1, last + 1);
        } else {
            std::rotate(last, first, first + 1);
        }
    };
    moveOne(grid_.rows, 0);
    moveOne(book_.chapters, 1);
    for (int row = 1; row < grid_.RowCount(); ++row) {
        grid_.rows[row][kGridNumberColumn] = std::to_string(row);
        if (book_.tocMarked && grid_.rows[row][kGridMarkerColumn] == "TOC") book_.tocPosition = row;
    }
    grid_.lastPreviewedRow = 0;
    fileList_->ShowGrid(grid_);
    fileList_->setCurrentCell(to - 1, kGridFileColumn);
}

void MainWindow::OnMarkAsToc(int row) {
    fileList_->TakeTitles(grid_);
    if (MarkAsToc(book_, grid_, row)) fileList_->ShowGrid(grid_);
}

void MainWindow::SetDestinationLinks(bool links) {
    madeLinks_ = links;
    for (const char* name : {"lblDesName", "lblDesPath"}) {
        auto& label = NamedControl<QLabel>(*this, name);
        QFont font = label.font();
        font.setUnderline(links);
        label.setFont(font);
        label.setStyleSheet(links ? "color: #000080" : "color: black");
        label.setCursor(links ? Qt::PointingHandCursor : Qt::ArrowCursor);
    }
}

void MainWindow::OnDestinationClicked(bool name) {
    if (!madeLinks_) return;
    port_->ShellOpenDefault(name ? book_.fullOutputPath : settings_.bookFolder);
}

void MainWindow::OnSavePathChosen(bool sameAsSource) {
    BookForm form = ReadForm(*this);
    ChooseSaveFolder(book_, form, sameAsSource);
    settings_.saveToSourceFolder = sameAsSource;
    NamedControl<QLineEdit>(*this, "inBookPath").setEnabled(!sameAsSource);
    NamedControl<QLabel>(*this, "lblDesPath").setText(Q(form.lblDesPath));
}

void MainWindow::ResetWindowForNewProject() {
    NamedControl<QLabel>(*this, "lblSaveStatus").setText("Your ePub book will be saved");
    SetDestinationLinks(false);
    NamedControl<QWidget>(*this, "btnSaveto").setEnabled(true);
    findChild<QTabWidget*>("PageControl1")->setCurrentIndex(0);
    for (const char* name : {"lblCoverPic", "lblWidth", "lblHeight"})
        NamedControl<QLabel>(*this, name).clear();
    NamedControl<QLabel>(*this, "lblWarn").setText("600*800 JPEG(*.jpg) is recommended");
    coverPath_.clear();
    ShowCover();
    grid_ = ChapterGrid{};
    titleTools_.ClearSnapshot();
    fileList_->Clear();
    menus_.cssMenu->clear();
    menus_.htmlMenu->clear();
}

void MainWindow::ConnectControls() {
    auto button = [this](const char* name, void (MainWindow::*command)()) {
        connect(findChild<QAbstractButton*>(name), &QAbstractButton::clicked, this, command);
    };
    button("btnImportHtml", &MainWindow::ImportWebPagesCommand);
    button("btnImportDoc", &MainWindow::ImportWordDocumentCommand);
    button("btnMake", &MainWindow::MakeMobiCommand);
    button("btnAdvSave", &MainWindow::SaveSettingsCommand);
    button("btnSaveto", &MainWindow::ChangeDestinationCommand);
    button("btnSelCoverPic", &MainWindow::LoadCoverCommand);
    button("btnClearCover", &MainWindow::ClearCoverCommand);
    button("btnSetKindleGen", &MainWindow::SetKindleGenPathCommand);
    button("btnSetEditor", &MainWindow::SetEditorCommand);
    button("Button1", &MainWindow::SaveLogCommand);
    connect(findChild<QAbstractButton*>("Button2"), &QAbstractButton::clicked, this,
            [this] { NamedControl<QPlainTextEdit>(*this, "Memo1").clear(); });
    connect(findChild<QAbstractButton*>("btnHelp"), &QAbstractButton::clicked, this, [this] {
        if (std::filesystem::exists(book_.folders.helpPage))
            port_->ShellOpenDefault(book_.folders.helpPage);
    });
    connect(findChild<QToolButton*>("btnPreview"), &QToolButton::toggled, this,
            &MainWindow::OnPreviewToggled);
    connect(findChild<QTabWidget*>("PageControl1"), &QTabWidget::currentChanged, this,
            &MainWindow::OnPageChanged);
    connect(findChild<QRadioButton*>("chkSaveSamePath"), &QRadioButton::clicked, this,
            [this] { OnSavePathChosen(true); });
    connect(findChild<QRadioButton*>("RadioButton2"), &QRadioButton::clicked, this,
            [this] { OnSavePathChosen(false); });
    connect(findChild<QLineEdit*>("inBookPath"), &QLineEdit::textEdited, this,
            [this](const QString& text) { settings_.bookFolder = text.toStdString(); });
    connect(findChild<QCheckBox*>("chkHTMLC"), &QCheckBox::toggled, this, [this](bool on) {
        for (const char* name : {"chkJS", "chkMedia", "chkForm", "chkImg", "chkLink"})
            NamedControl<QWidget>(*this, name).setEnabled(on);
    });
    connect(findChild<QCheckBox*>("chkEmFontSize"), &QCheckBox::toggled, this, [this](bool on) {
        NamedControl<QWidget>(*this, "selBaseFontSize").setEnabled(on);
        settings_.adaptFontSize = on;
    });
    connect(findChild<QCheckBox*>("chkAutoTitle"), &QCheckBox::clicked, this,
            [this](bool on) { settings_.autoTitle = on; });
    ConnectDialogCommands();
    for (const bool name : {true, false}) {
        auto* label = findChild<QLabel*>(name ? "lblDesName" : "lblDesPath");
        label->installEventFilter(
            new ClickFilter(label, [this, name] { OnDestinationClicked(name); }));
    }
    connect(fileList_, &QTableWidget::cellClicked, this, &MainWindow::OnGridClicked);
    connect(fileList_, &ChapterGridWidget::rowMoved, this, &MainWindow::OnRowMoved);
    connect(fileList_, &ChapterGridWidget::markAsTocRequested, this, &MainWindow::OnMarkAsToc);
    ConnectTitleTools();

    const MenuActions& m = menus_;
    connect(m.openExample, &QAction::triggered, this, &MainWindow::OpenExampleCommand);
    connect(m.importWebPages, &QAction::triggered, findChild<QPushButton*>("btnImportHtml"),
            &QPushButton::click);
    connect(m.importWordDocument, &QAction::triggered, findChild<QPushButton*>("btnImportDoc"),
            &QPushButton::click);
    connect(m.makeMobi, &QAction::triggered, findChild<QPushButton*>("btnMake"),
            &QPushButton::click);
    connect(m.publish, &QAction::triggered, findChild<QPushButton*>("btnMake"),
            &QPushButton::click);
    connect(m.importWordHtml, &QAction::triggered, this, &MainWindow::ImportWordHtmlCommand);
    connect(m.reimportWord, &QAction::triggered, this, &MainWindow::ReimportWordCommand);
    connect(m.makeContent, &QAction::triggered, this, &MainWindow::MakeContentCommand);
    connect(m.makeToc, &QAction::triggered, this, &MainWindow::MakeTocCommand);
    connect(m.recompile, &QAction::triggered, this, &MainWindow::RecompileCommand);
    connect(m.showLog, &QAction::triggered, logWindow_, &QWidget::show);
    connect(m.setKindleGenPath, &QAction::triggered, this, &MainWindow::SetKindleGenPathCommand);
    connect(m.exit, &QAction::triggered, this, &QWidget::close);
    connect(m.about, &QAction::triggered, this, [this] { chooser_.RunModal(*aboutBox_); });
    for (QAction* help : {m.manual, m.website}) {
        connect(help, &QAction::triggered, this,
                [this] { port_->ShellOpenDefault(book_.folders.helpPage); });
    }
}

}  // namespace quillery::app
