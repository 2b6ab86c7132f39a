// Controls of the Report page, all inside ScrollBox2: criteria rows (ScrollBox5), output
// check boxes (ScrollBox4), sort, format, action, configuration and the OK button. The
// check boxes start with their field names as captions; the captions of the current
// database replace them when the page is prepared.

#include "DBControls.h"
#include "FDFin.h"
#include "FieldCatalogue.h"
#include "RadioGroup.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QVBoxLayout>

namespace tav
{

namespace cat = store::catalogue;

namespace
{
QLineEdit *criteriaEdit(QWidget *parent, const QString &name, const QString &hint)
{
    auto *edit = new QLineEdit(parent);
    edit->setObjectName(name);
    edit->setToolTip(hint);
    edit->hide(); // shown while its criteria box is checked
    return edit;
}

QLabel *stepLabel(QWidget *parent, const char *name, const QString &text, const QString &hint)
{
    auto *label = new QLabel(text, parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setToolTip(hint);
    label->setStyleSheet(QStringLiteral("color: #c00000; font-weight: bold;"));
    return label;
}

QScrollArea *scrollBox(QWidget *parent, const char *name, QWidget **contents)
{
    auto *scroll = new QScrollArea(parent);
    scroll->setObjectName(QString::fromLatin1(name));
    scroll->setWidgetResizable(true);
    *contents = new QWidget(scroll);
    scroll->setWidget(*contents);
    return scroll;
}

QString designCaption(int pos)
{
    if (pos == cat::kPosDate)
        return QStringLiteral("Created");
    if (pos == cat::kPosCount)
        return QStringLiteral("No.");
    return cat::recordField(pos);
}
} // namespace

void TFDFin::buildReportPage(QWidget *page)
{
    auto *pageBox = new QVBoxLayout(page);
    pageBox->setContentsMargins(0, 0, 0, 0);
    QWidget *contents = nullptr;
    QScrollArea *outer = scrollBox(page, "ScrollBox2", &contents);
    outer->setFrameShape(QFrame::NoFrame);
    pageBox->addWidget(outer);

    auto *columns = new QHBoxLayout(contents);
    columns->setContentsMargins(8, 8, 8, 8);
    columns->setSpacing(12);
    columns->addWidget(buildCriteriaArea(contents), 3);
    columns->addWidget(buildOutputArea(contents), 2);
    columns->addWidget(buildStepsArea(contents), 2);

    // Hidden storage of the report query builder.
    for (const char *name : {"ComboBox1R", "ComboBox2", "ComboBoxSort1"}) {
        auto *hidden = new QComboBox(contents);
        hidden->setObjectName(QString::fromLatin1(name));
        hidden->hide();
    }
    auto *cbox = new QCheckBox(contents);
    cbox->setObjectName(QStringLiteral("cbox"));
    cbox->hide();
}

QWidget *TFDFin::buildCriteriaArea(QWidget *parent)
{
    auto *group = new QGroupBox(QStringLiteral(" Report by - Step (1)"), parent);
    group->setObjectName(QStringLiteral("GroupBox2"));
    group->setToolTip(QStringLiteral("Select Report Condition"));
    auto *groupBox = new QVBoxLayout(group);
    QWidget *rows = nullptr;
    groupBox->addWidget(scrollBox(group, "ScrollBox5", &rows));

    auto *grid = new QGridLayout(rows);
    grid->setVerticalSpacing(2);
    grid->setColumnStretch(1, 1);
    int row = 0;
    for (int pos : cat::criteriaOrder()) {
        auto *check = new QCheckBox(designCaption(pos), rows);
        check->setObjectName(cat::criteriaCheckName(pos));
        grid->addWidget(check, row, 0);
        if (pos == cat::kPosDate || pos == cat::kPosCount) {
            const bool date = pos == cat::kPosDate;
            auto *range = new QHBoxLayout;
            range->addWidget(new QLabel(QStringLiteral("From"), rows));
            range->addWidget(criteriaEdit(rows, cat::criteriaEditName(pos),
                                          date ? QStringLiteral("Type the start date")
                                               : QStringLiteral("Type the start record number")));
            range->addWidget(new QLabel(QStringLiteral("To"), rows));
            range->addWidget(
                criteriaEdit(rows, date ? QStringLiteral("Edit1a") : QStringLiteral("Edit2a"),
                             date ? QStringLiteral("Type the end date, default is today")
                                  : QStringLiteral("Type the last record number")));
            grid->addLayout(range, row, 1);
        } else {
            grid->addWidget(criteriaEdit(rows, cat::criteriaEditName(pos),
                                         QStringLiteral("Click and enter ...")),
                            row, 1);
        }
        if (pos < cat::kExtraFields)
            check->hide();
        ++row;
    }
    grid->setRowStretch(row, 1);
    return group;
}

QWidget *TFDFin::buildOutputArea(QWidget *parent)
{
    auto *area = new QWidget(parent);
    auto *box = new QVBoxLayout(area);
    box->setContentsMargins(0, 0, 0, 0);
    box->addWidget(stepLabel(area, "LOutput", QStringLiteral("Select Output - Step (2)"),
                             QStringLiteral("Select Report Output")));
    QWidget *list = nullptr;
    box->addWidget(scrollBox(area, "ScrollBox4", &list), 1);
    auto *checks = new QVBoxLayout(list);
    checks->setSpacing(2);
    for (int pos : cat::outputOrder()) {
        auto *check = new QCheckBox(list);
        check->setObjectName(cat::outputCheckName(pos));
        if (pos == cat::kPosComments) {
            // A bare box with the comments caption beside it (or "LOCKED").
            auto *line = new QHBoxLayout;
            line->addWidget(check);
            auto *caption = new DBText(list);
            caption->setObjectName(QStringLiteral("DBTextO18"));
            caption->bind(m_dataSource2, cat::labelsField(cat::kPosComments));
            line->addWidget(caption, 1);
            auto *locked = new QLabel(QStringLiteral("LOCKED"), list);
            locked->setObjectName(QStringLiteral("LLocked"));
            locked->setToolTip(QStringLiteral("Memo field is locked!"));
            locked->hide();
            line->addWidget(locked);
            checks->addLayout(line);
            continue;
        }
        check->setText(designCaption(pos));
        if (pos < cat::kExtraFields)
            check->hide();
        checks->addWidget(check);
    }
    checks->addStretch(1);

    auto *buttons = new QHBoxLayout;
    auto *selectAll = new QPushButton(QStringLiteral("Select All"), area);
    selectAll->setObjectName(QStringLiteral("BSelectAll"));
    selectAll->setToolTip(QStringLiteral("Select all for output"));
    auto *unselectAll = new QPushButton(QStringLiteral("UnSelect All"), area);
    unselectAll->setObjectName(QStringLiteral("BUnSeletAll"));
    unselectAll->setToolTip(QStringLiteral("Unselect all"));
    buttons->addWidget(selectAll);
    buttons->addWidget(unselectAll);
    box->addLayout(buttons);
    return area;
}

QWidget *TFDFin::buildStepsArea(QWidget *parent)
{
    auto *area = new QWidget(parent);
    auto *box = new QVBoxLayout(area);
    box->setContentsMargins(0, 0, 0, 0);
    box->setSpacing(10);

    auto *configRow = new QHBoxLayout;
    configRow->addWidget(new QLabel(QStringLiteral("Configuration:"), area));
    auto *configurations = new QComboBox(area);
    configurations->setObjectName(QStringLiteral("cbbConfiguration"));
    configurations->setPlaceholderText(QStringLiteral("Select a Configuration"));
    configRow->addWidget(configurations, 1);
    box->addLayout(configRow);

    auto *sort = new QGroupBox(QStringLiteral(" Sort By - Step (3) "), area);
    sort->setObjectName(QStringLiteral("GroupBox4"));
    auto *sortBox = new QGridLayout(sort);
    auto *ascending = new QRadioButton(QStringLiteral("Ascending (A-Z)"), sort);
    ascending->setObjectName(QStringLiteral("RBAsc"));
    ascending->setChecked(true);
    auto *descending = new QRadioButton(QStringLiteral("Descending (Z-A)"), sort);
    descending->setObjectName(QStringLiteral("RBDes"));
    sortBox->addWidget(ascending, 0, 0, 1, 2);
    sortBox->addWidget(descending, 1, 0, 1, 2);
    sortBox->addWidget(new QLabel(QStringLiteral("Fields"), sort), 2, 0);
    m_comboBoxSort = new QComboBox(sort);
    m_comboBoxSort->setObjectName(QStringLiteral("ComboBoxSort"));
    m_comboBoxSort->setToolTip(QStringLiteral("Select a field to sort by"));
    m_comboBoxSort->setPlaceholderText(QStringLiteral("Select"));
    sortBox->addWidget(m_comboBoxSort, 2, 1);
    sortBox->setColumnStretch(1, 1);
    box->addWidget(sort);

    box->addWidget(stepLabel(area, "LFormat", QStringLiteral("Format - Step (4)"), {}));
    m_repFormat = new QComboBox(area);
    m_repFormat->setObjectName(QStringLiteral("CBRepFormat"));
    m_repFormat->setToolTip(QStringLiteral("Select Format"));
    m_repFormat->addItems({QStringLiteral("Screen Preview"), QStringLiteral("NotePad (Single)"),
                           QStringLiteral("WordPad (Rows/Cols)"), QStringLiteral("Excel"),
                           QStringLiteral("HTML")});
    box->addWidget(m_repFormat);

    auto *action = new QGroupBox(QStringLiteral("Action - Step (5) "), area);
    action->setObjectName(QStringLiteral("GBAction"));
    auto *actionBox = new QVBoxLayout(action);
    auto *open = new QRadioButton(QStringLiteral("Generate and Open"), action);
    open->setObjectName(QStringLiteral("RBOpen"));
    open->setChecked(true);
    auto *save = new QRadioButton(QStringLiteral("Generate and Save"), action);
    save->setObjectName(QStringLiteral("RBSave"));
    for (QRadioButton *b : {open, save}) {
        b->setEnabled(false); // only with a file format
        actionBox->addWidget(b);
    }
    box->addWidget(action);

    auto *config = new RadioGroup(QStringLiteral("rgConfig"), QStringLiteral(" Configuration "),
                                  {QStringLiteral("Do not save"), QStringLiteral("Save")}, area);
    config->setItemIndex(1);
    auto *name = new QLineEdit(config);
    name->setObjectName(QStringLiteral("edtConfig"));
    name->setToolTip(QStringLiteral("Type a new configuration name"));
    name->setMaxLength(100);
    config->layout()->addWidget(name);
    box->addWidget(config);

    m_screenPreview = new QPushButton(QStringLiteral("OK"), area);
    m_screenPreview->setObjectName(QStringLiteral("BScreenPreview"));
    m_screenPreview->setMinimumHeight(32);
    box->addWidget(m_screenPreview);
    box->addStretch(1);
    return area;
}

} // namespace tav
