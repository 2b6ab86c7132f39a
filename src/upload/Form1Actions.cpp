// The upload window's handlers: connecting, the remote list, uploads and downloads, the
// local lists, the preview, View and Help.

#include "Form1.h"

#include "FTPNames.h"
#include "HelpFile.h"
#include "ImageLoading.h"
#include "Launcher.h"
#include "LocalLists.h"
#include "MessageBoxes.h"
#include "MyFtp.h"
#include "RemoteList.h"

#include <QApplication>
#include <QComboBox>
#include <QFileInfo>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QToolButton>

namespace tav::upload
{

namespace
{
// The busy cursor for as long as the server is being talked to.
class BusyCursor
{
public:
    BusyCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~BusyCursor() { QApplication::restoreOverrideCursor(); }
    BusyCursor(const BusyCursor &) = delete;
    BusyCursor &operator=(const BusyCursor &) = delete;
};

bool isPictureName(const QString &name)
{
    return name.contains(QLatin1String(".bmp")) || name.contains(QLatin1String(".jpg")) ||
           name.contains(QLatin1String(".gif"));
}
} // namespace

void Form1::reportError(const QString &text)
{
    MessageBoxes::ask(this, text, m_baseCaption, MsgIcon::Critical, MsgOk);
}

void Form1::showReport(const QString &text)
{
    // A message is read with the normal cursor, even in the middle of a transfer.
    QApplication::setOverrideCursor(Qt::ArrowCursor);
    MessageBoxes::showMessage(text);
    QApplication::restoreOverrideCursor();
}

void Form1::bbConnectClick()
{
    if (m_names->exec() != QDialog::Accepted)
        return;
    QCoreApplication::processEvents(); // let the dialog disappear before the wait
    Ftp->setServer(m_names->hostName());
    Ftp->setUserID(m_names->userName());
    Ftp->setPassword(m_names->password());
    QString failure;
    {
        BusyCursor busy;
        try {
            Ftp->Connect();
        } catch (const FtpError &error) {
            failure = error.message();
        }
    }
    if (!failure.isEmpty()) {
        reportError(failure);
        return;
    }
    for (QWidget *w : std::initializer_list<QWidget *>{BToSite, BFromSite, spbBackOneDir})
        w->setEnabled(true);
}

void Form1::NewDirClick()
{
    setWindowTitle(m_baseCaption + QStringLiteral(" ->> ") + Ftp->CurDir());
    m_remotePath->setText(Ftp->Server() + QStringLiteral(": ") + Ftp->CurDir());
    ListBox1->clear();
    ListBox1->addItems(Ftp->CurFiles());
}

void Form1::bbDiconnectClick()
{
    ListBox1->clear();
    spbBackOneDir->setEnabled(false);
}

void Form1::ListBox1DblClick()
{
    QListWidgetItem *item = ListBox1->currentItem();
    if (!item || !Ftp->isConnected())
        return;
    BusyCursor busy;
    Ftp->ChangeDirCustom(item->text());
}

void Form1::spbBackOneDirClick()
{
    if (!Ftp->isConnected())
        return;
    BusyCursor busy;
    Ftp->BackOneDir();
}

void Form1::BToSiteClick()
{
    if (!Ftp->isConnected())
        return;
    BusyCursor busy;
    for (const QString &name : flbFileList->selectedFileNames()) {
        Ftp->SendFile1(flbFileList->filePath(name), name);
        Ftp->ChangeDir(QString()); // the remote list shows the file at once
    }
}

void Form1::BFromSiteClick()
{
    if (!Ftp->isConnected())
        return;
    BusyCursor busy;
    for (int row = 0; row < ListBox1->count(); ++row) {
        if (!ListBox1->item(row)->isSelected())
            continue;
        QString name = ListBox1->item(row)->text();
        Ftp->CustomToFileName(name);
        if (!Ftp->GetFile(name, flbFileList->filePath(name)))
            showReport(QStringLiteral("Could not download: ") + name);
        flbFileList->refresh();
    }
}

void Form1::dcbbDriveChange()
{
    dlbDirectory->setDirectory(dcbbDrive->drive());
}

void Form1::FilterComboBox1Change()
{
    flbFileList->setMask(FilterComboBox1->currentData().toString());
}

void Form1::flbFileListClick()
{
    bShow->setEnabled(true);
    QString picture;
    for (const QString &name : flbFileList->selectedFileNames())
        if (isPictureName(name)) {
            picture = name;
            break;
        }
    if (picture.isEmpty()) {
        Image1->hide();
        return;
    }
    Image1->setImage(loadImage(flbFileList->filePath(picture)));
    Image1->show();
}

void Form1::flbFileListDblClick()
{
    for (const QString &name : flbFileList->selectedFileNames())
        Launcher::openDocumentReporting(flbFileList->filePath(name));
}

void Form1::Help1Click()
{
    Launcher::openDocumentReporting(helpFilePath());
}

void Form1::Exit1Click()
{
    close();
}

} // namespace tav::upload
