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
//   FDFinCatalogue.cpp     the database list, Open and Close Database, the Report page's
//                          captions and sort lists for the current database
//   FDFinNavigation.cpp    First/Previous/Next/Last, Add, Save, Cancel, Undo, typing and
//                          the current field position
//   FDFinLinks.cpp         decoration of fields holding e-mail and web addresses
//   FDFinQuickSearch.cpp   the search panel: search field, Find First/Next/Prev
//   FDFinRecordCommands.cpp  Insert, Delete, Empty, Copy and Paste Record
//   FDFinFieldLayout.cpp   captions, Add/Remove Fields, Insert Field and Delete Field
//   FDFinDatabaseSet.cpp   New, Save As, Rename and Delete Database
//   FDFinExchange.cpp      Export, Import, Backup and Restore
//   FDFinPageHooks.cpp     the hooks the Report, Chart, configuration and lock features set
//   FDFinImages.cpp        the record's picture: load, zoom, Paint, copy, paste, delete
//   FDFinAttachments.cpp   the attachments window and the File Attachment button
//   FDFinChart.cpp         the Chart page and the chart of filled fields
// Controls carry their names as objectName; features look them up with findChild.

#include "ControlTables.h"
#include "DataSource.h"
#include "PageHooks.h"
#include "QuickSearch.h"
#include "ReportConfigurations.h"
#include "RecordEditing.h"
#include "Table.h"

#include <QCursor>
#include <QHash>
#include <QMainWindow>
#include <QPointer>
#include <functional>

class QAction;
class QButtonGroup;
class QComboBox;
class QGridLayout;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QTabWidget;
class QToolButton;

namespace tav
{

class DatabaseList;
class DBEdit;
class DBImage;
class DBMemo;
class EmptiedRecordAttachments;
class TFAtach;
struct AttachmentRecord;

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
    // The catalogue position of the record edit box that last had the focus; 78 when none.
    int currentFieldPosition() const { return m_currentFieldPosition; }
    // The records table's record count as last read by Save, Next and the opening of a
    // database.
    int rememberedRecordCount() const { return m_rememberedRecordCount; }
    // The sort field chosen last on the Report page; -1 after a database is opened.
    int rememberedSortIndex() const { return m_rememberedSortIndex; }
    void setRememberedSortIndex(int index) { m_rememberedSortIndex = index; }
    // The selected item of ComboBox1, empty when none is selected.
    QString currentDatabase() const;
    // Nradd of the open labels table, 0..78 (0 when it cannot be read).
    int readNradd() const;

    // Status bar panels 0 (database) and 1 (record count).
    QString statusPanelText(int panel) const;
    void setStatusPanelText(int panel, const QString &text);
    // Panel 1: the count followed by " records".
    void showRecordCount(int count);

    // The e-mail and web cursors (from "mail.cur" and "net.cur" when they load).
    QCursor mailCursor() const { return m_mailCursor; }
    QCursor netCursor() const { return m_netCursor; }

    // The records or the labels have changes not yet posted.
    bool HasUnsavedChanges() const;
    // The unsaved-changes prompt; returns MsgYes, MsgNo or MsgCancel.
    int UnsavedChangesPrompt();
    // Save of the Database page: posts the record (when it has changes) and the captions.
    // False when the date is refused, no database is selected or the engine refused the
    // post; the changes then stay pending and the reason has been shown.
    bool SaveRecord();

