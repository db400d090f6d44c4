#pragma once
// The "Compiling Options" dialog (TfrmCompileOpt): compression level, picture format and
// western charset for the compiler's command line. "Save" hands the choice on and leaves the
// dialog open; the controls keep their states between openings and never show the options
// stored; "Default" does nothing.

#include <QDialog>

#include "project/compile_flags.h"

namespace quillery::app {

class CompileOptionsDialog final : public QDialog {
    Q_OBJECT
public:
    explicit CompileOptionsDialog(QWidget* parent);

    // The controls' states as they stand.
    CompileFlagsChoice Choice() const;

signals:
    // "Save" was pressed: the options the compiler runs with from now on.
    void saved(const quillery::CompileFlags& flags);
};

}  // namespace quillery::app
