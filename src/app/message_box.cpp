#include "app/message_box.h"

#include "app/byte_text.h"

#include <QAbstractButton>
#include <QApplication>
#include <QKeyEvent>
#include <QMessageBox>

namespace tindrel {
namespace {

// Keeps a Yes/No box open until one of its buttons is pressed.
class OnlyButtonsAnswer final : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Close) {
            event->ignore();
            return true;
        }
        if (event->type() == QEvent::KeyPress &&
            static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
            return true;
        }
        return QObject::eventFilter(watched, event);
    }
};

QString lines_for_display(std::string_view text) {
    QString shown = to_display(text);
    shown.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return shown;
}

} // namespace

MessageAnswer show_message(std::string_view title, std::string_view text, MessageButtons buttons,
                           QWidget* over) {
    QMessageBox box(over != nullptr ? over : QApplication::activeWindow());
    box.setWindowTitle(to_display(title));
    box.setTextFormat(Qt::PlainText);
    box.setText(lines_for_display(text));
    box.setIcon(QMessageBox::NoIcon);
    box.setWindowModality(Qt::ApplicationModal);

    OnlyButtonsAnswer only_buttons;
    if (buttons == MessageButtons::yes_no) {
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box.setDefaultButton(QMessageBox::Yes);
        box.installEventFilter(&only_buttons);
    } else {
        box.setStandardButtons(QMessageBox::Ok);
    }

    for (QAbstractButton* answer : box.buttons()) {
        answer->setIcon(QIcon()); // no pictures at all, on the buttons either
    }

    switch (box.exec()) {
    case QMessageBox::Yes:
        return MessageAnswer::yes;
    case QMessageBox::No:
        return MessageAnswer::no;
    default:
        return MessageAnswer::ok;
    }
}

} // namespace tindrel
