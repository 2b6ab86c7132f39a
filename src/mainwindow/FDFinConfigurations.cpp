// Saved report configurations on the Report page: the list of the current database's
// configurations, loading one into the page, saving the page before a report run and
// deleting a configuration.

#include "FDFin.h"
#include "FieldCatalogue.h"
#include "MessageBoxes.h"
#include "RadioGroup.h"
#include "ReportConfigurations.h"
#include "StoreError.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QRadioButton>

namespace tav
{

namespace cat = store::catalogue;
namespace codes = store::ops::configcodes;
using store::ops::ConfigurationSaveError;
using store::ops::ReportConfiguration;
using store::ops::ReportConfigurations;

namespace
{
// The criteria edit boxes hold what a criteria text field of the tables holds.
constexpr int kCriteriaLength = 100;
constexpr int kSaveItem = 1;

template <typename T> T *child(QObject *window, const char *name)
{
    return window->findChild<T *>(QString::fromLatin1(name));
}

// The date and number ranges keep both bounds in one text, joined by "_".
const char *rangeEndEdit(int position)
{
    return position == cat::kPosDate ? "Edit1a" : "Edit2a";
}
} // namespace

void TFDFin::wireConfigurations()
{
    auto *list = child<QComboBox>(this, "cbbConfiguration");
    list->setPlaceholderText(QStringLiteral("Select a configuration"));
    connect(list, &QComboBox::activated, this, &TFDFin::cbbConfigurationChange);
    auto *popup = new QMenu(list);
    popup->setObjectName(QStringLiteral("PopupMenu4"));
    auto *remove = popup->addAction(QStringLiteral("Delete current configuration"));
    remove->setObjectName(QStringLiteral("DeleteProject1"));
    connect(remove, &QAction::triggered, this, &TFDFin::DeleteProject1Click);
    list->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(list, &QWidget::customContextMenuRequested, popup,
            [list, popup](const QPoint &at) { popup->popup(list->mapToGlobal(at)); });

    connect(child<RadioGroup>(this, "rgConfig"), &RadioGroup::itemClicked, this, &TFDFin::rgConfigClick);
    for (QLineEdit *edit : m_controls.criteriaEdits)
        if (edit)
            edit->setMaxLength(kCriteriaLength);
    for (const char *name : {"Edit1a", "Edit2a"})
        child<QLineEdit>(this, name)->setMaxLength(kCriteriaLength);

    m_pageHooks.refreshConfigurationList = [this] { refreshConfigurations(); };
    m_pageHooks.saveConfigurationBeforeReport = [this] { return saveConfigurationStep(); };
}

bool TFDFin::fillConfigurationList()
{
    auto *list = child<QComboBox>(this, "cbbConfiguration");
    list->clear();
    list->setCurrentIndex(-1);
    bool read = true;
    try {
        list->addItems(ReportConfigurations(dataDirectory()).names(currentDatabase()));
    } catch (const store::StoreError &) {
        read = false;
    }
    list->setEnabled(list->count() > 0);
    return read;
}

void TFDFin::refreshConfigurations()
{
    const bool read = fillConfigurationList();
    auto *list = child<QComboBox>(this, "cbbConfiguration");
    // A list emptied by deleting its last name comes back once it has names again.
    if (list->count() > 0)
        list->show();
    child<RadioGroup>(this, "rgConfig")->setItemIndex(kSaveItem);
    child<QLineEdit>(this, "edtConfig")->show();
    if (!read)
        MessageBoxes::showMessage(QStringLiteral("Error 2006"));
}

void TFDFin::rgConfigClick(int item)
{
    auto *name = child<QLineEdit>(this, "edtConfig");
    name->setVisible(item == kSaveItem);
    if (item == kSaveItem) {
        name->clear();
        name->setFocus();
    }
}

void TFDFin::cbbConfigurationChange()
{
    LoadConfiguration();
}

ReportConfiguration TFDFin::configurationOfPage()
{
    ReportConfiguration c;
    c.dataName = currentDatabase();
    c.configName = child<QLineEdit>(this, "edtConfig")->text();
    c.sort = child<QRadioButton>(this, "RBAsc")->isChecked() ? 0 : 1;
    c.byField = m_comboBoxSort->currentIndex();
    c.format = m_repFormat->currentIndex();
    c.action = child<QRadioButton>(this, "RBOpen")->isChecked() ? 0 : 1;

    auto takeCriteria = [&](int pos) {
        QCheckBox *check = m_controls.criteriaChecks[pos];
        if (!check || !check->isChecked())
            return;
        c.input = codes::append(c.input, codes::criteriaCode(pos));
        QString text = m_controls.criteriaEdits[pos] ? m_controls.criteriaEdits[pos]->text() : QString();
        if (pos == cat::kPosDate || pos == cat::kPosCount)
            text += QLatin1Char('_') + child<QLineEdit>(this, rangeEndEdit(pos))->text();
        c.criteria << text;
    };
    for (int pos = cat::kPosDate; pos <= cat::kPosComments; ++pos) {
        QCheckBox *output = m_controls.outputChecks[pos];
        if (output && output->isChecked() && !(pos == cat::kPosComments && commentsLocked()))
            c.output = codes::append(c.output, codes::outputCode(pos));
    }
    for (int pos = cat::kPosDate; pos <= cat::kLastFixed; ++pos)
        takeCriteria(pos);
    for (int pos = 0, n = readNradd(); pos < n; ++pos) {
        QCheckBox *output = m_controls.outputChecks[pos];
        if (output && output->isChecked())
            c.output = codes::append(c.output, codes::outputCode(pos));
        takeCriteria(pos);
    }
    return c;
}

bool TFDFin::saveConfigurationStep()
{
    if (child<RadioGroup>(this, "rgConfig")->itemIndex() != kSaveItem)
        return true;
    auto *name = child<QLineEdit>(this, "edtConfig");
    auto backToName = [this, name] {
        activateWindow();
        raise();
        name->setFocus();
        ShowReady();
        return false;
    };
    if (name->text().isEmpty()) {
        MessageBoxes::showMessage(
            QStringLiteral("You have not enter a report configuration name.\nGo back and enter a "
                           "report configuration or do not save the report confuguration!"));
        return backToName();
    }
    ReportConfigurations configurations(dataDirectory());
    bool replace = false;
    try {
        replace = configurations.exists(name->text());
    } catch (const store::StoreError &e) {
        MessageBoxes::showMessage(e.message());
        return backToName();
    }
    if (replace &&
        MessageBoxes::ask(this,
                          QStringLiteral("You have choose a configuration wich already exist.\nDo "
                                         "you want to overwrite it ?"),
                          QStringLiteral("Warning"), MsgIcon::Warning, MsgYes | MsgNo) != MsgYes)
        return backToName();
    try {
        configurations.save(configurationOfPage(), replace);
    } catch (const ConfigurationSaveError &e) {
        // Nothing was saved; the report itself still runs.
        switch (e.step) {
        case ConfigurationSaveError::DeleteMaster:
            MessageBoxes::showMessage(QStringLiteral("Error 3001"));
            break;
        case ConfigurationSaveError::DeleteDetails:
            MessageBoxes::showMessage(QStringLiteral("Error 3002"));
            break;
        case ConfigurationSaveError::Write:
            MessageBoxes::showMessage(e.message);
            break;
        }
    }
    return true;
}

void TFDFin::LoadConfiguration()
{
    auto *list = child<QComboBox>(this, "cbbConfiguration");
    if (list->currentIndex() < 0)
        return;
    std::optional<ReportConfiguration> loaded;
    try {
        loaded = ReportConfigurations(dataDirectory()).load(currentDatabase(), list->currentText());
    } catch (const store::StoreError &) {
        return; // nothing of the page has changed
    }
    if (!loaded)
        return;
    const ReportConfiguration &c = *loaded;

    (c.sort != 0 ? child<QRadioButton>(this, "RBDes") : child<QRadioButton>(this, "RBAsc"))->setChecked(true);
    m_comboBoxSort->setCurrentIndex(c.byField);
    {
        // The format is restored without what choosing it does to the action buttons.
        const QSignalBlocker quiet(m_repFormat);
        m_repFormat->setCurrentIndex(c.format);
    }
    (c.action != 0 ? child<QRadioButton>(this, "RBSave") : child<QRadioButton>(this, "RBOpen"))->setChecked(true);

    for (int pos = cat::kPosDate; pos <= cat::kPosComments; ++pos)
        if (QCheckBox *output = m_controls.outputChecks[pos])
            output->setChecked(codes::contains(c.output, codes::outputCode(pos)) &&
                               !(pos == cat::kPosComments && commentsLocked()));

    int nextCriteria = 0;
    auto restoreCriteria = [&](int pos, const QString &error) {
        QCheckBox *check = m_controls.criteriaChecks[pos];
        if (!check)
            return;
        if (!codes::contains(c.input, codes::criteriaCode(pos))) {
            check->setChecked(false);
            return;
        }
        check->setChecked(true);
        if (nextCriteria >= c.criteria.size()) {
            MessageBoxes::showMessage(error);
            return;
        }
        const QString text = c.criteria.at(nextCriteria++);
        QLineEdit *edit = m_controls.criteriaEdits[pos];
        if (pos == cat::kPosDate || pos == cat::kPosCount) {
            const int split = text.indexOf(QLatin1Char('_'));
            edit->setText(split < 0 ? text : text.left(split));
            child<QLineEdit>(this, rangeEndEdit(pos))->setText(split < 0 ? QString() : text.mid(split + 1));
        } else if (edit) {
            edit->setText(text);
        }
    };
    for (int pos = cat::kPosDate; pos <= cat::kLastFixed; ++pos)
        restoreCriteria(pos, QStringLiteral("Error 2010"));
    // Extra fields beyond those the database shows are left as they are.
    for (int pos = 0, n = readNradd(); pos < n; ++pos) {
        for (QCheckBox *box : {m_controls.criteriaChecks[pos], m_controls.outputChecks[pos]})
            if (box)
                box->show();
        if (QCheckBox *output = m_controls.outputChecks[pos])
            output->setChecked(codes::contains(c.output, codes::outputCode(pos)));
        restoreCriteria(pos, QStringLiteral("Error 2011"));
    }

    child<RadioGroup>(this, "rgConfig")->setItemIndex(kSaveItem);
    auto *name = child<QLineEdit>(this, "edtConfig");
    name->show();
    name->setText(list->currentText());
}

void TFDFin::DeleteProject1Click()
{
    auto *list = child<QComboBox>(this, "cbbConfiguration");
    if (list->currentIndex() < 0)
        return; // the list shows no existing name
    try {
        if (!ReportConfigurations(dataDirectory()).remove(list->currentText()))
            return;
    } catch (const store::StoreError &e) {
        MessageBoxes::showMessage(e.message());
        return;
    }
    if (!fillConfigurationList())
        MessageBoxes::showMessage(QStringLiteral("Error 2006"));
    list->setVisible(list->count() > 0);
}

} // namespace tav
