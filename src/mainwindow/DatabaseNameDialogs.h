#pragma once
// The dialogs that ask for a database name: FNewDatabase1 (new database), FRenameDatabase1
// (rename) and FSaveAs (copy under a new name). They replace the forbidden characters as
// they are typed, enable OK exactly while a name is typed, turn the name into upper case on
// OK and refuse a name that is taken (in the list, "MASTER", or files of that name already in
// the data directory) with their own message, staying open for another name. They change no
// files: on OK they close with the accepted name, and the main window does the work.

#include <QDialog>
#include <QStringList>

class QLayout;
class QLineEdit;
class QPushButton;

namespace tav
{

// The refusals of a taken name: new database, rename, save as.
extern const QString kNameInUse;
extern const QString kRenameNameTaken;
extern const QString kSaveAsNameTaken;

class DatabaseNameDialog : public QDialog
{
    Q_OBJECT
public:
    // The accepted name, in upper case (empty until OK accepted one).
    QString name() const { return m_name; }

public slots:
    void BOkClick();

protected:
    using Filter = QString (*)(const QString &);
    DatabaseNameDialog(QWidget *parent, const QString &objectName, const QString &caption,
                       Filter filter, const QString &dataDir, const QStringList &existing);
    // OK and Cancel, right-aligned, for the bottom of the dialog's layout.
    QLayout *buttonRow();
    // True when `name` (upper case) is refused; the refusal has been shown.
    virtual bool refused(const QString &name) = 0;
    // Taken: "MASTER", an item of the list given, a catalogue row or files in the data
    // directory. A catalogue that cannot be read counts as taken (its message is shown).
    bool isTaken(const QString &name);
    // True when `name` is taken; then `text` shows in the dialog's own "Warning" box and the
    // name is emptied, which disables OK.
    bool refusedAsTaken(const QString &name, const QString &text);

    QLineEdit *m_edit;
    QPushButton *m_ok;
    QPushButton *m_cancel;

private:
    QString m_dataDir;
    QStringList m_existing;
    QString m_name;
};

// "New Database": 17 characters replaced; "MASTER" and names in the catalogue are in use.
class TFNewDatabase1 : public DatabaseNameDialog
{
    Q_OBJECT
public:
    TFNewDatabase1(QWidget *parent, const QString &dataDir);

protected:
    bool refused(const QString &name) override;
};

// "Rename Database": 14 characters replaced; the names of the database list are taken.
class TFRenameDatabase1 : public DatabaseNameDialog
{
    Q_OBJECT
public:
    TFRenameDatabase1(QWidget *parent, const QString &dataDir, const QString &oldName,
                      const QStringList &databaseList);

protected:
    bool refused(const QString &name) override;
};

// "Save As": 14 characters replaced; the names of the database list are taken.
class TFSaveAs : public DatabaseNameDialog
{
    Q_OBJECT
public:
    TFSaveAs(QWidget *parent, const QString &dataDir, const QStringList &databaseList);

protected:
    bool refused(const QString &name) override;
};

} // namespace tav
