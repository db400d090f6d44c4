// The chapter grid widget.
#include "app/chapter_grid_widget.h"

#include <QHeaderView>
#include <QMenu>

namespace quillery::app {
namespace {

constexpr int kColumnCount = 6;
const QColor kTint(255, 255, 235);

bool Tinted(int column) {
    return column == kGridNumberColumn || column == kGridFileColumn || column == kGridSizeColumn;
}

}  // namespace

ChapterGridWidget::ChapterGridWidget(QWidget* parent) : QTableWidget(0, kColumnCount, parent) {
    setObjectName("fileList");
    setFixedHeight(155);
    const int widths[kColumnCount] = {33, 33, 119, 219, 31, 64};
    QStringList captions;
    for (const std::string& caption : ChapterGridCaptions()) {
        captions << QString::fromStdString(caption);
    }
    captions << QString();
    setHorizontalHeaderLabels(captions);
    for (int column = 0; column < kColumnCount; ++column) setColumnWidth(column, widths[column]);
    horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    verticalHeader()->setDefaultSectionSize(18);
    verticalHeader()->setSectionsMovable(true);
    verticalHeader()->setFixedWidth(12);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                    QAbstractItemView::AnyKeyPressed);
    setContextMenuPolicy(Qt::CustomContextMenu);
    connect(verticalHeader(), &QHeaderView::sectionMoved, this, &ChapterGridWidget::OnSectionMoved);
    connect(this, &QWidget::customContextMenuRequested, this, &ChapterGridWidget::ShowPopup);
}

void ChapterGridWidget::ShowGrid(const ChapterGrid& grid) {
    const QSignalBlocker blocker(this);
    setRowCount(0);
    setRowCount(grid.RowCount() - 1);
    for (int row = 1; row < grid.RowCount(); ++row) {
        for (int column = 0; column < kColumnCount; ++column) {
            auto* item = new QTableWidgetItem(column < kGridColumnCount
                                                  ? QString::fromStdString(grid.rows[row][column])
                                                  : QString());
            // Only the titles are the user's to edit; the other cells come from the files.
            if (column != kGridTitleColumn) item->setFlags(item->flags() & ~Qt::ItemIsEditable);
            if (Tinted(column)) item->setBackground(kTint);
            setItem(row - 1, column, item);
        }
    }
}

void ChapterGridWidget::TakeTitles(ChapterGrid& grid) const {
    for (int row = 1; row < grid.RowCount() && row - 1 < rowCount(); ++row) {
        const QTableWidgetItem* cell = item(row - 1, kGridTitleColumn);
        grid.rows[row][kGridTitleColumn] = cell != nullptr ? cell->text().toStdString() : "";
    }
}

void ChapterGridWidget::Clear() { setRowCount(0); }

void ChapterGridWidget::OnSectionMoved(int, int oldVisual, int newVisual) {
    // The header only moved a section; the window reorders its chapters and shows the grid
    // again in the new order, so visual and logical rows stay the same.
    {
        const QSignalBlocker blocker(verticalHeader());
        verticalHeader()->moveSection(newVisual, oldVisual);
    }
    emit rowMoved(oldVisual + 1, newVisual + 1);
}

void ChapterGridWidget::ShowPopup(const QPoint& position) {
    QMenu menu(this);
    QAction* mark = menu.addAction("Mark As TOC");
    menu.addAction("Auto-Create TOC");  // offered, without action
    const int row = currentRow() + 1;
    if (menu.exec(viewport()->mapToGlobal(position)) == mark && row > 0) {
        emit markAsTocRequested(row);
    }
}

}  // namespace quillery::app
