#pragma once
// The right pane of the window: the page control PageControl1 with its pages General, Cover,
// Import, Export, Log (tab hidden) and Advanced, and under it the panel pnlSaveSetting with
// "Save Settings". Every control carries its component name as objectName; the window finds
// them by that name (form_binding.h), so the builders return only the containers.

#include <QWidget>

class QTabWidget;

namespace quillery::app {

// The page control with its six pages, in their order.
QTabWidget* BuildPageControl(QWidget* parent);
// The footer panel with btnAdvSave.
QWidget* BuildSaveSettingPanel(QWidget* parent);

QWidget* BuildGeneralPage(QWidget* parent);
QWidget* BuildCoverPage(QWidget* parent);
QWidget* BuildImportPage(QWidget* parent);
QWidget* BuildExportPage(QWidget* parent);
QWidget* BuildLogPage(QWidget* parent);
QWidget* BuildAdvancedPage(QWidget* parent);

// Gives a new widget its component name and returns it.
template <class W>
W* Named(W* widget, const char* name) {
    widget->setObjectName(name);
    return widget;
}

}  // namespace quillery::app
