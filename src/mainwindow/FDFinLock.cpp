// The comments lock: Secure and UnSecure on the Database page, and what the Database and
// Report pages hide while the current database is locked.

#include "CommentsLock.h"
#include "DBControls.h"
#include "FDFin.h"
#include "FieldCatalogue.h"
#include "LockDialogs.h"
#include "MessageBoxes.h"
#include "StoreError.h"

#include <QBoxLayout>
#include <QCheckBox>
#include <QPushButton>

namespace tav
{

namespace cat = store::catalogue;

namespace
{
void setShown(QObject *control, bool shown)
{
    if (auto *widget = qobject_cast<QWidget *>(control))
        widget->setVisible(shown);
}
} // namespace

void TFDFin::wireLock()
{
    auto *bar = findChild<QWidget *>(QStringLiteral("NavigationBar"));
    auto *row = qobject_cast<QBoxLayout *>(bar->layout());
    const struct {
        const char *name;
        const char *caption;
        const char *hint;
        void (TFDFin::*handler)();
    } buttons[] = {
        {"BProtect", "Secure", "Click to secure field", &TFDFin::BProtectClick},
        {"BUnProtect", "UnSecure", "Click to unsecure field", &TFDFin::BUnProtectClick},
    };
    // Beside the record buttons, before the space that pushes the rest to the right.
    int at = 0;
    while (at < row->count() &&
           !(row->itemAt(at)->spacerItem() && (row->itemAt(at)->expandingDirections() & Qt::Horizontal)))
        ++at;
    row->insertSpacing(at++, 12);
    for (const auto &b : buttons) {
        auto *button = new QPushButton(QString::fromLatin1(b.caption), bar);
        button->setObjectName(QString::fromLatin1(b.name));
        button->setToolTip(QString::fromLatin1(b.hint));
        button->setAutoDefault(false);
        connect(button, &QPushButton::clicked, this, b.handler);
        row->insertWidget(at++, button);
    }
    setShown(named("BUnProtect"), false);

    m_pageHooks.commentsLocked = [this] { return lock::isLocked(*m_table2); };
    m_pageHooks.presentDatabaseLock = [this] {
        const bool locked = commentsLocked();
        setShown(m_memoComments, !locked);
        setShown(named("BProtect"), !locked);
        setShown(named("BUnProtect"), locked);
    };
    m_pageHooks.presentReportLock = [this] {
        const bool locked = commentsLocked();
        QCheckBox *comments = m_controls.outputChecks[cat::kPosComments];
        setShown(comments, !locked);
        setShown(named("DBTextO18"), !locked);
        setShown(named("LLocked"), locked);
        // The comments are never a preselected output column.
        if (comments)
            comments->setChecked(false);
    };
}

void TFDFin::BProtectClick()
{
    if (!m_table2->isActive())
        return;
    TFPassProtect dialog(this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    try {
        lock::lock(*m_table2, dialog.password());
    } catch (const store::StoreError &e) {
        MessageBoxes::showMessage(e.message());
        return;
    }
    PresentDatabaseLock();
    PresentReportLock();
}

void TFDFin::BUnProtectClick()
{
    if (!m_table2->isActive())
        return;
    TFPassUnProtect dialog(this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    try {
        if (!lock::unlock(*m_table2, dialog.password())) {
            MessageBoxes::showMessage(
                QStringLiteral("The password is not correct. The comments stay locked."));
            return;
        }
    } catch (const store::StoreError &e) {
        MessageBoxes::showMessage(e.message());
        return;
    }
    PresentDatabaseLock();
    PresentReportLock();
}

} // namespace tav
