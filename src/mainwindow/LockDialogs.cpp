#include "LockDialogs.h"

#include "DialogPlacement.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace tav
{

namespace
{
// The labels field keeps 100 characters; a longer password could never be typed back.
constexpr int kPasswordLength = 100;
} // namespace

PasswordDialog::PasswordDialog(QWidget *parent, const QString &objectName, const QString &caption,
                               const QString &prompt)
    : QDialog(parent)
{
    setUpFixedDialog(this, objectName, caption);
    auto *label = new QLabel(prompt, this);
    m_password = new QLineEdit(this);
    m_password->setObjectName(QStringLiteral("Password"));
    m_password->setEchoMode(QLineEdit::Password);
    m_password->setMaxLength(kPasswordLength);
    m_password->setMinimumWidth(label->sizeHint().width());
    label->setBuddy(m_password);

    auto *ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("OKBtn"));
    ok->setDefault(true);
    auto *cancel = new QPushButton(QStringLiteral("Cancel"), this);
    cancel->setObjectName(QStringLiteral("CancelBtn"));
    cancel->setAutoDefault(false);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    auto *all = new QVBoxLayout(this);
    all->addWidget(label);
    all->addWidget(m_password);
    all->addSpacing(6);
    all->addLayout(buttons);
    fixAndCentre(this);
}

QString PasswordDialog::password() const
{
    return m_password->text();
}

TFPassProtect::TFPassProtect(QWidget *parent)
    : PasswordDialog(parent, QStringLiteral("FPassProtect"), QStringLiteral("Lock"),
                     QStringLiteral("Enter a password to secure the box:"))
{
    m_password->setToolTip(QStringLiteral("Put your password"));
}

TFPassUnProtect::TFPassUnProtect(QWidget *parent)
    : PasswordDialog(parent, QStringLiteral("FPassUnProtect"), QStringLiteral("Unlock "),
                     QStringLiteral("Enter your password to unlock the box:"))
{
}

} // namespace tav
