#include "app/secondary_controls.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QValidator>

namespace tindrel {
namespace {

// Refuses characters beyond Latin-1: the settings hold 8-bit text, and a field should never
// show what cannot be stored, sent or saved.
class EightBitText final : public QValidator {
public:
    using QValidator::QValidator;

    State validate(QString& input, int& /*position*/) const override {
        for (const QChar character : input) {
            if (character.unicode() > 0xFF) {
                return Invalid;
            }
        }
        return Acceptable;
    }
};

template <typename Control>
Control* place(Control* control, const char* name, int x, int y, int width, int height) {
    control->setObjectName(QLatin1String(name));
    control->setGeometry(x, y, width, height);
    return control;
}

} // namespace

QPushButton* make_button(QWidget* window, const char* text, const char* name, int x, int y,
                         int width, int height) {
    auto* button = new QPushButton(QLatin1String(text), window);
    button->setAutoDefault(false);
    button->setDefault(false);
    return place(button, name, x, y, width, height);
}

QLabel* make_label(QWidget* window, const char* text, const char* name, int x, int y, int width,
                   int height, Qt::Alignment alignment) {
    auto* label = new QLabel(QLatin1String(text), window);
    label->setAlignment(alignment);
    return place(label, name, x, y, width, height);
}

QCheckBox* make_check_box(QWidget* window, const char* text, const char* name, int x, int y,
                          int width, int height) {
    return place(new QCheckBox(QLatin1String(text), window), name, x, y, width, height);
}

QLineEdit* make_text_field(QWidget* window, const char* name, int x, int y, int width, int height) {
    auto* field = new QLineEdit(window);
    field->setValidator(new EightBitText(field));
    return place(field, name, x, y, width, height);
}

} // namespace tindrel
