#pragma once
// The dialogs that lock and unlock the comments of a database: one password box each.

#include <QDialog>

class QLineEdit;

namespace tav
{

class PasswordDialog : public QDialog
{
    Q_OBJECT
public:
    QString password() const;

protected:
    PasswordDialog(QWidget *parent, const QString &objectName, const QString &caption,
                   const QString &prompt);
    QLineEdit *m_password;
};

// "Lock": the password that will lock the comments.
class TFPassProtect : public PasswordDialog
{
    Q_OBJECT
public:
    explicit TFPassProtect(QWidget *parent);
};

// "Unlock ": the password that unlocks them.
class TFPassUnProtect : public PasswordDialog
{
    Q_OBJECT
public:
    explicit TFPassUnProtect(QWidget *parent);
};

} // namespace tav
