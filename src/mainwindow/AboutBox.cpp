#include "AboutBox.h"

#include "ProgramIcons.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace tav
{

TFAbout::TFAbout(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("FAbout"));
    setWindowTitle(QStringLiteral("About Tavrionex 4"));

    auto *picture = new QLabel(this);
    picture->setPixmap(programIcon().pixmap(64, 64)); // sharp at any screen scale
    picture->setAlignment(Qt::AlignTop);

    auto *text = new QLabel(this);
    text->setObjectName(QStringLiteral("AboutText"));
    text->setTextFormat(Qt::RichText);
    text->setText(
        QStringLiteral(
            "<h2>Tavrionex 4</h2>"
            "<p>Version %1</p>"
            "<p>A card-file database for one person: keep named databases of records "
            "with your own field captions, search them, report on them and chart them.</p>"
            "<p>The upload utility TavrionexFtp sends your published pages to a web server.</p>")
            .arg(QStringLiteral("4.0")));
    text->setWordWrap(true);
    text->setMinimumWidth(320);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    buttons->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("BOk"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

    auto *top = new QHBoxLayout;
    top->addWidget(picture);
    top->addSpacing(12);
    top->addWidget(text, 1);
    auto *all = new QVBoxLayout(this);
    all->addLayout(top);
    all->addWidget(buttons);
    setFixedSize(sizeHint());
}

} // namespace tav
