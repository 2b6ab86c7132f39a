#include "Wizard.h"

#include "DialogPlacement.h"
#include "FDFin.h"
#include "ProgramIcons.h"
#include "RadioGroup.h"
#include "Settings.h"
#include "StartupSteps.h"

#include <QAction>
#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace tav
{

TFWizard::TFWizard(TFDFin *main) : QDialog(main), m_main(main)
{
    setUpFixedDialog(this, QStringLiteral("FWizard"), QStringLiteral("Tavrionex Wizard"));

    auto *picture = new QLabel(this);
    picture->setPixmap(programIcon().pixmap(64, 64)); // sharp at any screen scale
    picture->setAlignment(Qt::AlignTop | Qt::AlignHCenter);

    m_open = new RadioGroup(QStringLiteral("RGOpen"), QStringLiteral("What would you like to do?"),
                            {QStringLiteral("Open your last database"),
                             QStringLiteral("Create a new database"),
                             QStringLiteral("Open an existing database")},
                            this);
    m_open->setItemIndex(0);

    m_display = new QCheckBox(QStringLiteral("Don't display this screen again"), this);
    m_display->setObjectName(QStringLiteral("CBDisplay"));
    connect(m_display, &QCheckBox::clicked, this, &TFWizard::CBDisplayClick);

    auto *ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("BOk"));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &TFWizard::BOkClick);
    auto *cancel = new QPushButton(QStringLiteral("Cancel"), this);
    cancel->setObjectName(QStringLiteral("BCancel"));
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    auto *content = new QVBoxLayout;
    content->addWidget(m_open);
    content->addWidget(m_display);
    auto *top = new QHBoxLayout;
    top->addWidget(picture);
    top->addSpacing(8);
    top->addLayout(content, 1);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    auto *all = new QVBoxLayout(this);
    all->addLayout(top);
    all->addSpacing(6);
    all->addLayout(buttons);
    fixAndCentre(this);
}

void TFWizard::CBDisplayClick()
{
    const bool hide = m_display->isChecked();
    Settings::writeInt(QStringLiteral("displayw"), hide ? 1 : 0);
    Settings::sync();
    if (QAction *menuItem = m_main->findChild<QAction *>(QStringLiteral("MMShowWiz")))
        menuItem->setChecked(!hide);
}

void TFWizard::BOkClick()
{
    const QString last = readLastDatabaseSetting();
    const int choice = m_open->itemIndex();
    accept(); // hidden at once; the work below runs with the main window in front
    if (choice == 0)
        m_main->OpenLastDatabase(last);
    else if (choice == 1)
        m_main->ShowNewDatabaseDialog();
    else if (choice == 2)
        m_main->ShowOpenDatabaseDialog();
}

} // namespace tav
