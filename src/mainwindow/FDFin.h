#pragma once
// The main window FDFin: toolbar, main menu, status bar and the pages Database, Report and
// Chart. It owns the tables of the whole run. Its code is spread over files by feature:
//   FDFin.cpp              construction: frame, toolbar, status bar, pages, accessors
//   FDFinMenu.cpp          the main menu and the menu handlers of the window itself
//   FDFinDatabasePage.cpp  layout of the Database page
//   FDFinReportPage.cpp    controls of the Report page
//   FDFinStartup.cpp       FormCreate, FormActivate, window placement, control tables
//   FDFinDatabase.cpp      binding a database, extra fields, status bar, enabling, busy
//   FDFinClose.cpp         FormCloseQuery and the settings written at close
// Controls carry their names as objectName; features look them up with findChild.

#include "ControlTables.h"
#include "DataSource.h"
#include "Table.h"

#include <QCursor>
#include <QMainWindow>

class QAction;
class QButtonGroup;
class QComboBox;
class QGridLayout;
class QLabel;
class QLineEdit;
class QPushButton;
class QTabWidget;
class QToolButton;

namespace tav
{

class DBEdit;
class DBImage;
class DBMemo;

class TFDFin : public QMainWindow
{
    Q_OBJECT
public:
    explicit TFDFin(QWidget *parent = nullptr);
    ~TFDFin() override;

    // Tables of the whole run: records and labels of the current database, the catalogue.
    store::Table *table1() const { return m_table1; }
    store::Table *table2() const { return m_table2; }
    store::Table *table3() const { return m_table3; }
    store::DataSource *dataSource1() const { return m_dataSource1; }
    store::DataSource *dataSource2() const { return m_dataSource2; }

    const ControlTables &controls() const { return m_controls; }
    QString dataDirectory() const; // the text of TempDir
    QString shortDatePattern() const { return m_shortDatePattern; }
    int extraFieldCount() const { return m_extraFieldCount; }
    void setExtraFieldCount(int count) { m_extraFieldCount = count; }
    int previousDatabaseIndex() const { return m_previousDatabaseIndex; }
    void setPreviousDatabaseIndex(int index) { m_previousDatabaseIndex = index; }
    int standardCaptionWidth() const { return m_standardCaptionWidth; }
    // The selected item of ComboBox1, empty when none is selected.
    QString currentDatabase() const;
    // Nradd of the open labels table, 0..78 (0 when it cannot be read).
    int readNradd() const;

    // Status bar panels 0 (database) and 1 (record count).
    QString statusPanelText(int panel) const;
    void setStatusPanelText(int panel, const QString &text);

    // The e-mail and web cursors (from "mail.cur" and "net.cur" when they load).
    QCursor mailCursor() const { return m_mailCursor; }
    QCursor netCursor() const { return m_netCursor; }

    // Records or labels not in browse state while both tables are open.
    bool HasUnsavedChanges() const;
    // The unsaved-changes prompt; returns MsgYes, MsgNo or MsgCancel.
    int UnsavedChangesPrompt();

public slots:
    void FormCreate();
    void FormActivate();
    // True when the window may close; runs the prompt, writes the settings.
    bool FormCloseQuery();
    void EnableDatabaseControls(bool on);
    void ShowBusy();
    void ShowReady();
    void MMExitClick();
    void MMShowWizClick();
    void MMAboutClick();
    void Table1AfterOpen();

    // The start-up wizard's "Open your last database" with the name read from "LastData".
    void OpenLastDatabase(const QString &name);
    // Closes Table1/Table2 and binds them to the database's files, then opens both.
    // Both opens are tried; the first failure is thrown afterwards (StoreError).
    void BindDatabase(const QString &name);
    // Shows the record and caption boxes of extra positions below `count`, hides the
    // rest; false when a control of the catalogue is missing (nothing after it changes).
    bool ShowExtraFields(int count);
    // EditImage visible exactly when the current record has a picture.
    void ShowImageIfAny();
    // "Database " + name, record count + " records".
    void WriteStatusBar();

protected:
    void closeEvent(QCloseEvent *event) override;
    bool event(QEvent *event) override;

private:
    QWidget *buildToolbar();
    void buildStatusBar();
    void buildMenu();
    void buildDatabasePage(QWidget *page);
    QWidget *buildNavigationBar(QWidget *page);
    QWidget *buildRightColumn(QWidget *page);
    void addFieldRow(QGridLayout *grid, int row, int pos, QWidget *parent);
    void buildReportPage(QWidget *page);
    QWidget *buildCriteriaArea(QWidget *parent);
    QWidget *buildOutputArea(QWidget *parent);
    QWidget *buildStepsArea(QWidget *parent);
    void loadCursors();
    void applyWindowPlacement();
    void fillRecordControlTables();
    void fillReportControlTables();
    void fillDatabaseList();
    void runStartupWizard();
    void saveSettingsAtClose();
    void setClientColour(bool databaseOpen);

    store::Table *m_table1;
    store::Table *m_table2;
    store::Table *m_table3;
    store::DataSource *m_dataSource1;
    store::DataSource *m_dataSource2;

    ControlTables m_controls;
    QWidget *m_client = nullptr;
    QTabWidget *m_pageControl = nullptr;
    QComboBox *m_databaseList = nullptr;
    QLabel *m_statusPanels[2] = {nullptr, nullptr};
    QLabel *m_tempDir = nullptr;
    DBImage *m_editImage = nullptr;
    DBMemo *m_memoComments = nullptr;
    QLineEdit *m_filterCriteria = nullptr;
    QButtonGroup *m_filterOn = nullptr;
    QPushButton *m_screenPreview = nullptr;
    QComboBox *m_comboBoxSort = nullptr;
    QComboBox *m_repFormat = nullptr;
    QAction *m_showWizard = nullptr;
    QList<QObject *> m_databaseControls; // enabled while a database is open

    QString m_shortDatePattern;
    QCursor m_mailCursor;
    QCursor m_netCursor;
    int m_extraFieldCount = 0;
    int m_previousDatabaseIndex = -1;
    int m_standardCaptionWidth = 0;
    bool m_busy = false;
    bool m_created = false;
};

} // namespace tav
