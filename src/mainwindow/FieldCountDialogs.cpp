#include "FieldCountDialogs.h"

#include "DialogPlacement.h"
#include "FieldLayout.h"
#include "MessageBoxes.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace tav
{

namespace ops = store::ops;

FieldCountDialog::FieldCountDialog(QWidget *parent, const QString &objectName,
                                   const QString &caption, const QString &maxLabelName, int max,
                                   Rule canApply, int nradd)
    : QDialog(parent)
{
    setUpFixedDialog(this, objectName, caption);

    m_edit = new QLineEdit(this);
    m_edit->setObjectName(QStringLiteral("Edit1"));
    m_edit->setMaxLength(2);
    m_edit->setFixedWidth(48);
    auto *maxLabel = new QLabel(QStringLiteral("Max ") + QString::number(max), this);
    maxLabel->setObjectName(maxLabelName);

    // OK is the default button: Enter acts as OK exactly while OK is enabled.
    m_ok = new QPushButton(QStringLiteral("OK"), this);
    m_ok->setObjectName(QStringLiteral("BOk"));
    m_ok->setDefault(true);
    m_ok->setEnabled(false);
    auto *cancel = new QPushButton(QStringLiteral("Cancel"), this);
    cancel->setObjectName(QStringLiteral("BCancel"));
    cancel->setAutoDefault(false);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_edit, &QLineEdit::textChanged, this, [this, canApply, nradd](const QString &text) {
        m_ok->setEnabled(canApply(text, nradd));
    });

    auto *question = new QHBoxLayout;
    question->addWidget(new QLabel(QStringLiteral("How many fields ?"), this));
    question->addWidget(m_edit);
    question->addWidget(maxLabel);
    question->addStretch(1);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_ok);
    buttons->addWidget(cancel);
    auto *all = new QVBoxLayout(this);
    all->addLayout(question);
    all->addLayout(buttons);
    fixAndCentre(this);
}

int FieldCountDialog::count() const
{
    return ops::parseFieldCount(m_edit->text());
}

TFAddFields::TFAddFields(QWidget *parent, int nradd)
    : FieldCountDialog(parent, QStringLiteral("FAddFields"), QStringLiteral("Add Fields"),
                       QStringLiteral("Label3"), ops::maxFieldsToAdd(nradd), &ops::canAddFields,
                       nradd)
{
    connect(m_ok, &QPushButton::clicked, this, &QDialog::accept);
}

TFDeleteFields::TFDeleteFields(QWidget *parent, int nradd)
    : FieldCountDialog(parent, QStringLiteral("FDeleteFields"), QStringLiteral("Delete Fields"),
                       QStringLiteral("Label2"), ops::maxFieldsToRemove(nradd),
                       &ops::canRemoveFields, nradd)
{
    connect(m_ok, &QPushButton::clicked, this, &TFDeleteFields::BOkClick);
}

void TFDeleteFields::BOkClick()
{
    const int answer = MessageBoxes::ask(
        this, QStringLiteral("The data contained in these fields will be deleted. Continue?"),
        QStringLiteral("Warning"), MsgIcon::Warning, MsgYes | MsgNo | MsgCancel);
    if (answer == MsgYes)
        accept();
    else
        m_edit->setFocus();
}

} // namespace tav
