#include "app/message_box.h"
#include "qt_warnings.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QtTest>
#include <functional>

using tindrel::MessageAnswer;
using tindrel::MessageButtons;

// Runs `act` on each message box once it is on screen.
class OnEachBox final : public QObject {
public:
    explicit OnEachBox(std::function<void(QMessageBox&)> act) : act_(std::move(act)) {
        qApp->installEventFilter(this);
    }
    ~OnEachBox() override { qApp->removeEventFilter(this); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (auto* box = qobject_cast<QMessageBox*>(watched); box && event->type() == QEvent::Show) {
            QPointer<QMessageBox> shown(box);
            QMetaObject::invokeMethod(
                this,
                [this, shown] {
                    if (shown)
                        act_(*shown);
                },
                Qt::QueuedConnection);
        }
        return false;
    }

private:
    std::function<void(QMessageBox&)> act_;
};

class MessageBoxTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { tindrel::testing::drop_offscreen_platform_notices(); }
    void init() { tindrel::testing::fail_on_qt_warnings(); }

    void lines_and_bytes_are_shown_as_given() {
        QString title;
        QString text;
        OnEachBox answer([&](QMessageBox& box) {
            title = box.windowTitle();
            text = box.text();
            box.button(QMessageBox::Ok)->click();
        });
        const MessageAnswer answered =
            tindrel::show_message("Information", "first\rsecond \xE9\r\rlast", MessageButtons::ok);
        QCOMPARE(answered, MessageAnswer::ok);
        QCOMPARE(title, QStringLiteral("Information"));
        QCOMPARE(text, QString::fromLatin1("first\nsecond \xE9\n\nlast"));
    }

    void yes_no_box_waits_for_a_button() {
        bool still_open = false;
        OnEachBox answer([&](QMessageBox& box) {
            QTest::keyClick(&box, Qt::Key_Escape);
            box.close();
            still_open = box.isVisible();
            box.button(QMessageBox::No)->click();
        });
        QCOMPARE(tindrel::show_message("Save ?", "question", MessageButtons::yes_no),
                 MessageAnswer::no);
        QVERIFY(still_open);
    }

    void enter_on_yes_no_box_answers_yes() {
        OnEachBox answer([](QMessageBox& box) { QTest::keyClick(&box, Qt::Key_Return); });
        QCOMPARE(tindrel::show_message("Save ?", "question", MessageButtons::yes_no),
                 MessageAnswer::yes);
    }

    void escape_dismisses_an_ok_box() {
        OnEachBox answer([](QMessageBox& box) { QTest::keyClick(&box, Qt::Key_Escape); });
        QCOMPARE(tindrel::show_message("Warning !", "text"), MessageAnswer::ok);
    }
};

QTEST_MAIN(MessageBoxTest)
#include "message_box_test.moc"
