#include "app/ipv4_address_field.h"
#include "qt_warnings.h"

#include <QApplication>
#include <QLineEdit>
#include <QtTest>

using tindrel::Ipv4AddressField;

// Keys typed into the address field: "\b" is Backspace, "<" and ">" the arrow keys.
class Ipv4AddressFieldTest : public QObject {
    Q_OBJECT

private:
    static void type(const QString& keys) {
        for (const QChar key : keys) {
            QWidget* target = QApplication::focusWidget();
            QVERIFY(target != nullptr);
            if (key == QLatin1Char('\b')) {
                QTest::keyClick(target, Qt::Key_Backspace);
            } else if (key == QLatin1Char('<')) {
                QTest::keyClick(target, Qt::Key_Left);
            } else if (key == QLatin1Char('>')) {
                QTest::keyClick(target, Qt::Key_Right);
            } else {
                QTest::keyClick(target, key.toLatin1());
            }
        }
    }

private slots:
    void initTestCase() { tindrel::testing::drop_offscreen_platform_notices(); }
    void init() { tindrel::testing::fail_on_qt_warnings(); }

    void typing_builds_the_address_data() {
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QString>("text");
        QTest::newRow("blank field") << ""
                                     << "0.0.0.0";
        QTest::newRow("full stops between parts") << "10.1.20.3"
                                                  << "10.1.20.3";
        QTest::newRow("third digit moves on") << "19216811"
                                              << "192.168.11.0";
        QTest::newRow("stop after a moving third digit stays") << "192.168.1.9"
                                                               << "192.168.1.9";
        QTest::newRow("stop in an empty part stays") << "1..2"
                                                     << "1.2.0.0";
        QTest::newRow("partly filled reads 0 for blanks") << "7.8"
                                                          << "7.8.0.0";
        QTest::newRow("leading zeros dropped") << "010.001"
                                               << "10.1.0.0";
        QTest::newRow("above 255 is cut") << "300"
                                          << "255.0.0.0";
        QTest::newRow("letters are refused") << "a1b.c2"
                                             << "1.2.0.0";
        QTest::newRow("stop in the last part stays") << "1.2.3.4.5"
                                                     << "1.2.3.45";
        QTest::newRow("backspace at a part's start goes back") << "1.2\b\b\b7"
                                                               << "7.0.0.0";
        QTest::newRow("backspace back across a full part") << "123\b\b4"
                                                           << "124.0.0.0";
        QTest::newRow("arrows cross parts") << "1.2<<5>>6"
                                            << "15.26.0.0";
    }

    void typing_builds_the_address() {
        QFETCH(QString, keys);
        QFETCH(QString, text);
        Ipv4AddressField field;
        field.show();
        field.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&field));
        field.setFocus();
        QCOMPARE(QApplication::focusWidget(), field.part(0));

        type(keys);
        QCOMPARE(field.text(), text);
    }

    void tab_leaves_from_any_part() {
        QWidget window;
        auto* field = new Ipv4AddressField(&window);
        auto* after = new QLineEdit(&window);
        after->setObjectName(QStringLiteral("after"));
        window.show();
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        field->setFocus();

        type(QStringLiteral("1.2"));
        QCOMPARE(QApplication::focusWidget(), field->part(1));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), after);
        QTest::keyClick(after, Qt::Key_Backtab);
        QCOMPARE(QApplication::focusWidget(), field->part(0));
    }

    void clear_blanks_every_part() {
        Ipv4AddressField field;
        field.part(0)->setText(QStringLiteral("9"));
        field.part(3)->setText(QStringLiteral("9"));
        field.clear();
        QCOMPARE(field.text(), QStringLiteral("0.0.0.0"));
    }
};

QTEST_MAIN(Ipv4AddressFieldTest)
#include "ipv4_address_field_test.moc"
