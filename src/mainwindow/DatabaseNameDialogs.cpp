#include "DatabaseNameDialogs.h"

#include "DatabaseNames.h"
#include "DatabaseOps.h"
#include "DialogPlacement.h"
#include "FileNames.h"
#include "MessageBoxes.h"
#include "StoreError.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <QValidator>

namespace tav
{

namespace names = store::ops::names;

const QString kNameInUse = QStringLiteral("This name is in use by another database!");
const QString kRenameNameTaken = QStringLiteral("Can not rename to existing database!");
const QString kSaveAsNameTaken = QStringLiteral("A database with this name already exists!");

namespace
{
// Replaces the forbidden characters of whatever reaches the edit box, typed or pasted.
class NameFilter : public QValidator
{
public:
    NameFilter(QString (*filter)(const QString &), QObject *parent)
        : QValidator(parent), m_filter(filter)
    {
    }
    State validate(QString &input, int &) const override
    {
        input = m_filter(input);
        return Acceptable;
    }

private:
    QString (*m_filter)(const QString &);
};
} // namespace

DatabaseNameDialog::DatabaseNameDialog(QWidget *parent, const QString &objectName,
                                       const QString &caption, Filter filter,
                                       const QString &dataDir, const QStringList &existing)
    : QDialog(parent), m_dataDir(dataDir), m_existing(existing)
{
    setUpFixedDialog(this, objectName, caption);

    m_edit = new QLineEdit(this);
    m_edit->setObjectName(QStringLiteral("Edit1"));
    m_edit->setMaxLength(names::kMaxNameLength);
    m_edit->setValidator(new NameFilter(filter, m_edit));
    m_edit->setMinimumWidth(180);

    // OK is the default button: Enter acts as OK exactly while OK is enabled.
    m_ok = new QPushButton(QStringLiteral("OK"), this);
    m_ok->setObjectName(QStringLiteral("BOk"));
    m_ok->setDefault(true);
    m_ok->setEnabled(false);
    m_cancel = new QPushButton(QStringLiteral("Cancel"), this);
    m_cancel->setObjectName(QStringLiteral("BCancel"));
    m_cancel->setAutoDefault(false);

    connect(m_edit, &QLineEdit::textChanged, this,
            [this](const QString &text) { m_ok->setEnabled(!text.isEmpty()); });
    connect(m_ok, &QPushButton::clicked, this, &DatabaseNameDialog::BOkClick);
    connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);
}

QLayout *DatabaseNameDialog::buttonRow()
{
    auto *row = new QHBoxLayout;
    row->addStretch(1);
    row->addWidget(m_ok);
    row->addWidget(m_cancel);
    return row;
}

void DatabaseNameDialog::BOkClick()
{
    if (m_edit->text().isEmpty())
        return;
    const QString name = names::normalised(m_edit->text());
    m_edit->setText(name);
    if (refused(name)) {
        m_edit->setFocus();
        return;
    }
    m_name = name;
    accept();
}

bool DatabaseNameDialog::isTaken(const QString &name)
{
    if (names::isTaken(name, m_existing))
        return true;
    try {
        return store::ops::isNameTaken(m_dataDir, name);
    } catch (const store::StoreError &e) {
        MessageBoxes::showMessage(e.message());
        return true;
    }
}

bool DatabaseNameDialog::refusedAsTaken(const QString &name, const QString &text)
{
    if (!isTaken(name))
        return false;
    MessageBoxes::ask(this, text, QStringLiteral("Warning"), MsgIcon::None, MsgOk);
    m_edit->clear();
    return true;
}

TFNewDatabase1::TFNewDatabase1(QWidget *parent, const QString &dataDir)
    : DatabaseNameDialog(parent, QStringLiteral("FNewDatabase1"), QStringLiteral("New Database"),
                         &names::filterNewName, dataDir, {})
{
    m_edit->setToolTip(QStringLiteral("Enter a name for this database"));
    auto *form = new QFormLayout;
    form->addRow(QStringLiteral("Name:"), m_edit);
    auto *all = new QVBoxLayout(this);
    all->addLayout(form);
    all->addLayout(buttonRow());
    fixAndCentre(this);
}

bool TFNewDatabase1::refused(const QString &name)
{
    // MASTER is refused with a plain message and keeps the name typed.
    if (name == store::files::kMaster) {
        MessageBoxes::showMessage(kNameInUse);
        return true;
    }
    return refusedAsTaken(name, kNameInUse);
}

TFRenameDatabase1::TFRenameDatabase1(QWidget *parent, const QString &dataDir,
                                     const QString &oldName, const QStringList &databaseList)
    : DatabaseNameDialog(parent, QStringLiteral("FRenameDatabase1"),
                         QStringLiteral("Rename Database"), &names::filterRenameName, dataDir,
                         databaseList)
{
    m_ok->setText(QStringLiteral("Ok"));
    m_edit->setToolTip(QStringLiteral("Enter a new name"));
    auto *old = new QLineEdit(oldName, this);
    old->setObjectName(QStringLiteral("EOld"));
    old->setReadOnly(true);
    auto *form = new QFormLayout;
    form->addRow(QStringLiteral("Old Name "), old);
    form->addRow(QStringLiteral("New Name"), m_edit);
    auto *all = new QVBoxLayout(this);
    all->addLayout(form);
    all->addLayout(buttonRow());
    m_edit->setFocus();
    fixAndCentre(this);
}

bool TFRenameDatabase1::refused(const QString &name)
{
    return refusedAsTaken(name, kRenameNameTaken);
}

TFSaveAs::TFSaveAs(QWidget *parent, const QString &dataDir, const QStringList &databaseList)
    : DatabaseNameDialog(parent, QStringLiteral("FSaveAs"), QStringLiteral("Save As"),
                         &names::filterRenameName, dataDir, databaseList)
{
    auto *all = new QVBoxLayout(this);
    all->addWidget(new QLabel(QStringLiteral("Enter name for new database"), this));
    all->addWidget(m_edit);
    all->addLayout(buttonRow());
    fixAndCentre(this);
}

bool TFSaveAs::refused(const QString &name)
{
    return refusedAsTaken(name, kSaveAsNameTaken);
}

} // namespace tav
