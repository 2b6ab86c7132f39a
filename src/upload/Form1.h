#pragma once
// The upload window: local drive, folders and files on the left, the server's current
// directory on the right, and the buttons that move files between them.

#include <QMainWindow>
#include <QPixmap>

class QAction;
class QComboBox;
class QLabel;
class QListWidget;
class QPushButton;
class QToolButton;

namespace tav
{
class DirectoryTree;
class DriveBox;
class FileList;
} // namespace tav

namespace tav::upload
{

class PicturePreview;
class TFTPNames;
class TMyFtp;

class Form1 : public QMainWindow
{
    Q_OBJECT
public:
    // `startDirectory` is the first program argument ("c:" means the home folder); empty
    // starts in the working directory.
    explicit Form1(const QString &startDirectory = {}, QWidget *parent = nullptr);
    ~Form1() override;

    TMyFtp *ftp() const { return Ftp; }
    TFTPNames *connectDialog() const { return m_names; }
    QString historyPath() const { return m_historyPath; }

    // Handlers, named after their controls.
    void bbConnectClick();
    void bbDiconnectClick();
    void NewDirClick();
    void ListBox1DblClick();
    void spbBackOneDirClick();
    void BToSiteClick();
    void BFromSiteClick();
    void dcbbDriveChange();
    void FilterComboBox1Change();
    void flbFileListClick();
    void flbFileListDblClick();
    void Help1Click();
    void Exit1Click();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildControls();
    void buildMenu();
    QWidget *buildLocalPanel();
    QWidget *buildButtonColumn();
    QWidget *buildRemotePanel();
    void openAt(const QString &startDirectory);
    void reportError(const QString &text);
    void showReport(const QString &text);

    const QString m_baseCaption;
    QPixmap m_folderBmp;
    QPixmap m_fileBmp;
    QString m_historyPath;
    TMyFtp *Ftp;
    TFTPNames *m_names;

    QToolButton *spbBackOneDir;
    DriveBox *dcbbDrive;
    QComboBox *FilterComboBox1;
    DirectoryTree *dlbDirectory;
    FileList *flbFileList;
    QPushButton *bbConnect;
    QPushButton *bbDiconnect;
    PicturePreview *Image1;
    QLabel *Image2;
    QPushButton *bShow;
    QPushButton *BToSite;
    QPushButton *BFromSite;
    QListWidget *ListBox1;
    QLabel *m_localPath;
    QLabel *m_remotePath;
};

} // namespace tav::upload
