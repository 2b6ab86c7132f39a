#include "CommentsEditor.h"

#include <QPlainTextEdit>
#include <QVBoxLayout>

namespace tav
{

TFComments::TFComments(QWidget *parent, const QString &caption, const QString &text)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("FComments"));
    setWindowTitle(QStringLiteral("Edit ") + caption);
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMaximizeButtonHint | Qt::WindowCloseButtonHint);
    auto *column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    m_memo = new QPlainTextEdit(this);
    m_memo->setObjectName(QStringLiteral("DBMemo1"));
    m_memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_memo->setTabChangesFocus(false); // a tab is text
    m_memo->setPlainText(text);
    column->addWidget(m_memo);
    resize(560, 420);
}

QString TFComments::text() const
{
    return m_memo->toPlainText();
}

} // namespace tav
