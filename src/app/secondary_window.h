#pragma once

#include <QDialog>
#include <QSize>
#include <QString>

namespace tindrel {

// What sets one secondary window apart from the others.
struct SecondaryWindowLook {
    QString title;
    QSize inner_size;
    bool tool_window = false; // a thin title bar and no task bar button
};

// A window opened over the main window (Ping options, SMTP settings, About). It runs modal
// in its own event loop with the main window disabled, stays in front of the main window,
// has a title bar with no buttons, keeps its size, and is left only through close_window():
// close requests from the system and Escape do nothing.
class SecondaryWindow : public QDialog {
    Q_OBJECT

public:
    // How far right of and below the main window's outer top-left corner the window's own
    // outer top-left corner is placed.
    static constexpr int kOffsetRight = 200;
    static constexpr int kOffsetDown = 80;

    // The most pixels a letter of the windows' font is high; see the constructor.
    static constexpr int kFontPixels = 10;

    SecondaryWindow(QWidget& main_window, const SecondaryWindowLook& look);

    // Disables the main window, places this window beside it and runs until close_window()
    // has been called. The main window is enabled again however the loop ends.
    void run();

    // True from construction until close_window().
    bool is_open() const { return open_; }

    // Enables the main window, then closes this window and ends run().
    void close_window();

    // Escape would close a dialog: here it does nothing.
    void reject() override;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    QWidget& main_window_;
    bool open_ = true;
};

} // namespace tindrel
