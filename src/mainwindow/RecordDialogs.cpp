#include "RecordDialogs.h"

#include "DialogPlacement.h"
#include "MessageBoxes.h"
#include "RadioGroup.h"
#include "RecordInput.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace tav
{

namespace ops = store::ops;

namespace
{
QPushButton *button(QDialog *dialog, const char *name, const QString &caption)
{
    auto *b = new QPushButton(caption, dialog);
    b->setObjectName(QString::fromLatin1(name));
    return b;
}

QLineEdit *numberBox(QWidget *parent, const char *name, const QString &text)
{
    auto *box = new QLineEdit(text, parent);
    box->setObjectName(QString::fromLatin1(name));
    box->setFixedWidth(70);
    return box;
}

QHBoxLayout *buttonRow(QPushButton *ok, QPushButton *cancel)
{
    auto *row = new QHBoxLayout;
    row->addStretch(1);
    row->addWidget(ok);
    row->addWidget(cancel);
    return row;
}
} // namespace

void placeBesideNumberLabel(QWidget *dialog, const QWidget *mainWindow)
{
    if (!mainWindow)
        return;
    int left = 0;
    if (const auto *label = mainWindow->findChild<const QWidget *>(QStringLiteral("Label3")))
        left = label->mapTo(mainWindow, QPoint(0, 0)).x();
    const QRect frame = mainWindow->frameGeometry();
    dialog->move(frame.left() + left, frame.top() + mainWindow->width() / 4);
}

// ---- FIns ----------------------------------------------------------------------------------

TFIns::TFIns(QWidget *mainWindow) : QDialog(mainWindow)
{
    setUpFixedDialog(this, QStringLiteral("FIns"), QStringLiteral("Insert"));
    auto *label = new QLabel(QStringLiteral("No. of  records:"), this);
    m_from = numberBox(this, "efrom", QStringLiteral("1"));
    label->setBuddy(m_from);
    auto *ok = button(this, "Button1", QStringLiteral("OK"));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &TFIns::Button1Click);
    auto *cancel = button(this, "Button2", QStringLiteral("Cancel"));
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    auto *number = new QHBoxLayout;
    number->addWidget(label);
    number->addWidget(m_from);
    number->addStretch(1);
    auto *all = new QVBoxLayout(this);
    all->addLayout(number);
    all->addSpacing(8);
    all->addLayout(buttonRow(ok, cancel));
    setFixedSize(sizeHint());
    placeBesideNumberLabel(this, mainWindow);
    m_from->selectAll();
}

void TFIns::Button1Click()
{
    const ops::NumberInput input = ops::parseInsertCount(m_from->text());
    if (!input.ok) {
        MessageBoxes::information(input.message); // the dialog stays open
        m_from->selectAll();
        return;
    }
    m_count = input.value;
    accept();
}

// ---- FDelRec -------------------------------------------------------------------------------

TFDelRec::TFDelRec(int current, int recordCount, QWidget *mainWindow)
    : QDialog(mainWindow), m_current(current), m_recordCount(recordCount)
{
    setUpFixedDialog(this, QStringLiteral("FDelRec"), QStringLiteral("Delete"));
    m_select = new RadioGroup(QStringLiteral("RadioGroup1"), QStringLiteral("Select "),
                              {QStringLiteral("Current Record"), QStringLiteral("From:")}, this);
    m_select->setItemIndex(0);
    m_fromBox = numberBox(m_select, "efrom", QString::number(current));
    m_toBox = numberBox(m_select, "eto", QString::number(recordCount));
    m_fromBox->setEnabled(false);
    m_toBox->setEnabled(false);
    auto *to = new QLabel(QStringLiteral("To:"), m_select);

    // The range boxes stand in the row of the "From:" item.
    auto *items = static_cast<QVBoxLayout *>(m_select->layout());
    QRadioButton *fromItem = m_select->button(1);
    items->removeWidget(fromItem);
    auto *range = new QHBoxLayout;
    range->addWidget(fromItem);
    range->addWidget(m_fromBox);
    range->addWidget(to);
    range->addWidget(m_toBox);
    range->addStretch(1);
    items->addLayout(range);
    connect(m_select, &RadioGroup::itemClicked, this, &TFDelRec::RadioGroup1Click);

    auto *ok = button(this, "bOK", QStringLiteral("OK"));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &TFDelRec::bOKClick);
    auto *cancel = button(this, "bCancel", QStringLiteral("Cancel"));
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    auto *all = new QVBoxLayout(this);
    all->addWidget(m_select);
    all->addSpacing(8);
    all->addLayout(buttonRow(ok, cancel));
    setFixedSize(sizeHint());
    placeBesideNumberLabel(this, mainWindow);
}

void TFDelRec::RadioGroup1Click(int item)
{
    const bool range = item == 1;
    m_fromBox->setEnabled(range);
    m_toBox->setEnabled(range);
    if (range)
        m_fromBox->setFocus();
}

void TFDelRec::bOKClick()
{
    if (m_select->itemIndex() != 1) {
        m_from = m_to = m_current;
        accept();
        return;
    }
    const ops::RangeInput input =
        ops::parseDeleteRange(m_fromBox->text(), m_toBox->text(), m_recordCount);
    if (!input.ok) {
        MessageBoxes::information(input.message); // the dialog stays open
        return;
    }
    m_from = input.from;
    m_to = input.to;
    accept();
}

} // namespace tav
