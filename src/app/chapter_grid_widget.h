#pragma once
// The chapter grid fileList: six columns under one header row, the No., File Name and Size
// columns tinted, only the title column editable, rows moved by dragging their row header,
// and the pop-up menu "Mark As TOC" / "Auto-Create TOC". Grid row r (1-based, as the core
// counts) is table row r-1.

#include <QTableWidget>

#include "htmlimport/chapter_grid.h"

namespace quillery::app {

class ChapterGridWidget final : public QTableWidget {
    Q_OBJECT
public:
    explicit ChapterGridWidget(QWidget* parent);

    // Shows the chapter rows of grid (row 0, the captions, stays in the header).
    void ShowGrid(const ChapterGrid& grid);
    // Copies the title cells, as the user edited them, into grid.
    void TakeTitles(ChapterGrid& grid) const;
    void Clear();

signals:
    // A row was dragged from grid row `from` to grid row `to` (both 1-based).
    void rowMoved(int from, int to);
    void markAsTocRequested(int row);

private:
    void OnSectionMoved(int logical, int oldVisual, int newVisual);
    void ShowPopup(const QPoint& position);
};

}  // namespace quillery::app