    // ---- Page hooks (FDFinPageHooks.cpp) ----
    PageHooks &pageHooks() { return m_pageHooks; }
    // The lock presentation of the Database page and of the Report page.
    void PresentDatabaseLock();
    void PresentReportLock();
    void RefreshConfigurationList();
    void BuildChart();
    // The current database's comments are locked (never true before the lock exists).
    bool commentsLocked() const;
    // The report's OK stores its configuration first when asked to; false stops it.
    bool saveConfigurationBeforeReport();

signals:
    // A database became current: chosen in the list, opened, opened at start-up or
    // created. Its tables are bound and shown when this is emitted.
    void currentDatabaseChanged();

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
    // The open-database dialog's Open: binds the database and shows it.
    void OpenDatabase(const QString &name);
    // Shows the open-database dialog modally (toolbar, menu and start-up wizard).
    void ShowOpenDatabaseDialog();
    // "Add Fields +" and "- Remove Fields" are offered only for labels tables with all
    // fields (31 or more, so Nradd exists).
    void ShowFieldButtons();
    // Report page for the current database: every criteria and output check box takes its
    // field's caption; criteria unchecked, outputs checked, comments output unchecked;
    // check boxes of the extra fields shown as Nradd says.
    void SetReportCaptions();
    // ComboBoxSort (captions) and its hidden twin ComboBoxSort1 (record field names): the
    // fixed fields, then the extra fields in use; the remembered sort index selected.
    void FillSortLists();

    // The database list and the File menu.
    void ComboBox1Change();
    void ComboBox1KeyDown();
    void SBOpenClick();
    void CloseDatabase1Click();

    // Records: navigation, Add, Save, Cancel, Undo.
    void SBFirstClick();
    void SBPrevClick();
    void SBNextClick();
    void SBLastClick();
    void SBAddClick();
    void SBSaveClick();
    void SBCancelClick();
    void MMUndoClick();
    // The records changed state: Add, Insert, Delete and Empty Record, and while a record is
    // being added the navigation and the status count, follow it.
    void DataSource1StateChange(store::DataSetState state);
    // The top-level menus bring the Database page to the front.
    void MMRecordsClick();

    // Record edit boxes.
    void EditIDKeyUp();
    void EditIDEnter(QWidget *control);
    void EditIDChange(DBEdit *box);
    void EditIDMouseDown(DBEdit *box, Qt::MouseButton button);

    // Quick search.
    void FilterOnRadioGroupClick(int item);
    void FindBtnClick();
    void NextBtnClick();
    void PriorBtnClick();

    // Records menu: insertion, deletion, emptying, copy and paste of records.
    void SMInsertClick();
    void SMDeleteClick();
    void SMEmptyClick();
    void SMCopyClick();
    void SMPasteClick();

    // Field layout: captions, extra fields, inserting and deleting a field in all records.
    void LabelAdd1Click(DBEdit *box);
    void LabelIDKeyDown(DBEdit *box);
    void LabelIDExit(DBEdit *box);
    void BSaveLabelsClick();
    void BAddFieldsClick();
    void BDeleteFieldsClick();
    void InsertField1Click();
    void DeleteField1Click();

    // Creating, copying, renaming and deleting databases.
    void SBNewClick();
    // The new-database dialog (New and the start-up wizard); creates and opens the database.
    void ShowNewDatabaseDialog();
    void MMSaveAsRecordClick();
    void MMRenameClick();
    void MMDeleteClick();

    // Record printing (FDFinPrinting.cpp), comments, links and clipboard commands
    // (FDFinComments.cpp), database information (FDFinInfo.cpp), loan calculator.
    void MMPrintClick();
    void SBPrintClick();
    // FPrintDialog's OK: the current record or the whole database, one page per record.
    void printRecords(bool wholeDatabase, bool printNotes, bool printImage);
    void MMViewInfoClick();
    void MMMortgageLoanClick();
    void MemoCommentsDblClick();
    void Open1Click();
    void Open2Click();
    void BImportTextClick();
    void EditIDDblClick();
    void NetscapeIDClick();
    void InternetExplorerIDClick();
    void idcopyClick();
    void idcutClick();
    void idpasteClick();
    void idallClick();

    // Images: the picture of the current record.
    void BOpenClick();
    void Zoom1Click();
    void EditImageDblClick();
    void OpentoPaint1Click();
    void SBCopyImageClick();
    void SBPasteImageClick();
    void SBDeleteImageClick();
    void Image2Click();
    void EditImageMouseDown();

