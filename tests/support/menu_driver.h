#pragma once

#include <QAction>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QtTest>

namespace tindrel::testing {

// Chooses a menu item as a user does: a click on its menu's title, then one on the item.
inline void choose_menu_item(QMainWindow& window, QAction* item) {
    QMenuBar* bar = window.menuBar();
    for (QAction* title : bar->actions()) {
        QMenu* menu = title->menu();
        if (menu == nullptr || !menu->actions().contains(item)) {
            continue;
        }
        QTest::mouseClick(bar, Qt::LeftButton, {}, bar->actionGeometry(title).center());
        QTRY_VERIFY(menu->isVisible());
        QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(item).center());
        return;
    }
    QFAIL("the item is in none of the window's menus");
}

} // namespace tindrel::testing
