#pragma once
// What the three reference-list frames share: a borderless panel with a 4-pixel margin holding
// the list, the frame's own 8-point Tahoma, and the columns of its list.

#include "lists/ListRows.h"
#include "widgets/ViewFrame.h"

#include <span>

class QFrame;

class ListFrame : public ViewFrame {
    Q_OBJECT
public:
    QFrame* Panel3 = nullptr;

protected:
    ListFrame(const QString& name, std::span<const ListColumn> columns, QWidget* parent);
    // Replaces every row of the list in one bulk update and registers it with the host.
    void showRows(TextTable table);
};

// The frame font: Tahoma 8 pt, or the system's sans-serif face where Tahoma is missing.
QFont ListFrameFont();
