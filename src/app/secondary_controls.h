#pragma once

#include <QString>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QWidget;

namespace tindrel {

// Makers of the secondary windows' controls, each named and placed at its pixel geometry
// within the window's inner area. Controls are created in Tab order.

// A push button that Return does not press: only a click or Space on it does.
QPushButton* make_button(QWidget* window, const char* text, const char* name, int x, int y,
                         int width, int height);

// A label aligned left and centred vertically unless `alignment` says otherwise.
QLabel* make_label(QWidget* window, const char* text, const char* name, int x, int y, int width,
                   int height, Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignVCenter);

QCheckBox* make_check_box(QWidget* window, const char* text, const char* name, int x, int y,
                          int width, int height);

// A single-line field that scrolls sideways, taking any 8-bit character.
QLineEdit* make_text_field(QWidget* window, const char* name, int x, int y, int width, int height);

} // namespace tindrel
