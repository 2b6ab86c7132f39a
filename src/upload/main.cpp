// TavrionexFtp: moves files between a local folder and an FTP server.
// Argument 1, if given, is the local folder to start in ("c:" is the home folder); without
// it the program starts in the data folder, where it also keeps its site history.

#include "DataDirectory.h"
#include "Form1.h"
#include "MessageBoxes.h"
#include "ProgramIcons.h"
#include "StartOptions.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QRegularExpression>

namespace
{
// The options and the start folder; returns the --data-dir option.
QCommandLineOption setUpParser(QCommandLineParser &parser)
{
    const QCommandLineOption dataDir = tav::addCommonOptions(
        parser, QStringLiteral("Tavrionex FTP uploads and downloads files over FTP."));
    parser.addPositionalArgument(
        QStringLiteral("folder"),
        QStringLiteral("The local folder to start in (c: is the home folder)."),
        QStringLiteral("[folder]"));
    return dataDir;
}
} // namespace

int main(int argc, char *argv[])
{
    QApplication::setApplicationName(QStringLiteral("Tavrionex FTP"));
    tav::setProgramIdentity(QStringLiteral("org.tavrionex.TavrionexFtp"));
    // --help and --version need no display: they work over ssh and in scripts.
    if (tav::commandLinePrintsOnly(argc, argv)) {
        QCoreApplication app(argc, argv);
        QCommandLineParser parser;
        setUpParser(parser);
        parser.process(app);
        parser.showHelp(1); // "--help" was the value of another option
    }

    QApplication app(argc, argv);
    QApplication::setWindowIcon(tav::uploadIcon());

    QCommandLineParser parser;
    const QCommandLineOption dataDir = setUpParser(parser);
    parser.process(app);

    // A relative start folder means the folder the program was started from; drive names
    // ("c:") are mapped later.
    QString startFolder = parser.positionalArguments().value(0);
    static const QRegularExpression drive(QStringLiteral("^[A-Za-z]:"));
    if (!startFolder.isEmpty() && !drive.match(startFolder).hasMatch())
        startFolder = QDir::current().absoluteFilePath(startFolder);

    const tav::DataDirectory data =
        tav::prepareDataDirectory(tav::currentDataDirectoryInputs(parser.value(dataDir)));
    if (data.path.isEmpty()) {
        tav::MessageBoxes::showMessage(data.error);
        return 1;
    }
    QDir::setCurrent(data.path);

    tav::upload::Form1 window(startFolder);
    window.show();
    return app.exec();
}
