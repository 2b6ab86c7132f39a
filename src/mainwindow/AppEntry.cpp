#include "AppEntry.h"

#include "FDFin.h"
#include "InstanceLock.h"
#include "MessageBoxes.h"
#include "SplashWindow.h"
#include "StoreError.h"

#include <QApplication>
#include <QIcon>
#include <QTimer>
#include <exception>

namespace tav
{

namespace
{
// The program's general error display: a failure escaping a handler is shown with its
// own text and the program goes on.
class Application : public QApplication
{
public:
    using QApplication::QApplication;

    bool notify(QObject *receiver, QEvent *event) override
    {
        try {
            return QApplication::notify(receiver, event);
        } catch (const store::StoreError &e) {
            MessageBoxes::showMessage(e.message());
        } catch (const std::exception &e) {
            MessageBoxes::showMessage(QString::fromLocal8Bit(e.what()));
        }
        return false;
    }
};
} // namespace

int runTavrionex4(int &argc, char **argv)
{
    Application app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tavrionex4"));
    QApplication::setApplicationDisplayName(QStringLiteral("Tavrionex 4"));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/tavrionex/tavrionex.png")));

    InstanceLock lock(QStringLiteral("tavrionex"));
    if (!lock.tryLock()) {
        MessageBoxes::showMessage(QStringLiteral("Application Already Running"));
        return 0;
    }

    try {
        auto *splash = new TForm2;
        splash->show();
        splash->repaint();
        QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        // Once events run, the splash goes over the main window created after it.
        QTimer::singleShot(0, splash, &QWidget::raise);

        TFDFin window;
        window.FormCreate();
        window.show();
        return app.exec();
    } catch (const store::StoreError &e) {
        MessageBoxes::showMessage(e.message());
    } catch (const std::exception &e) {
        MessageBoxes::showMessage(QString::fromLocal8Bit(e.what()));
    }
    return 1;
}

} // namespace tav
