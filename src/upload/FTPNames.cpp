#include "FTPNames.h"

#include "SiteHistory.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace tav::upload
{

namespace
{
QComboBox *historyBox(const QString &name, const QString &hint, QWidget *parent)
{
    auto *box = new QComboBox(parent);
    box->setObjectName(name);
    box->setToolTip(hint);
    box->setEditable(true);
    box->setInsertPolicy(QComboBox::NoInsert); // the history file decides what is listed
    box->setMinimumWidth(240);
    return box;
}
} // namespace

TFTPNames::TFTPNames(const QString &historyPath, QWidget *parent)
    : QDialog(parent), m_historyPath(historyPath)
{
    setObjectName(QStringLiteral("FTPNames"));
    setWindowTitle(QStringLiteral("Connect"));

    edtHostName = historyBox(QStringLiteral("edtHostName"),
                             QStringLiteral("Choose or Enter host name"), this);
    edtUserName =
        historyBox(QStringLiteral("edtUserName"), QStringLiteral("Chose or Enter user name"), this);
    edtPass = new QLineEdit(this);
    edtPass->setObjectName(QStringLiteral("edtPass"));
    edtPass->setToolTip(QStringLiteral("Enter the password"));
    edtPass->setEchoMode(QLineEdit::Password);

    btnConnect = new QPushButton(QStringLiteral("Connect"), this);
    btnConnect->setObjectName(QStringLiteral("btnConnect"));
    btnConnect->setDefault(true);

    auto *form = new QFormLayout;
    form->addRow(QStringLiteral("Enter FTP host name:"), edtHostName);
    form->addRow(QStringLiteral("User name:"), edtUserName);
    form->addRow(QStringLiteral("Password:"), edtPass);
    auto *buttons = new QDialogButtonBox(this);
    buttons->addButton(btnConnect, QDialogButtonBox::AcceptRole);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(edtHostName, &QComboBox::editTextChanged, this, &TFTPNames::edtHostNameChange);
    connect(btnConnect, &QPushButton::clicked, this, &TFTPNames::btnConnectClick);
}

void TFTPNames::showEvent(QShowEvent *event)
{
    FormActivate();
    QDialog::showEvent(event);
}

void TFTPNames::FormActivate()
{
    // The typed host stays as it was; only the lists are read anew.
    const QSignalBlocker quiet(edtHostName);
    const QString host = edtHostName->currentText();
    edtHostName->clear();
    m_lsite.clear();
    m_luser.clear();
    for (const SitePair &pair : readSiteHistory(m_historyPath)) {
        m_lsite << pair.host;
        m_luser << pair.user;
        if (edtHostName->findText(pair.host, Qt::MatchExactly | Qt::MatchCaseSensitive) < 0)
            edtHostName->addItem(pair.host);
    }
    edtHostName->setCurrentIndex(-1);
    edtHostName->setEditText(host);
}

void TFTPNames::edtHostNameChange()
{
    edtUserName->clear();
    edtUserName->setEditText(QString());
    edtPass->clear();
    const QStringList users =
        usersForHost(readSiteHistory(m_historyPath), edtHostName->currentText());
    edtUserName->addItems(users);
    if (!users.isEmpty())
        edtUserName->setCurrentIndex(0);
}

void TFTPNames::btnConnectClick()
{
    m_hostName = edtHostName->currentText();
    m_userName = edtUserName->currentText();
    m_password = edtPass->text();
    bool known = false;
    for (int i = 0; i < m_lsite.size() && !known; ++i)
        known = m_lsite.at(i) == m_hostName && m_luser.at(i) == m_userName;
    if (!known) {
        m_lsite << m_hostName;
        m_luser << m_userName;
        appendSitePair(m_historyPath, {m_hostName, m_userName});
    }
    accept();
}

} // namespace tav::upload
