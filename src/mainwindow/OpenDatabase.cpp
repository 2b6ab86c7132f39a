#include "OpenDatabase.h"

#include "DialogPlacement.h"
#include "FDFin.h"
#include "WaitCursor.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace tav
{

TFOpen::TFOpen(TFDFin *main) : QDialog(main), m_main(main)
{
    setUpFixedDialog(this, QStringLiteral("FOpen"), QStringLiteral("Open Database"));

    m_list = new QListWidget(this);
    m_list->setObjectName(QStringLiteral("ListBox1"));
    m_list->setToolTip(QStringLiteral("Databases "));
    m_list->setSortingEnabled(true);
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->setMinimumSize(240, 220);
    // A selection made with the mouse or the keyboard counts as a click.
    connect(m_list, &QListWidget::itemSelectionChanged, this, &TFOpen::ListBox1Click);
    connect(m_list, &QListWidget::itemDoubleClicked, this, &TFOpen::BOpenClick);

    m_open = new QPushButton(QStringLiteral("Open"), this);
    m_open->setObjectName(QStringLiteral("BOpen"));
    m_open->setEnabled(false);
    m_open->setDefault(true);
    connect(m_open, &QPushButton::clicked, this, &TFOpen::BOpenClick);
    auto *exit = new QPushButton(QStringLiteral("Cancel"), this);
    exit->setObjectName(QStringLiteral("BExit"));
    connect(exit, &QPushButton::clicked, this, &QDialog::reject);

    auto *buttons = new QVBoxLayout;
    buttons->addWidget(m_open);
    buttons->addWidget(exit);
    buttons->addStretch(1);
    auto *all = new QHBoxLayout(this);
    all->addWidget(m_list, 1);
    all->addLayout(buttons);
    fixAndCentre(this);
}

void TFOpen::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    FormActivate();
}

void TFOpen::FormActivate()
{
    // Filled once: activating the dialog again must not list the databases twice.
    if (m_filled)
        return;
    m_filled = true;
    WaitCursor wait;
    const auto *databases = m_main->findChild<QComboBox *>(QStringLiteral("ComboBox1"));
    for (int i = 0; i < databases->count(); ++i)
        m_list->addItem(databases->itemText(i));
    m_main->MMRecordsClick();
}

void TFOpen::ListBox1Click()
{
    m_open->setEnabled(!m_list->selectedItems().isEmpty());
}

void TFOpen::BOpenClick()
{
    if (m_list->count() == 0)
        return;
    const QList<QListWidgetItem *> selected = m_list->selectedItems();
    const QString name = selected.isEmpty() ? m_list->item(0)->text() : selected.last()->text();
    m_main->OpenDatabase(name);
    accept();
}

} // namespace tav
