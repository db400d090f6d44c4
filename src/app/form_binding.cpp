// Reading and showing the BookForm through the controls' component names.
#include "app/form_binding.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <stdexcept>

namespace quillery::app {

template <class W>
W& NamedControl(const QWidget& window, const char* name) {
    W* widget = window.findChild<W*>(name);
    if (widget == nullptr) throw std::logic_error(std::string("no control named ") + name);
    return *widget;
}
template QLabel& NamedControl<QLabel>(const QWidget&, const char*);
template QLineEdit& NamedControl<QLineEdit>(const QWidget&, const char*);
template QCheckBox& NamedControl<QCheckBox>(const QWidget&, const char*);
template QRadioButton& NamedControl<QRadioButton>(const QWidget&, const char*);
template QComboBox& NamedControl<QComboBox>(const QWidget&, const char*);
template QPlainTextEdit& NamedControl<QPlainTextEdit>(const QWidget&, const char*);
template QWidget& NamedControl<QWidget>(const QWidget&, const char*);

namespace {

std::string Text(const QString& text) { return text.toStdString(); }
QString Text(const std::string& text) { return QString::fromStdString(text); }

std::string Line(const QWidget& w, const char* name) {
    return Text(NamedControl<QLineEdit>(w, name).text());
}
void SetLine(QWidget& w, const char* name, const std::string& text) {
    NamedControl<QLineEdit>(w, name).setText(Text(text));
}
std::string Choice(const QWidget& w, const char* name) {
    return Text(NamedControl<QComboBox>(w, name).currentText());
}
bool Checked(const QWidget& w, const char* name) {
    return NamedControl<QAbstractButton>(w, name).isChecked();
}
void SetChecked(QWidget& w, const char* name, bool on) {
    NamedControl<QAbstractButton>(w, name).setChecked(on);
}

}  // namespace

template QAbstractButton& NamedControl<QAbstractButton>(const QWidget&, const char*);

BookForm ReadForm(const QWidget& w) {
    BookForm f;
    f.inTitle = Line(w, "inTitle");
    f.inAuthor = Line(w, "inAuthor");
    f.inSubject = Line(w, "inSubject");
    f.inPublisher = Line(w, "inPublisher");
    f.inID = Line(w, "inID");
    f.selLang = Choice(w, "selLang");
    f.inDesc = Text(NamedControl<QPlainTextEdit>(w, "inDesc").toPlainText());
    f.lblDesName = Text(NamedControl<QLabel>(w, "lblDesName").text());
    f.lblDesPath = Text(NamedControl<QLabel>(w, "lblDesPath").text());

    f.chkEmFontSize = Checked(w, "chkEmFontSize");
    const auto& baseFont = NamedControl<QComboBox>(w, "selBaseFontSize");
    f.selBaseFontSize = baseFont.currentIndex() > 0 ? baseFont.currentText().toInt() : 0;
    f.chk7lFontSize = Checked(w, "chk7lFontSize");
    f.chkClassifyFont = Checked(w, "chkClassifyFont");
    f.selTocIndex = NamedControl<QComboBox>(w, "selTocIndex").currentIndex();
    f.inTocTitle = Line(w, "inTocTitle");
    f.chkIndent = Checked(w, "chkIndent");
    f.selIndent = Choice(w, "selIndent");
    f.chkAlign = Checked(w, "chkAlign");
    f.selAlign = Choice(w, "selAlign");
    f.chkGap = Checked(w, "chkGap");
    f.selGap = Choice(w, "selGap");
    f.chkLineHeight = Checked(w, "chkLineHeight");
    f.selLineHeight = Choice(w, "selLineHeight");
    f.chkAutoTitlePage = Checked(w, "chkAutoTitlePage");
    f.chkGCSS = Checked(w, "chkGCSS");

    f.chkAutoTitle = Checked(w, "chkAutoTitle");
    f.selTitleMethod = Checked(w, "selTitleMethod0")   ? 0
                       : Checked(w, "selTitleMethod1") ? 1
                       : Checked(w, "selTitleMethod2") ? 2
                                                       : -1;
    f.chkHTMLC = Checked(w, "chkHTMLC");
    f.chkJS = Checked(w, "chkJS");
    f.chkMedia = Checked(w, "chkMedia");
    f.chkForm = Checked(w, "chkForm");
    f.chkImg = Checked(w, "chkImg");
    f.chkLink = Checked(w, "chkLink");
    f.chkSplit = Checked(w, "chkSplit");
    f.chkDelWordTOC = Checked(w, "chkDelWordTOC");
    f.selPPI = Choice(w, "selPPI");
    f.chkPNG = Checked(w, "chkPNG");

    f.chkSaveSamePath = Checked(w, "chkSaveSamePath");
    f.inBookPath = Line(w, "inBookPath");
    f.inKGenPath = Line(w, "inKGenPath");
    f.inExEditor = Line(w, "inExEditor");
    f.inEpubcheckJar = Line(w, "inEpubcheckJar");
    return f;
}

void ShowForm(QWidget& w, const BookForm& f) {
    SetLine(w, "inTitle", f.inTitle);
    SetLine(w, "inAuthor", f.inAuthor);
    SetLine(w, "inSubject", f.inSubject);
    SetLine(w, "inPublisher", f.inPublisher);
    SetLine(w, "inID", f.inID);
    NamedControl<QComboBox>(w, "selLang").setCurrentText(Text(f.selLang));
    if (Text(NamedControl<QPlainTextEdit>(w, "inDesc").toPlainText()) != f.inDesc)
        NamedControl<QPlainTextEdit>(w, "inDesc").setPlainText(Text(f.inDesc));
    NamedControl<QLabel>(w, "lblDesName").setText(Text(f.lblDesName));
    NamedControl<QLabel>(w, "lblDesPath").setText(Text(f.lblDesPath));

    SetChecked(w, "chkAutoTitle", f.chkAutoTitle);
    for (const char* name : {"selTitleMethod0", "selTitleMethod1", "selTitleMethod2"}) {
        auto& radio = NamedControl<QRadioButton>(w, name);
        radio.setAutoExclusive(false);  // a method outside 0..2 checks none
        radio.setChecked(name[14] - '0' == f.selTitleMethod);
        radio.setAutoExclusive(true);
    }
    SetChecked(w, f.chkSaveSamePath ? "chkSaveSamePath" : "RadioButton2", true);
    NamedControl<QLineEdit>(w, "inBookPath").setEnabled(!f.chkSaveSamePath);
    SetChecked(w, "chkAutoTitlePage", f.chkAutoTitlePage);
    SetChecked(w, "chkDelWordTOC", f.chkDelWordTOC);
    SetChecked(w, "chkEmFontSize", f.chkEmFontSize);
    auto& baseFont = NamedControl<QComboBox>(w, "selBaseFontSize");
    baseFont.setEnabled(f.chkEmFontSize);
    baseFont.setCurrentText(f.selBaseFontSize == 0 ? "Auto" : QString::number(f.selBaseFontSize));
    SetChecked(w, "chkClassifyFont", f.chkClassifyFont);
    auto& ppi = NamedControl<QComboBox>(w, "selPPI");
    if (ppi.findText(Text(f.selPPI)) < 0) ppi.addItem(Text(f.selPPI));
    ppi.setCurrentText(Text(f.selPPI));
    SetChecked(w, f.chkPNG ? "chkPNG" : "chkGIF", true);
    SetChecked(w, "chkHTMLC", f.chkHTMLC);
    const std::pair<const char*, bool> kinds[] = {{"chkJS", f.chkJS},
                                                  {"chkMedia", f.chkMedia},
                                                  {"chkForm", f.chkForm},
                                                  {"chkImg", f.chkImg},
                                                  {"chkLink", f.chkLink}};
    for (const auto& [name, on] : kinds) {
        SetChecked(w, name, on);
        NamedControl<QWidget>(w, name).setEnabled(f.chkHTMLC);
    }
    SetChecked(w, "chkSplit", f.chkSplit);
    SetLine(w, "inExEditor", f.inExEditor);
    SetLine(w, "inBookPath", f.inBookPath);
    SetLine(w, "inKGenPath", f.inKGenPath);
    SetLine(w, "inEpubcheckJar", f.inEpubcheckJar);
    SetLine(w, "inTocTitle", f.inTocTitle);
    NamedControl<QComboBox>(w, "selTocIndex").setCurrentIndex(f.selTocIndex);
}

}  // namespace quillery::app
