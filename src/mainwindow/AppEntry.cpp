#include "AppEntry.h"

#include "DataDirectory.h"
#include "FDFin.h"
#include "HelpFile.h"
#include "InstanceLock.h"
#include "MessageBoxes.h"
#include "ProgramIcons.h"
#include "SplashWindow.h"
#include "StartOptions.h"
#include "StoreError.h"
#include "ToolLaunches.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QFile>
#include <QTextStream>
#include <QTimer>
#include <exception>
#include <memory>

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
    QApplication::setApplicationName(QStringLiteral("Tavrionex4"));
    QApplication::setApplicationDisplayName(QStringLiteral("Tavrionex 4"));
    setProgramIdentity(QStringLiteral("org.tavrionex.Tavrionex4"));
    const QString paths = QStringLiteral("paths");
    // Answers that are only printed need no display: they work over ssh and in scripts.
    const bool printsOnly = commandLinePrintsOnly(argc, argv, {QStringLiteral("--") + paths});
    std::unique_ptr<QCoreApplication> app;
    if (printsOnly)
        app = std::make_unique<QCoreApplication>(argc, argv);
    else
        app = std::make_unique<Application>(argc, argv);

    QCommandLineParser parser;
    const QCommandLineOption dataDir = addCommonOptions(
        parser, QStringLiteral("Tavrionex 4, the card-file database for your desktop."));
    parser.addOption(QCommandLineOption(
        paths,
        QStringLiteral("Show the data folder, the help and the upload utility found, and end.")));
    parser.process(*app);
    if (printsOnly && !parser.isSet(paths))
        parser.showHelp(1); // "--help" was the value of another option

    const DataDirectory data =
        prepareDataDirectory(currentDataDirectoryInputs(parser.value(dataDir)));
    if (printsOnly) {
        QTextStream out(stdout);
        out << "Data folder: " << (data.path.isEmpty() ? data.error : data.path) << '\n'
            << "Help: " << helpFilePath() << '\n'
            << "Upload utility: " << tools::uploadUtilityPath() << '\n';
        return data.path.isEmpty() ? 1 : 0;
    }
    QApplication::setWindowIcon(programIcon());
    if (data.path.isEmpty()) {
        MessageBoxes::showMessage(data.error);
        return 1;
    }
    // Every table file is found relative to the working directory; programs started from
    // here (the upload utility, the web publisher) find the same folder.
    QDir::setCurrent(data.path);
    qputenv("TAVRIONEX_DATA", QFile::encodeName(data.path));

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
        return app->exec();
    } catch (const store::StoreError &e) {
        MessageBoxes::showMessage(e.message());
    } catch (const std::exception &e) {
        MessageBoxes::showMessage(QString::fromLocal8Bit(e.what()));
    }
    return 1;
}

} // namespace tav
