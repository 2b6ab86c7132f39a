// Switching pages by their tabs: leaving a page settles the record being edited and gives the
// Report page the captions of the current database; arriving prepares the page. The program's
// own page changes (menus, database operations) do not run these handlers (PageControl).

#include "DBControls.h"
#include "FDFin.h"
#include "FieldCatalogue.h"
#include "MessageBoxes.h"
#include "PageControl.h"
#include "WaitCursor.h"

#include <QCheckBox>
#include <QComboBox>
#include <QPushButton>
#include <QRadioButton>

namespace tav
{

namespace cat = store::catalogue;

namespace
{
constexpr int kDatabasePage = 0;
constexpr int kReportPage = 1;
constexpr int kChartPage = 2;
} // namespace

void TFDFin::wirePageSwitching()
{
    auto *pages = static_cast<PageControl *>(m_pageControl);
    connect(pages, &PageControl::userChangedPage, this, [this](int from) {
        PageControl1Changing(from);
        PageControl1Change();
    });
}

void TFDFin::applyReportCaptions(int nradd)
{
    for (int pos = 0; pos <= cat::kLastFixed; ++pos) {
        const QString caption = labelsCaption(pos, QString());
        for (QCheckBox *box : {m_controls.criteriaChecks[pos], m_controls.outputChecks[pos]})
            if (box)
                box->setText(caption);
    }
    for (int pos = 0; pos < cat::kExtraFields; ++pos)
        for (QCheckBox *box : {m_controls.criteriaChecks[pos], m_controls.outputChecks[pos]})
            if (box)
                box->setVisible(pos < nradd);
}

void TFDFin::PageControl1Changing(int leaving)
{
    if (leaving == kReportPage || leaving == kChartPage) {
        WaitCursor wait;
        if (m_table1->isActive() && m_dataSource1->state() == store::DataSetState::Browse)
            m_table1->first();
        ShowImageIfAny();
        PresentDatabaseLock();
    }
    if (leaving == kDatabasePage || leaving == kChartPage) {
        if (HasUnsavedChanges()) {
            const int answer = UnsavedChangesPrompt();
            // Cancel, or a save that is refused: the edit stays pending and the Database
            // page comes back without moving the record (a move would post it).
            if (answer == MsgCancel || (answer == MsgYes && !SaveRecord())) {
                m_stayOnDatabase = true;
                return;
            }
            if (answer == MsgNo)
                discardChanges();
        }
        m_stayOnDatabase = false;
        WaitCursor wait;
        setNamedEnabled({"SBAdd", "SMNew"}, true);
        applyReportCaptions(readNradd());
        FillSortLists();
    }
    PresentReportLock();
    const int format = m_repFormat->currentIndex();
    setNamedEnabled({"RBOpen", "RBSave"}, format >= 1 && format <= 4);
}

void TFDFin::PageControl1Change()
{
    WaitCursor wait;
    if (m_stayOnDatabase) {
        m_pageControl->setCurrentIndex(kDatabasePage);
        PresentReportLock();
        return;
    }
    switch (m_pageControl->currentIndex()) {
    case kDatabasePage:
        m_pageControl->currentWidget()->setFocus();
        if (m_table1->isActive())
            SBFirstClick();
        setNamedEnabled({"SMNext", "SMLast", "SBNext", "SBLast"}, true);
        m_extraFieldCount = readNradd();
        ShowExtraFields(m_extraFieldCount);
        break;
    case kReportPage: {
        m_screenPreview->setText(QStringLiteral("OK"));
        for (int pos = cat::kPosDate; pos <= cat::kPosComments; ++pos)
            if (QCheckBox *box = m_controls.outputChecks[pos])
                box->setChecked(true);
        const int nradd = readNradd();
        for (int pos = 0; pos < cat::kExtraFields; ++pos) {
            for (QCheckBox *box : {m_controls.criteriaChecks[pos], m_controls.outputChecks[pos]})
                if (box)
                    box->setVisible(pos < nradd);
            if (QCheckBox *output = m_controls.outputChecks[pos])
                output->setChecked(false);
        }
        if (QCheckBox *comments = m_controls.outputChecks[cat::kPosComments])
            comments->setChecked(false);
        RefreshConfigurationList();
        break;
    }
    case kChartPage:
        BuildChart();
        break;
    default:
        break;
    }
    PresentReportLock();
}

} // namespace tav
