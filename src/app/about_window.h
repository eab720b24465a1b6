#pragma once

#include "app/facilities.h"
#include "app/secondary_window.h"

#include <QStringListModel>

class QGroupBox;
class QLabel;
class QListView;
class QPushButton;

namespace tindrel {

class MainWindow;

// The About window's controls, in Tab order.
struct AboutControls {
    QLabel* logo = nullptr;           // the maker's logo, 84 x 108
    QLabel* banner = nullptr;         // the product banner, 235 x 92
    QLabel* product = nullptr;        // "Tindrel v1.0"
    QLabel* credit = nullptr;         // who made it
    QLabel* contact = nullptr;        // where to reach them, in parentheses
    QLabel* developed_with = nullptr; // "Developped with"
    QLabel* tools = nullptr;          // the compiler and Qt the program was built with
    QGroupBox* credit_frame = nullptr;
    QListView* instructions = nullptr; // first steps, one per line
    QPushButton* close = nullptr;      // "Close", focused when the window opens
};

// The product banner, credits and first steps on a white window. Built afresh for every
// showing. Left by its Close button (a click, or Space while it has the focus) or by Return
// wherever the focus is; close requests and Escape do nothing.
class AboutWindow final : public SecondaryWindow {
    Q_OBJECT

public:
    AboutWindow(QWidget& main_window, const Pictures& pictures);

    const AboutControls& controls() const { return controls_; }
    QStringList instructions() const { return lines_.stringList(); }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void create_controls(const Pictures& pictures);

    AboutControls controls_;
    QStringListModel lines_;
};

// The compiler and the Qt release the program was built with, e.g. "GCC 12.2.0, Qt 6.4.2".
QString development_tools();

// Shows the About window over the disabled main window and returns once it is closed.
// Never fails.
void show_about_window(MainWindow& main_window);

} // namespace tindrel
