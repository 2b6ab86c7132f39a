// TavrionexFtp: moves files between a local folder and an FTP server.
// Argument 1, if given, is the local folder to start in ("c:" is the home folder).

#include "Form1.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tavrionex FTP"));
    const QStringList args = QApplication::arguments();
    tav::upload::Form1 window(args.size() > 1 ? args.at(1) : QString());
    window.show();
    return app.exec();
}
