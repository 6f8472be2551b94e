// The read-only lists of the teachers' screens (class records, topics): one look, one way to
// read them with the keyboard and a screen reader.
#pragma once

#include "platform/screen_design.h"

#include <QColor>
#include <QString>

class QTableWidget;
class QTableWidgetItem;
class QWidget;

namespace ui {

// Cell colours a teacher reads at a glance, light enough for black text.
inline const QColor goodCell(170, 230, 170);
inline const QColor fairCell(255, 220, 140);
inline const QColor poorCell(245, 170, 170);
inline const QColor idleCell(215, 215, 215);

// A list that can be chosen from but not edited; Tab leaves it rather than walking its cells.
QTableWidget* addListTable(QWidget* parent, const QString& name, const QString& readerName, const FontSpec& font);
// A cell of such a list: selectable, never editable.
QTableWidgetItem* listCell(const QString& text);

} // namespace ui
