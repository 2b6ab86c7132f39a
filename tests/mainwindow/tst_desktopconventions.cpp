// The main window as a desktop citizen: every shortcut reaches exactly one command, the
// desktop's standard keys are there for commands without a fixed key, and the window
// carries the program icon in the sizes task bars and switchers ask for.

#include "FDFin.h"
#include "MainWindowFixture.h"

#include <QAction>
#include <QHash>
#include <QTest>

using namespace tav;
using namespace tav::test;

class TestDesktopConventions : public MainWindowTestCase
{
    Q_OBJECT

private slots:
    void everyShortcutIsUnambiguous()
    {
        auto w = startMainWindow(WizardAnswer::Cancel);
        // Two window-wide actions on one key: Qt fires neither and the key silently does
        // nothing.
        QHash<QKeySequence, QString> owner;
        for (QAction *action : w->findChildren<QAction *>()) {
            if (action->shortcutContext() != Qt::WindowShortcut &&
                action->shortcutContext() != Qt::ApplicationShortcut)
                continue;
            for (const QKeySequence &key : action->shortcuts()) {
                const QString name =
                    action->objectName().isEmpty() ? action->text() : action->objectName();
                QVERIFY2(!owner.contains(key),
                         qPrintable(key.toString() + " on " + owner.value(key) + " and " + name));
                owner.insert(key, name);
            }
        }
        // The desktop's keys, and the common ones everywhere, for commands that have no
        // fixed key of their own.
        const QList<QKeySequence> saveAs = QKeySequence::keyBindings(QKeySequence::SaveAs)
                                           << QKeySequence(QStringLiteral("Ctrl+Shift+S"));
        for (const QKeySequence &key : saveAs)
            QCOMPARE(owner.value(key), QStringLiteral("MMSaveAsRecord"));
        const QList<QKeySequence> close = QKeySequence::keyBindings(QKeySequence::Close)
                                          << QKeySequence(QStringLiteral("Ctrl+W"));
        for (const QKeySequence &key : close)
            QCOMPARE(owner.value(key), QStringLiteral("CloseDatabase1"));
    }

    void windowIconHasEverySize()
    {
        auto w = startMainWindow(WizardAnswer::Cancel);
        for (int size : {16, 32, 48, 256}) {
            const QPixmap pixmap = w->windowIcon().pixmap(QSize(size, size), 1.0);
            QVERIFY2(!pixmap.isNull(), qPrintable(QString::number(size)));
            QCOMPARE(pixmap.size(), QSize(size, size));
        }
    }
};

QTEST_MAIN(TestDesktopConventions)
#include "tst_desktopconventions.moc"
