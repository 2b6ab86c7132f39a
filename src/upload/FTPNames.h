#pragma once
// The connect dialog: host and user chosen from the site history or typed, and the
// password. Connect (or Enter) accepts; Escape or the close box cancels.

#include <QDialog>
#include <QStringList>

class QComboBox;
class QLineEdit;
class QPushButton;

namespace tav::upload
{

class TFTPNames : public QDialog
{
    Q_OBJECT
public:
    explicit TFTPNames(const QString &historyPath, QWidget *parent = nullptr);

    // What the dialog was closed with.
    QString hostName() const { return m_hostName; }
    QString userName() const { return m_userName; }
    QString password() const { return m_password; }

    // The remembered pairs: entry i of both lists is one host and its user.
    const QStringList &lsite() const { return m_lsite; }
    const QStringList &luser() const { return m_luser; }

    void edtHostNameChange();
    void btnConnectClick();

protected:
    void showEvent(QShowEvent *event) override;

private:
    void FormActivate();

    QString m_historyPath;
    QComboBox *edtHostName;
    QComboBox *edtUserName;
    QLineEdit *edtPass;
    QPushButton *btnConnect;
    QStringList m_lsite;
    QStringList m_luser;
    QString m_hostName;
    QString m_userName;
    QString m_password;
};

} // namespace tav::upload
