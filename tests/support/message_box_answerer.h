#pragma once

#include <QAbstractButton>
#include <QApplication>
#include <QEvent>
#include <QMessageBox>
#include <QPointer>
#include <QStringList>
#include <QWidget>
#include <deque>

namespace tindrel::testing {

// Answers the message boxes the program shows, in the order given, by clicking the box's
// own button once it is on screen, and keeps what each box showed. A box for which no
// answer is left gets OK, or No when it has no OK button.
class MessageBoxAnswerer final : public QObject {
public:
    struct Shown {
        QString title;
        QString text;
        QMessageBox::StandardButtons buttons;
        QMessageBox::Icon icon = QMessageBox::NoIcon;
        Qt::WindowModality modality = Qt::NonModal;
        QStringList visible_windows; // titles of the other windows on screen at the time
    };

    explicit MessageBoxAnswerer(std::initializer_list<QMessageBox::StandardButton> answers = {})
        : answers_(answers) {
        qApp->installEventFilter(this);
    }
    ~MessageBoxAnswerer() override { qApp->removeEventFilter(this); }

    void answer_next_with(QMessageBox::StandardButton answer) { answers_.push_back(answer); }

    QList<Shown> shown;
    int answered = 0;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        auto* box = qobject_cast<QMessageBox*>(watched);
        if (box == nullptr || event->type() != QEvent::Show) {
            return false;
        }
        Shown seen{box->windowTitle(), box->text(),           box->standardButtons(),
                   box->icon(),        box->windowModality(), {}};
        for (const QWidget* window : QApplication::topLevelWidgets()) {
            if (window != box && window->isVisible()) {
                seen.visible_windows << window->windowTitle();
            }
        }
        shown << seen;

        QMessageBox::StandardButton answer = QMessageBox::NoButton;
        if (!answers_.empty()) {
            answer = answers_.front();
            answers_.pop_front();
        } else {
            answer = box->button(QMessageBox::Ok) != nullptr ? QMessageBox::Ok : QMessageBox::No;
        }
        QPointer<QMessageBox> target(box);
        QMetaObject::invokeMethod(
            this,
            [this, target, answer] {
                if (target != nullptr && target->button(answer) != nullptr) {
                    ++answered;
                    target->button(answer)->click();
                }
            },
            Qt::QueuedConnection);
        return false;
    }

private:
    std::deque<QMessageBox::StandardButton> answers_;
};

} // namespace tindrel::testing
