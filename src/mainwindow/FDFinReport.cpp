// The Report page: criteria rows, outputs, sort, format and action, and the report run in
// the five formats. The query and the file layouts live in src/reports; these handlers read
// the controls, call them and show the result.

#include "CriteriaDates.h"
#include "DriveRoot.h"
#include "FDFin.h"
#include "FieldCatalogue.h"
#include "FileDialogs.h"
#include "Launcher.h"
#include "MessageBoxes.h"
#include "ReportQuery.h"
#include "ReportRows.h"
#include "ScreenPreview.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QValidator>

namespace tav
{

namespace cat = store::catalogue;
using reports::QueryOutcome;

namespace
{
constexpr int kReportPage = 1;

const QString kCannotOpen = QStringLiteral(
    "Can NOT open the output file! \n\nIt's already in use by other application or\n you "
    "don't have enough disc space!");

// Shows and reads the text of a criteria box in lower case.
class LowerCase : public QValidator
{
public:
    using QValidator::QValidator;
    State validate(QString &input, int &) const override
    {
        input = input.toLower();
        return Acceptable;
    }
};

// Hands the key presses of a control that type text to `typed`, which swallows them.
class TypingFilter : public QObject
{
public:
    TypingFilter(QObject *parent, std::function<void()> typed)
        : QObject(parent), m_typed(std::move(typed))
    {
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::KeyPress) {
            const auto *key = static_cast<QKeyEvent *>(event);
            const QString text = key->text();
            if (!text.isEmpty() && text.at(0).isPrint() &&
                !(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
                m_typed();
                return true;
            }
        }
        return QObject::eventFilter(watched, event);
    }

private:
    std::function<void()> m_typed;
};

template <typename T> T *child(QObject *root, const QString &name)
{
    return root->findChild<T *>(name);
}
} // namespace

void TFDFin::wireReport()
{
    if (auto *menu = child<QMenu>(this, QStringLiteral("MReport")))
        connect(menu, &QMenu::aboutToShow, this, &TFDFin::MReportClick);

    // Toggled, not clicked: checking a box in code (a configuration being loaded) prepares
    // its row as a click does.
    for (int pos = 0; pos <= cat::kLastFixed; ++pos)
        if (auto *box = child<QCheckBox>(this, cat::criteriaCheckName(pos)))
            connect(box, &QCheckBox::toggled, this,
                    [this, pos](bool checked) { cboxClick(pos, checked); });

    auto onClick = [this](const char *button, void (TFDFin::*handler)()) {
        if (auto *b = child<QAbstractButton>(this, QString::fromLatin1(button)))
            connect(b, &QAbstractButton::clicked, this, handler);
    };
    auto onTrigger = [this](const char *item, auto handler) {
        if (auto *a = child<QAction>(this, QString::fromLatin1(item)))
            connect(a, &QAction::triggered, this, handler);
    };
    onClick("BSelectAll", &TFDFin::BSelectAllClick);
    onClick("BUnSeletAll", &TFDFin::BUnSeletAllClick);
    onTrigger("SSMSelectAll", [this] { BSelectAllClick(); });
    onTrigger("SSMUnSelectAll", [this] { BUnSeletAllClick(); });
    onClick("BScreenPreview", &TFDFin::BScreenPreviewClick);
    onTrigger("MMGenOpen", [this] { MMGenOpenClick(); });
    onTrigger("MMGenSave", [this] { MMGenSaveClick(); });
    onTrigger("SSMAscending", [this] { SSMAscendingClick(); });
    onTrigger("SSMDescending", [this] { SSMDescendingClick(); });
    const char *formats[] = {"SSMScreenPreview", "SSMNotePad", "SSMWordPad", "SSMExcel", "SSMHTML"};
    for (int i = 0; i < 5; ++i)
        onTrigger(formats[i], [this, i] { SSMScreenPreviewClick(i); });

    for (const char *name : {"RBAsc", "RBDes"}) {
        auto *radio = child<QRadioButton>(this, QString::fromLatin1(name));
        const bool ascending = name[2] == 'A';
        connect(radio, &QRadioButton::toggled, this, [this, ascending](bool on) {
            if (on)
                ascending ? RBAscClick() : RBDesClick();
        });
    }

    connect(m_comboBoxSort, &QComboBox::activated, this,
            [this](int index) { m_rememberedSortIndex = index; });
    m_comboBoxSort->installEventFilter(new TypingFilter(m_comboBoxSort, [this] {
        m_comboBoxSort->setCurrentIndex(-1); // shows "Select": no sort
        m_rememberedSortIndex = -1;
    }));
    connect(m_repFormat, &QComboBox::currentIndexChanged, this, [this] {
        if (!m_formatFromMenu)
            CBRepFormatChange();
    });
    m_repFormat->installEventFilter(
        new TypingFilter(m_repFormat, [this] { m_repFormat->setCurrentIndex(0); }));
}

void TFDFin::MReportClick()
{
    // Opening the menu while the page is shown keeps the outputs the user chose.
    if (m_pageControl->currentIndex() == kReportPage)
        return;
    if (!settlePendingChanges())
        return;
    const int nradd = readNradd();
    applyReportCaptions(nradd);
    for (int pos = 0; pos <= cat::kPosComments; ++pos)
        if (QCheckBox *output = m_controls.outputChecks[pos])
            output->setChecked(pos >= cat::kPosDate || pos < nradd);
    if (QCheckBox *comments = m_controls.outputChecks[cat::kPosComments])
        comments->setChecked(false);
    FillSortLists();
    m_pageControl->setCurrentIndex(kReportPage);
    PresentReportLock();
}

void TFDFin::cboxClick(int position, bool checked)
{
    QLineEdit *from = m_controls.criteriaEdits[position];
    if (!from)
        from = child<QLineEdit>(this, cat::criteriaEditName(position));
    if (!from)
        return;
    QLineEdit *to = nullptr;
    if (position == cat::kPosDate)
        to = child<QLineEdit>(this, QStringLiteral("Edit1a"));
    else if (position == cat::kPosCount)
        to = child<QLineEdit>(this, QStringLiteral("Edit2a"));

    if (!checked) {
        from->hide(); // the texts stay
        if (to)
            to->hide();
        return;
    }
    from->clear();
    from->show();
    if (position == cat::kPosDate && to) {
        to->setText(reports::defaultEndDateText(QDate::currentDate(), m_shortDatePattern));
        to->show();
        to->setFocus();
        return;
    }
    from->setFocus();
    if (to) {
        to->clear();
        to->show();
    }
}

void TFDFin::BSelectAllClick()
{
    const int nradd = readNradd();
    for (int pos = 0; pos <= cat::kLastFixed; ++pos)
        if (QCheckBox *output = m_controls.outputChecks[pos]; output && (pos >= cat::kPosDate || pos < nradd))
            output->setChecked(true);
}

void TFDFin::BUnSeletAllClick()
{
    const int nradd = readNradd();
    for (int pos = 0; pos <= cat::kLastFixed; ++pos)
        if (QCheckBox *output = m_controls.outputChecks[pos]; output && (pos >= cat::kPosDate || pos < nradd))
            output->setChecked(false);
    if (QCheckBox *comments = m_controls.outputChecks[cat::kPosComments])
        comments->setChecked(false);
}

void TFDFin::RBAscClick()
{
    child<QAction>(this, QStringLiteral("SSMAscending"))->setChecked(true);
    child<QAction>(this, QStringLiteral("SSMDescending"))->setChecked(false);
}

void TFDFin::RBDesClick()
{
    child<QAction>(this, QStringLiteral("SSMDescending"))->setChecked(true);
    child<QAction>(this, QStringLiteral("SSMAscending"))->setChecked(false);
}

void TFDFin::SSMAscendingClick()
{
    child<QRadioButton>(this, QStringLiteral("RBAsc"))->setChecked(true);
    RBAscClick();
}

void TFDFin::SSMDescendingClick()
{
    child<QRadioButton>(this, QStringLiteral("RBDes"))->setChecked(true);
    RBDesClick();
}

void TFDFin::CBRepFormatChange()
{
    const int format = m_repFormat->currentIndex();
    const bool file = format >= 1 && format <= 4;
    setNamedEnabled({"RBOpen", "RBSave"}, file);
    if (!file) {
        for (int pos : {cat::kPosDate, cat::kPosCount})
            if (QCheckBox *output = m_controls.outputChecks[pos])
                output->setChecked(true);
    }
    setNamedEnabled({"CheckBoxO1", "CheckBoxO2"}, true);
    if (format == 0)
        if (QCheckBox *comments = m_controls.outputChecks[cat::kPosComments])
            comments->setChecked(false); // the preview has no comments column
}

void TFDFin::SSMScreenPreviewClick(int format)
{
    m_formatFromMenu = true;
    m_repFormat->setCurrentIndex(format);
    m_formatFromMenu = false;
    setNamedEnabled({"RBOpen", "RBSave"}, format != 0);
    setNamedEnabled({"CheckBoxO1", "CheckBoxO2"}, true);
}

void TFDFin::MMGenOpenClick()
{
    child<QRadioButton>(this, QStringLiteral("RBOpen"))->setChecked(true);
    BScreenPreviewClick();
}

void TFDFin::MMGenSaveClick()
{
    child<QRadioButton>(this, QStringLiteral("RBSave"))->setChecked(true);
    BScreenPreviewClick();
}

void TFDFin::BScreenPreviewClick()
{
    m_screenPreview->setCursor(Qt::WaitCursor);
    // A saved configuration asks its questions before anything runs.
    if (!saveConfigurationBeforeReport()) {
        ShowReady();
        return;
    }
    ShowBusy();

    // Text criteria of the fixed fields are shown and read in lower case from now on.
    for (int pos = cat::kFirstFixed; pos <= cat::kLastFixed; ++pos) {
        QCheckBox *box = m_controls.criteriaChecks[pos];
        QLineEdit *edit = m_controls.criteriaEdits[pos];
        if (!box || !edit || !box->isChecked())
            continue;
        if (!edit->validator())
            edit->setValidator(new LowerCase(edit));
        edit->setText(edit->text().toLower());
    }

    const int format = m_repFormat->currentIndex();
    reports::ReportRequest request;
    request.nradd = readNradd();
    for (int pos = 0; pos <= cat::kPosComments; ++pos) {
        QCheckBox *output = m_controls.outputChecks[pos];
        request.output[pos] = output && output->isChecked();
        if (pos <= cat::kLastFixed) {
            QCheckBox *criteria = m_controls.criteriaChecks[pos];
            request.criteria[pos] = criteria && criteria->isChecked();
            if (QLineEdit *edit = m_controls.criteriaEdits[pos])
                request.criteriaText[pos] = edit->text();
        }
    }
    if (format == 0)
        request.output[cat::kPosComments] = false; // the preview never shows the comments
    request.dateTo = child<QLineEdit>(this, QStringLiteral("Edit1a"))->text();
    request.numberTo = child<QLineEdit>(this, QStringLiteral("Edit2a"))->text();
    const int sort = m_comboBoxSort->currentIndex();
    if (sort >= 0)
        request.sortField = child<QComboBox>(this, QStringLiteral("ComboBoxSort1"))->itemText(sort);
    request.descending = child<QRadioButton>(this, QStringLiteral("RBDes"))->isChecked();
    request.datePattern = m_shortDatePattern;
    request.commentsLocked = commentsLocked();

    const reports::ReportQuery query = reports::buildReportQuery(request);
    if (query.outcome == QueryOutcome::NoOutput) {
        ShowReady();
        MessageBoxes::showMessage(reports::kNoOutputMessage);
        return;
    }
    if (query.outcome == QueryOutcome::InvalidCriterion) {
        ShowReady();
        MessageBoxes::showMessage(query.message);
        return;
    }
    if (format < 0 || format > 4) {
        ShowReady();
        return;
    }

    std::unique_ptr<reports::ReportRows> rows;
    try {
        rows = std::make_unique<reports::ReportRows>(m_table1->directory(), m_table1->tableName(),
                                                     query);
        if (!rows->hasRecords()) {
            ShowReady();
            MessageBoxes::showMessage(QStringLiteral("No record found"));
            return;
        }
    } catch (const store::StoreError &e) {
        ShowReady();
        MessageBoxes::showMessage(e.message());
        return;
    }
    QStringList captions;
    for (int pos : query.positions)
        captions << labelsCaption(pos, QStringLiteral(" "));

    if (format == 0) {
        ShowReady();
        TFScreenPreview preview(this, std::move(rows), captions);
        preview.exec();
        return;
    }

    const reports::FormatFile file = reports::formatFile(format);
    const bool open = child<QRadioButton>(this, QStringLiteral("RBOpen"))->isChecked();
    QString path;
    if (open) {
        path = mapDrivePath(file.fixedFile);
    } else {
        FileDialogRequest save;
        save.kind = FileDialogKind::Save;
        save.owner = this;
        save.caption = QStringLiteral("Save As");
        save.filter = FileDialogs::filterFromPipes(reports::reportSaveFilter());
        save.filterIndex = file.filterIndex;
        const QString typed = FileDialogs::choose(save);
        if (typed.isEmpty()) {
            ShowReady();
            return;
        }
        path = reports::savedReportName(typed, format);
    }

    QFile out(path);
    if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        MessageBoxes::showMessage(kCannotOpen);
        ShowReady();
        return;
    }
    QString error;
    bool written = false;
    try {
        written = reports::writeReport(format, out, captions, *rows, &error, rows->commentsColumn());
    } catch (const store::StoreError &) {
        out.close();
        ShowReady();
        MessageBoxes::showMessage(QStringLiteral("Over RecordCount"));
        return;
    }
    out.close();
    ShowReady();
    // A report that could not be written completely is not opened.
    if (!written) {
        MessageBoxes::showMessage(QStringLiteral("Can NOT write the output file! \n\n") + error);
        return;
    }
    if (open)
        Launcher::launchProgram(file.program, path);
}

} // namespace tav
