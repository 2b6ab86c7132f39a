#include "InfoDialog.h"

#include <QGuiApplication>
#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QScreen>

namespace tav
{

namespace
{
QPlainTextEdit *memo(QWidget *parent, const char *name, const QStringList &lines)
{
    auto *box = new QPlainTextEdit(parent);
    box->setObjectName(QString::fromLatin1(name));
    box->setReadOnly(true);
    box->setFrameShape(QFrame::NoFrame);
    box->setPlainText(lines.join(QLatin1Char('\n')));
    return box;
}
} // namespace

TFInfo::TFInfo(const store::info::DatabaseInfo &info, QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("FInfo"));
    setWindowTitle(QStringLiteral("Database Information"));
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMaximizeButtonHint | Qt::WindowCloseButtonHint);
    auto *row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(0);
    QPlainTextEdit *labels = memo(this, "Memo1", store::info::infoLabelLines());
    labels->setFixedWidth(147);
    QPlainTextEdit *values = memo(this, "Memo2", store::info::infoValueLines(info));
    values->setLineWrapMode(QPlainTextEdit::NoWrap);
    row->addWidget(labels);
    row->addWidget(values, 1);
    resize(616, 162);
    if (QScreen *screen = QGuiApplication::primaryScreen()) {
        QRect area = frameGeometry();
        area.moveCenter(screen->availableGeometry().center());
        move(area.topLeft());
    }
}

} // namespace tav
