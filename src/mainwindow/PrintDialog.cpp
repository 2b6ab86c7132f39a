#include "PrintDialog.h"

#include "DialogPlacement.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace tav
{

TFPrintDialog::TFPrintDialog(QWidget *parent, int recordCount, bool notesLocked,
                             std::function<void(const PrintChoice &)> onPrint)
    : QDialog(parent), m_recordCount(recordCount), m_onPrint(std::move(onPrint))
{
    setUpFixedDialog(this, QStringLiteral("FPrintDialog"), QStringLiteral("Print Options"));
    auto *grid = new QGridLayout(this);

    auto *output = new QGroupBox(QStringLiteral(" Output "), this);
    output->setObjectName(QStringLiteral("GBOutput"));
    auto *outputColumn = new QVBoxLayout(output);
    m_current = new QRadioButton(QStringLiteral("Current Record"), output);
    m_current->setObjectName(QStringLiteral("RBCurrentRecord"));
    m_current->setChecked(true);
    m_database = new QRadioButton(QStringLiteral("Database"), output);
    m_database->setObjectName(QStringLiteral("RBDatabase"));
    outputColumn->addWidget(m_current);
    outputColumn->addWidget(m_database);
    grid->addWidget(output, 0, 0, 2, 1);

    m_notes = new QCheckBox(QStringLiteral("Print Notes"), this);
    m_notes->setObjectName(QStringLiteral("CBComments"));
    m_notes->setChecked(!notesLocked);
    m_notes->setEnabled(!notesLocked);
    if (notesLocked)
        m_notes->setToolTip(QStringLiteral("The comments are locked"));
    m_image = new QCheckBox(QStringLiteral("Print Image"), this);
    m_image->setObjectName(QStringLiteral("CBImage"));
    m_image->setChecked(true);
    grid->addWidget(m_notes, 0, 1);
    grid->addWidget(m_image, 1, 1);

    m_pages = new QLabel(this);
    m_pages->setObjectName(QStringLiteral("PageCount"));
    grid->addWidget(m_pages, 2, 0, 1, 2);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    auto *ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("Button1"));
    ok->setDefault(true);
    auto *cancel = new QPushButton(QStringLiteral("Cancel"), this);
    cancel->setObjectName(QStringLiteral("Button2"));
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    grid->addLayout(buttons, 3, 0, 1, 2);

    connect(ok, &QPushButton::clicked, this, &TFPrintDialog::Button1Click);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_database, &QRadioButton::toggled, this, &TFPrintDialog::showPageCount);
    showPageCount();
    fixAndCentre(this);
    setFixedSize(size().expandedTo(QSize(287, 174)));
}

void TFPrintDialog::showPageCount()
{
    const int pages = m_database->isChecked() ? m_recordCount : 1;
    m_pages->setText(pages == 1 ? QStringLiteral("1 page will print.")
                                : QStringLiteral("%1 pages will print.").arg(pages));
}

PrintChoice TFPrintDialog::choice() const
{
    return {m_database->isChecked(), m_notes->isEnabled() && m_notes->isChecked(),
            m_image->isChecked()};
}

void TFPrintDialog::Button1Click()
{
    const PrintChoice chosen = choice();
    accept();
    if (m_onPrint)
        m_onPrint(chosen);
}

} // namespace tav
