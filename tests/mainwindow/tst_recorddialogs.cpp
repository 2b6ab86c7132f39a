// The Insert (FIns) and Delete (FDelRec) dialogs on their own, shown modally and worked
// like a user: refusals keep the dialog open with their message, OK hands over the
// numbers, the range boxes follow the radio group, and both dialogs open beside the main
// window's "No." label.

#include "MainWindowFixture.h"
#include "MessageBoxes.h"
#include "RadioGroup.h"
#include "RecordDialogs.h"
#include "TestEnvironment.h"

#include "DialogDriver.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <memory>

using namespace tav;
using namespace tav::test;

namespace
{
QLineEdit *box(QWidget *dialog, const char *name)
{
    return dialog->findChild<QLineEdit *>(QString::fromLatin1(name));
}

void click(QWidget *dialog, const char *name)
{
    dialog->findChild<QPushButton *>(QString::fromLatin1(name))->click();
}

// Clicks a radio item on its indicator, as a user would.
void chooseItem(QWidget *dialog, int item)
{
    QRadioButton *button =
        dialog->findChild<RadioGroup *>(QStringLiteral("RadioGroup1"))->button(item);
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(6, button->height() / 2));
}

// Closes the dialog when the checks inside onModal end, also when one of them fails.
struct RejectAtEnd {
    QDialog *dialog;
    ~RejectAtEnd()
    {
        if (dialog->isVisible())
            dialog->reject();
    }
};

// Types `text` into the box as a user would (select all, type over).
void typeInto(QLineEdit *edit, const QString &text)
{
    edit->selectAll();
    edit->del();
    QTest::keyClicks(edit, text);
}
} // namespace

class TestRecordDialogs : public MainWindowTestCase
{
    Q_OBJECT

private slots:
    void insertTakesAPositiveWholeNumber_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("message"); // empty: accepted
        QTest::newRow("3") << "3"
                           << "";
        QTest::newRow("zero") << "0"
                              << "'0' is not a valid integer value.";
        QTest::newRow("negative") << "-2"
                                  << "'-2' is not a valid integer value.";
        QTest::newRow("not a number") << "3x"
                                      << "'3x' is not a valid integer value.";
    }
    void insertTakesAPositiveWholeNumber()
    {
        QFETCH(QString, typed);
        QFETCH(QString, message);
        TFIns dialog(nullptr);
        QCOMPARE(box(&dialog, "efrom")->text(), QStringLiteral("1"));
        bool stayedOpen = false;
        if (!message.isEmpty())
            m_env->messages().answer(MsgOk);
        onModal<TFIns>([&](TFIns *d) {
            RejectAtEnd guard{d};
            typeInto(box(d, "efrom"), typed);
            click(d, "Button1");
            if (message.isEmpty())
                return;
            stayedOpen = d->isVisible();
            click(d, "Button2");
        });
        const int result = dialog.exec();
        if (message.isEmpty()) {
            QCOMPARE(result, int(QDialog::Accepted));
            QCOMPARE(dialog.count(), typed.toInt());
            QVERIFY(m_env->messages().texts().isEmpty());
        } else {
            QVERIFY(stayedOpen);
            QCOMPARE(result, int(QDialog::Rejected));
            QCOMPARE(m_env->messages().texts(), QStringList{message});
            QCOMPARE(m_env->messages().shown().first().icon, MsgIcon::Information);
        }
    }

    void deleteOffersTheCurrentRecordFirst()
    {
        TFDelRec dialog(5, 10, nullptr);
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Delete"));
        onModal<TFDelRec>([](TFDelRec *d) {
            RejectAtEnd guard{d};
            QCOMPARE(d->findChild<RadioGroup *>(QStringLiteral("RadioGroup1"))->itemIndex(), 0);
            QCOMPARE(box(d, "efrom")->text(), QStringLiteral("5"));
            QCOMPARE(box(d, "eto")->text(), QStringLiteral("10"));
            QVERIFY(!box(d, "efrom")->isEnabled());
            QVERIFY(!box(d, "eto")->isEnabled());
            click(d, "bOK");
        });
        QCOMPARE(dialog.exec(), int(QDialog::Accepted));
        QCOMPARE(dialog.from(), 5);
        QCOMPARE(dialog.to(), 5);
    }

    void rangeBoxesFollowTheRadioGroup()
    {
        TFDelRec dialog(5, 10, nullptr);
        onModal<TFDelRec>([](TFDelRec *d) {
            RejectAtEnd guard{d};
            chooseItem(d, 1);
            QVERIFY(box(d, "efrom")->isEnabled());
            QVERIFY(box(d, "eto")->isEnabled());
            QTRY_COMPARE(QApplication::focusWidget(), box(d, "efrom"));
            chooseItem(d, 0);
            QVERIFY(!box(d, "efrom")->isEnabled());
            QVERIFY(!box(d, "eto")->isEnabled());
            click(d, "bCancel");
        });
        QCOMPARE(dialog.exec(), int(QDialog::Rejected));
    }

    void deleteRangeIsChecked_data()
    {
        QTest::addColumn<QString>("from");
        QTest::addColumn<QString>("to");
        QTest::addColumn<QString>("message"); // empty: accepted
        QTest::newRow("4 to 6") << "4"
                                << "6"
                                << "";
        QTest::newRow("to below from") << "5"
                                       << "3"
                                       << "'5' is not a valid value.";
        QTest::newRow("to beyond the last") << "3"
                                            << "11"
                                            << "'11' is not a valid value.";
        QTest::newRow("from not a number") << "x"
                                           << "3"
                                           << "'x' is not a valid integer value.";
        QTest::newRow("to zero") << "1"
                                 << "0"
                                 << "'0' is not a valid integer value.";
    }
    void deleteRangeIsChecked()
    {
        QFETCH(QString, from);
        QFETCH(QString, to);
        QFETCH(QString, message);
        TFDelRec dialog(5, 10, nullptr);
        bool stayedOpen = false;
        if (!message.isEmpty())
            m_env->messages().answer(MsgOk);
        onModal<TFDelRec>([&](TFDelRec *d) {
            RejectAtEnd guard{d};
            chooseItem(d, 1);
            typeInto(box(d, "efrom"), from);
            typeInto(box(d, "eto"), to);
            click(d, "bOK");
            if (message.isEmpty())
                return;
            stayedOpen = d->isVisible();
            click(d, "bCancel");
        });
        const int result = dialog.exec();
        if (message.isEmpty()) {
            QCOMPARE(result, int(QDialog::Accepted));
            QCOMPARE(dialog.from(), from.toInt());
            QCOMPARE(dialog.to(), to.toInt());
        } else {
            QVERIFY(stayedOpen);
            QCOMPARE(result, int(QDialog::Rejected));
            QCOMPARE(m_env->messages().texts(), QStringList{message});
        }
    }

    void dialogsOpenBesideTheNumberLabel()
    {
        QWidget main;
        main.setGeometry(60, 40, 800, 500);
        auto *label = new QLabel(QStringLiteral("No."), &main);
        label->setObjectName(QStringLiteral("Label3"));
        label->move(230, 70);
        main.show();
        QVERIFY(QTest::qWaitForWindowExposed(&main));
        const QPoint expected(main.frameGeometry().left() + 230, main.frameGeometry().top() + 200);
        TFIns insert(&main);
        QCOMPARE(insert.pos(), expected);
        TFDelRec remove(1, 1, &main);
        QCOMPARE(remove.pos(), expected);
    }
};

QTEST_MAIN(TestRecordDialogs)
#include "tst_recorddialogs.moc"
