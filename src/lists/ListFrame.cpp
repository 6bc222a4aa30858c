#include "lists/ListFrame.h"

#include "settings/Global.h"
#include "widgets/ListGrid.h"

#include <QHeaderView>
#include <QVBoxLayout>
#include <algorithm>

QFont ListFrameFont() {
    QFont f(QStringLiteral("Tahoma"));
    f.setStyleHint(QFont::SansSerif);
    f.setPointSize(8);
    return f;
}

ListFrame::ListFrame(const QString& name, std::span<const ListColumn> columns, QWidget* parent)
    : ViewFrame(parent) {
    setObjectName(name);
    setFrameShape(QFrame::NoFrame);
    setFont(ListFrameFont());

    Panel3 = new QFrame(this);
    Panel3->setObjectName(QStringLiteral("Panel3"));
    Panel3->setFrameShape(QFrame::NoFrame);
    auto* frameLayout = new QVBoxLayout(this);
    frameLayout->setContentsMargins(0, 0, 0, 0);
    frameLayout->addWidget(Panel3);

    grid = new ListGrid(Panel3);
    auto* panelLayout = new QVBoxLayout(Panel3);
    panelLayout->setContentsMargins(4, 4, 4, 4);
    panelLayout->addWidget(grid);

    std::vector<GridColumn> gridColumns;
    for (const ListColumn& c : columns)
        gridColumns.push_back({c.caption, c.width, c.alignRight ? Qt::AlignRight : Qt::AlignLeft});
    grid->setColumns(std::move(gridColumns));
    // A caption is never cut, also where a stand-in face is wider than Tahoma.
    QHeaderView* header = grid->header();
    for (int i = 0; i < header->count(); ++i)
        header->resizeSection(i, std::max(header->sectionSize(i), header->sectionSizeHint(i)));
}

void ListFrame::showRows(TextTable table) {
    grid->rows()->setRows(std::move(table.rows));
    registerGrid(grid);
}
