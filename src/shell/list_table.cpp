#include "list_table.h"

#include "display_scale.h"

#include <QAbstractItemView>
#include <QTableWidget>

namespace ui {

QTableWidget* addListTable(QWidget* parent, const QString& name, const QString& readerName, const FontSpec& font)
{
    auto* table = new QTableWidget(parent);
    table->setObjectName(name);
    table->setAccessibleName(readerName);
    display::setItemFont(table, font);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setSelectionMode(QAbstractItemView::SingleSelection);
    table->setTabKeyNavigation(false);
    table->setWordWrap(false);
    return table;
}

QTableWidgetItem* listCell(const QString& text)
{
    auto* item = new QTableWidgetItem(text);
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    return item;
}

} // namespace ui
