#include "app/host_list_actions.h"

#include "app/byte_text.h"
#include "app/ipv4_address_field.h"
#include "app/main_window.h"

#include <QItemSelectionModel>
#include <QLineEdit>
#include <QListView>

namespace tindrel {

QString host_name_entry(const QString& typed) {
    if (typed.startsWith(QLatin1Char('@'))) {
        return typed;
    }
    return QLatin1Char('@') + typed;
}

void add_ip(MainWindow& window, AppState& state) {
    window.append_host(window.controls().address->text());
    state.modified = 1;
}

void add_hostname(MainWindow& window, AppState& state) {
    // What the list shows must be what the file will hold: 8-bit text only.
    const QString typed = to_display(to_bytes(window.controls().host_name->text()));
    window.append_host(host_name_entry(typed));
    state.modified = 1;
}

void delete_selected(MainWindow& window, AppState& state) {
    QItemSelectionModel* selection = window.controls().host_list->selectionModel();
    const QModelIndexList selected = selection->selectedRows();
    if (!selected.isEmpty()) {
        window.hosts().removeRows(selected.first().row(), 1);
        // The view selects the next line in its place; a second press must not delete it.
        selection->clearSelection();
    }
    // Set even when nothing was removed, so quitting always offers to save after a delete.
    state.modified = 1;
}

void clean_log(MainWindow& window) {
    window.log().setStringList({});
}

} // namespace tindrel
