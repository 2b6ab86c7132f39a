// The main window as a desktop citizen: every shortcut reaches exactly one command, the
// desktop's standard keys are there for commands without a fixed key, the window fits the
// screen whatever was saved, and it carries the program icon in the sizes task bars and
// switchers ask for.

#include "FDFin.h"
#include "MainWindowFixture.h"
#include "Settings.h"

#include <QAction>
#include <QHash>
#include <QScreen>
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

    void placementFromALargerScreenFitsThisOne()
    {
        // Saved on a larger screen, or at a smaller screen scale than today's.
        Settings::writeInt(QStringLiteral("Maximized"), 0);
        Settings::writeInt(QStringLiteral("Left"), 0);
        Settings::writeInt(QStringLiteral("Top"), 0);
        Settings::writeInt(QStringLiteral("Width"), 5000);
        Settings::writeInt(QStringLiteral("Height"), 4000);
        auto w = startMainWindow(WizardAnswer::Cancel);
        const QSize room = w->screen()->availableGeometry().size();
        QVERIFY2(w->width() <= room.width() && w->height() <= room.height(),
                 qPrintable(QStringLiteral("%1x%2 on %3x%4")
                                .arg(w->width())
                                .arg(w->height())
                                .arg(room.width())
                                .arg(room.height())));
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