    // Attachments: the window FAtach (created with the main window) and its button.
    TFAtach *attachmentsWindow() const { return m_atach; }
    void MMAtachClick();
    void BViewAttachmentClick();
    // ---- Report page (FDFinReport.cpp) ----
    // The "&Report" menu: prepares the Report page unless it is already in front.
    void MReportClick();
    // A criteria check box of `position` was checked or unchecked.
    void cboxClick(int position, bool checked);
    void BSelectAllClick();
    void BUnSeletAllClick();
    void RBAscClick();
    void RBDesClick();
    void SSMAscendingClick();
    void SSMDescendingClick();
    void CBRepFormatChange();
    // The "&Format" menu: selects `format` (0..4) without running CBRepFormatChange.
    void SSMScreenPreviewClick(int format);
    // OK: runs the report in the chosen format.
    void BScreenPreviewClick();
    void MMGenOpenClick();
    void MMGenSaveClick();

    // ---- Page switching (FDFinPageSwitching.cpp) ----
    // The user leaves page `leaving` (still in front) / has arrived on the page in front.
    void PageControl1Changing(int leaving);
    void PageControl1Change();
    // Chart page (FDFinChart.cpp): shows the page and builds its chart from the current
    // database's records as they are stored.
    void MMChartClick();
    // Export, import, backup and restore (FDFinExchange.cpp).
    void MMExportClick();
    void MMImportClick();
    void MMBackupClick();
    void MMRestoreClick();

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
    void wireRecordEditing();
    QMenu *buildFieldPopup();

    // A control of the window by objectName (looked up once).
    QObject *named(const char *name);
    void setNamedEnabled(std::initializer_list<const char *> names, bool on);
    void navigate(NavMove move);
    void applyNavigationEnabling(const NavigationEnabling &enabling);
    NavigationEnabling navigationEnabling();
    // All of First, Previous, Next and Last on, unless a record is being added.
    void openNavigation();
    // After Save and Cancel: Add, New, Delete, Empty, Insert and navigation enabled.
    void enableRecordCommands();
    // Drops pending changes of the records and the labels.
    void discardChanges();
    // The date check of Add and Save; shows the refusal.
    bool checkDateText();
    bool recordsBound() const;
    bool labelsBound() const;
    // Binds the database chosen in the list and shows it on the Database page; false when
    // the tables could not be opened.
    bool bindSelectedDatabase();
    // Puts the selection back when a key left the list on "Select" without a choice.
    void keepDatabaseSelected();
    void applyLinkDecoration(DBEdit *box, int position);
    // The catalogue position of a record edit box (first match in catalogue order), or -1.
    int recordPositionOf(const QWidget *control) const;
    // The caption of a position from the labels table; `fallback` when it cannot be read.
    QString labelsCaption(int position, const QString &fallback) const;
    // Caption boxes at rest wear the colour of button faces.
    static void useButtonFaceColour(QWidget *box);
    enum class SearchMove { First, Next, Prior };
    void wireQuickSearch();
    void runSearch(SearchMove move);
    void wireRecordCommands();
    // Number (position) of the current record; 0 when there is none.
    int currentCount() const;
    // The record count after an insertion or deletion: remembered and in status panel 1.
    void showRecordsChanged(int recordCount);
    void wireFieldLayout();
    void useTooltipColour(QWidget *box);
    // Runs a move over all records with ProgressBar2 shown, then shows the extra fields as
    // Nradd says. On failure (nothing has changed) shows `failureText`, or the engine's
    // message when it is empty, and returns false.
    bool runFieldMove(const std::function<void()> &move, const QString &failureText);
    void wireDatabaseSet();
    // The comments lock: Secure / UnSecure and the lock presentations (FDFinLock.cpp).
    void wireLock();
    void BProtectClick();
    void BUnProtectClick();
    // Saved report configurations (FDFinConfigurations.cpp).
    void wireConfigurations();
    void refreshConfigurations();
    // Reads the current database's configuration names into cbbConfiguration (none
    // selected, enabled only with names); false when they could not be read.
    bool fillConfigurationList();
    void rgConfigClick(int item);
    void cbbConfigurationChange();
    void LoadConfiguration();
    void DeleteProject1Click();
    // The configuration step of a report run; false stops the run.
    bool saveConfigurationStep();
    store::ops::ReportConfiguration configurationOfPage();
    void wireReport();
    void wirePageSwitching();
    // Criteria and output boxes take the captions of the current database; those of extra
    // fields are shown as Nradd says.
    void applyReportCaptions(int nradd);
    void wireChart(); // Chart page
    // After a database became current: the lock presentations of both pages, then
    void wireExchange(); // export, import, backup and restore
    // After a database became current: the Database page's lock presentation, then
    // currentDatabaseChanged.
    void databaseBecameCurrent();
    void createNewDatabase(const QString &name);
    // Images and attachments.
    void wireImages();
    // Posts pending changes of the record through Save; false when Save refused.
    bool postBeforePictureCommand();
    // Zoom and double click: `missing` is the message when the record has no stored picture.
    void zoomPicture(const QString &missing);
    void wireAttachments();
    AttachmentRecord currentAttachmentRecord() const;
    // The unsaved-changes prompt when needed: Yes saves, No drops the changes. False when
    // the user cancels or the save is refused.
    bool settlePendingChanges();
    // Makes the data directory the working directory again ("Error!" when it cannot).
    void returnToDataDirectory();
    QStringList databaseListItems() const;
    // Reads the catalogue into ComboBox1 (sorted once m_databaseListSorted is set) and
    // selects `select`, or the first item when `select` is null.
    void reloadDatabaseList(const QString &select);
    // Drops pending changes and closes the records and the labels table.
    void closeDatabaseTables();
    // Renames or copies the current database's files with the tables closed: `change` runs
    // the store's operation (false when the new name is taken) and undoes its own work when
    // it fails. The list is then read again with `newName` selected when it succeeded, the
    // selected database opened, and a failure shown as `nameTaken` or the engine's message.
    void changeDatabaseFiles(const std::function<bool()> &change, const QString &newName,
                             const QString &nameTaken);
    // Printing, comments and links, information, loan calculator.
    void wireRecordPrinting();
    void wireComments();
    void wireDatabaseInfo();
    // The record edit box with the focus: fixed fields first, then the extra fields shown;
    // nullptr when none has it.
    DBEdit *focusedRecordBox() const;
    // Follows the link in the focused record box with the web program given.
    void followLink(const QString &webProgram);

