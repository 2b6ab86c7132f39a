// The current database: switching it in the database list ComboBox1, the Open entry points
// and Close Database, and what the Report page takes from the database's captions.

#include "DBControls.h"
#include "DatabaseList.h"
#include "FDFin.h"
#include "FieldCatalogue.h"
#include "FileNames.h"
#include "MessageBoxes.h"
#include "OpenDatabase.h"
#include "PendingFeatures.h"
#include "WaitCursor.h"

#include <QAbstractItemView>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>

namespace tav
{

namespace cat = store::catalogue;
namespace files = store::files;
using store::DataSetState;
using store::StoreError;

namespace
{
constexpr int kChartPage = 2;
// Labels tables with fewer fields have no Nradd: their extra fields cannot be changed.
constexpr int kFullLabelsFields = 31;
} // namespace

void TFDFin::ComboBox1Change()
{
    if (m_databaseList->currentText().isEmpty()) {
        m_pageControl->hide();
        return;
    }
    // The database already open, chosen again: nothing to switch, nothing to ask.
    if (m_table1->isActive() &&
        m_table1->tableName() == files::recordsTable(m_databaseList->currentText()))
        return;
    m_rememberedSortIndex = -1;
    EnableDatabaseControls(true);

    // Pending changes are settled before the tables are bound again, whichever page is in
    // front: binding closes the tables and would drop them.
    const int answer = HasUnsavedChanges() ? UnsavedChangesPrompt() : int(MsgNo);
    const bool keepOpenDatabase = answer == MsgCancel || (answer == MsgYes && !SaveRecord());
    if (answer == MsgNo) {
        discardChanges();
        setNamedEnabled({"SBAdd", "SMNew"}, true);
    }

    const int page = m_pageControl->currentIndex();
    bool bound = true;
    {
        WaitCursor wait;
        if (keepOpenDatabase)
            m_databaseList->setCurrentIndex(m_previousDatabaseIndex);
        else
            bound = bindSelectedDatabase();
        SetReportCaptions();
        if (page != kChartPage)
            FillSortLists();
        // A record being added keeps its navigation disabled: a move would drop it.
        if (m_dataSource1->state() != DataSetState::Insert)
            applyNavigationEnabling(NavigationEnabling());
    }
    if (page == kChartPage) {
        if (bound)
            BuildChart();
        else
            MessageBoxes::showMessage(QStringLiteral("Error when changing databases!!!"));
    }
    PresentReportLock();
    RefreshConfigurationList();
}

bool TFDFin::bindSelectedDatabase()
{
    if (auto *saveLabels = qobject_cast<QWidget *>(named("BSaveLabels")))
        saveLabels->hide();
    bool bound = true;
    try {
        BindDatabase(m_databaseList->currentText());
    } catch (const StoreError &) {
        bound = false; // the page shows no record
    }
    ShowFieldButtons();
    m_extraFieldCount = readNradd();
    ShowExtraFields(m_extraFieldCount);
    ShowImageIfAny();
    m_filterCriteria->clear();
    m_rememberedRecordCount = m_table1->isActive() ? m_table1->recordCount() : 0;
    WriteStatusBar();
    m_previousDatabaseIndex = m_databaseList->currentIndex();
    openNavigation();
    if (bound)
        databaseBecameCurrent();
    return bound;
}

void TFDFin::openNavigation()
{
    // A database opens on its first record, wherever the last one stood: every move applies.
    if (m_dataSource1->state() == DataSetState::Browse)
        applyNavigationEnabling(NavigationEnabling());
}

void TFDFin::ComboBox1KeyDown()
{
    // Every key starts from "Select", so even the database already chosen can be chosen
    // again; the selection comes back when the key chooses nothing.
    if (m_databaseList->currentIndex() >= 0)
        m_listIndexBeforeKey = m_databaseList->currentIndex();
    m_databaseList->setCurrentIndex(-1);
}

void TFDFin::keepDatabaseSelected()
{
    if (m_databaseList->currentIndex() < 0 && !m_databaseList->view()->isVisible())
        m_databaseList->setCurrentIndex(m_listIndexBeforeKey);
}

void TFDFin::ShowFieldButtons()
{
    const bool full = m_table2->isActive() && m_table2->fieldCount() >= kFullLabelsFields;
    for (const char *name : {"BAddFields", "BDeleteFields"})
        if (auto *button = qobject_cast<QWidget *>(named(name)))
            button->setVisible(full);
}

void TFDFin::SBOpenClick()
{
    const int answer = HasUnsavedChanges() ? UnsavedChangesPrompt() : int(MsgNo);
    bool goOn = answer != MsgCancel;
    if (answer == MsgYes)
        goOn = SaveRecord();
    else if (answer == MsgNo)
        discardChanges();
    if (goOn) {
        ShowOpenDatabaseDialog();
        ShowExtraFields(m_extraFieldCount);
        m_rememberedSortIndex = -1;
    }
    if (m_table1->isActive())
        m_rememberedRecordCount = m_table1->recordCount();
}

void TFDFin::ShowOpenDatabaseDialog()
{
    TFOpen dialog(this);
    dialog.exec();
}

void TFDFin::OpenDatabase(const QString &name)
{
    EnableDatabaseControls(true);
    bool opened = true;
    if (name != files::kMaster) {
        // The renumbering of record insertion and deletion starts from this copy.
        const QDir dir(dataDirectory());
        const QString work = dir.filePath(files::kRenumberWorkMemo);
        QFile::remove(work);
        opened = QFile::copy(dir.filePath(files::memoFile(name)), work);
    }
    try {
        BindDatabase(name);
    } catch (const StoreError &) {
        opened = false;
    }
    const int index = m_databaseList->findText(name);
    m_databaseList->setCurrentIndex(index);
    if (index >= 0)
        m_previousDatabaseIndex = index;
    else
        opened = false;
    if (!opened)
        MessageBoxes::showMessage(QStringLiteral("Error when trying to open a database"));

    ShowImageIfAny();
    m_filterCriteria->clear();
    WriteStatusBar();
    ShowFieldButtons();
    m_extraFieldCount = readNradd();
    if (!ShowExtraFields(m_extraFieldCount))
        MessageBoxes::showMessage(QStringLiteral("Error 1003"));
    m_rememberedRecordCount = m_table1->isActive() ? m_table1->recordCount() : 0;
    openNavigation();
    if (opened)
        databaseBecameCurrent();
    RefreshConfigurationList();
}

void TFDFin::CloseDatabase1Click()
{
    if (HasUnsavedChanges()) {
        const int answer = UnsavedChangesPrompt();
        if (answer == MsgCancel || (answer == MsgYes && !SaveRecord()))
            return;
        discardChanges(); // after No; nothing is left after a save
    }
    m_table1->close();
    m_table2->close();
    setStatusPanelText(0, QString());
    setStatusPanelText(1, QString());
    m_databaseList->setCurrentIndex(-1); // shows "Select"
    m_listIndexBeforeKey = -1;
    EnableDatabaseControls(false);
}

QString TFDFin::labelsCaption(int position, const QString &fallback) const
{
    const QString field = cat::labelsField(position);
    if (!m_table2->isActive() || !m_table2->hasField(field))
        return fallback;
    try {
        return m_table2->asString(field);
    } catch (const StoreError &) {
        return fallback;
    }
}

void TFDFin::SetReportCaptions()
{
    for (int pos = 0; pos <= cat::kLastFixed; ++pos) {
        const QString caption = labelsCaption(pos, QString());
        if (QCheckBox *criteria = m_controls.criteriaChecks[pos]) {
            criteria->setText(caption);
            criteria->setChecked(false);
        }
        if (QCheckBox *output = m_controls.outputChecks[pos]) {
            output->setText(caption);
            output->setChecked(true);
        }
    }
    if (QCheckBox *comments = m_controls.outputChecks[cat::kPosComments])
        comments->setChecked(false);
    const int nradd = readNradd();
    for (int pos = 0; pos < cat::kExtraFields; ++pos) {
        for (QCheckBox *box : {m_controls.criteriaChecks[pos], m_controls.outputChecks[pos]})
            if (box)
                box->setVisible(pos < nradd);
    }
}

void TFDFin::FillSortLists()
{
    auto *names = findChild<QComboBox *>(QStringLiteral("ComboBoxSort1"));
    m_comboBoxSort->clear();
    names->clear();
    QVector<int> positions;
    for (int pos = cat::kFirstFixed; pos <= cat::kLastFixed; ++pos)
        positions << pos;
    for (int pos = 0, n = readNradd(); pos < n; ++pos)
        positions << pos;
    for (int pos : positions) {
        m_comboBoxSort->addItem(labelsCaption(pos, QStringLiteral(" ")));
        names->addItem(cat::recordField(pos));
    }
    m_comboBoxSort->setCurrentIndex(m_rememberedSortIndex);
    names->setCurrentIndex(m_rememberedSortIndex);
}

QObject *TFDFin::named(const char *name)
{
    const QString key = QString::fromLatin1(name);
    QPointer<QObject> &slot = m_named[key];
    if (!slot)
        slot = findChild<QObject *>(key);
    return slot;
}

void TFDFin::setNamedEnabled(std::initializer_list<const char *> names, bool on)
{
    for (const char *name : names)
        setEnabledUnlessPending(named(name), on);
}

} // namespace tav