    store::Table *m_table1;
    store::Table *m_table2;
    store::Table *m_table3;
    store::DataSource *m_dataSource1;
    store::DataSource *m_dataSource2;

    ControlTables m_controls;
    QWidget *m_client = nullptr;
    QTabWidget *m_pageControl = nullptr;
    DatabaseList *m_databaseList = nullptr;
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
    QMenu *m_popupIDN = nullptr;
    PageHooks m_pageHooks;
    QHash<QString, QPointer<QObject>> m_named;
    QHash<const DBEdit *, LinkKind> m_linkKinds; // decoration each box shows
    QList<QObject *> m_databaseControls; // enabled while a database is open
    store::ops::QuickSearch m_search;     // criteria kept between searches
    store::RecordClipboard m_recordClipboard;
    bool m_recordClipboardHasComments = true; // false when copied from locked comments
    EmptiedRecordAttachments *m_emptiedRecord = nullptr;
    TFAtach *m_atach = nullptr; // the attachments window, created once

    QString m_shortDatePattern;
    QCursor m_mailCursor;
    QCursor m_netCursor;
    int m_extraFieldCount = 0;
    int m_previousDatabaseIndex = -1;
    int m_standardCaptionWidth = 0;
    int m_currentFieldPosition = store::catalogue::kPosDate;
    int m_rememberedRecordCount = 0;
    // The records' state last seen; the navigation and record count from before a record
    // was added, which return when the added record is dropped.
    store::DataSetState m_recordsState = store::DataSetState::Inactive;
    NavigationEnabling m_navigationBeforeAdding;
    int m_recordCountBeforeAdding = 0;
    int m_rememberedSortIndex = 0;
    int m_listIndexBeforeKey = -1;
    bool m_databaseListSorted = false; // from the first rename, copy or deletion on
    bool m_busy = false;
    bool m_created = false;
    // Report page and page switching.
    bool m_stayOnDatabase = false; // the user cancelled leaving the Database page
    bool m_formatFromMenu = false; // the "&Format" menu is selecting the format
};

} // namespace tav
