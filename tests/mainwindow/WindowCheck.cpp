#include "WindowCheck.h"

#include "DBControls.h"
#include "FieldCatalogue.h"
#include "FileNames.h"
#include "MainWindowFixture.h"
#include "Table.h"

#include <QComboBox>
#include <QLineEdit>
#include <QStringList>

namespace tav::test
{

namespace cat = store::catalogue;
namespace files = store::files;
using store::DataSetState;

namespace
{
QString boxText(TFDFin *w, const QString &field)
{
    const QLineEdit *box = w->controls().recordEdits[cat::positionOfRecordField(field)];
    return box ? box->text() : QStringLiteral("<no box>");
}

void checkNavigation(TFDFin *w, bool adding, int position, int records, QStringList &wrong)
{
    const struct {
        const char *button;
        const char *item;
        bool mayBeOff; // where the move has nowhere to go
    } controls[] = {{"SBFirst", "SMFirst", position <= 1},
                    {"SBPrev", "SMPrevious", position <= 1},
                    {"SBNext", "SMNext", position >= records},
                    {"SBLast", "SMLast", position >= records}};
    for (const auto &c : controls) {
        const bool on = isEnabled(w, c.button);
        if (on != isEnabled(w, c.item))
            wrong << QStringLiteral("%1 is %2 but %3 is not")
                         .arg(QLatin1String(c.button), on ? "on" : "off", QLatin1String(c.item));
        if (adding && on)
            wrong << QStringLiteral("%1 is on while a record is being added")
                         .arg(QLatin1String(c.button));
        if (!adding && !on && !c.mayBeOff)
            wrong << QStringLiteral("%1 is off on record %2 of %3")
                         .arg(QLatin1String(c.button))
                         .arg(position)
                         .arg(records);
    }
}

void checkCommands(TFDFin *w, DataSetState state, QStringList &wrong)
{
    auto expect = [&](std::initializer_list<const char *> names, bool on, const char *why) {
        for (const char *name : names)
            if (isEnabled(w, name) != on)
                wrong << QStringLiteral("%1 is %2 %3")
                             .arg(QLatin1String(name), on ? "off" : "on", QLatin1String(why));
    };
    const bool browsing = state == DataSetState::Browse;
    const bool adding = state == DataSetState::Insert;
    expect({"SBAdd", "SMNew"}, browsing,
           browsing ? "while browsing" : "while the record has changes");
    expect({"SMInsert", "SMDelete", "SMEmpty"}, !adding,
           adding ? "while a record is being added" : "while no record is being added");
    expect({"SBSave", "SBSave1", "SMSave", "MMSaveRecord", "SBCancel", "SpeedButton4",
            "SMCancelEdit", "MMUndo"},
           true, "with a database open");
}
} // namespace

QString windowDisagreements(TFDFin *w)
{
    QStringList wrong;
    auto *list = w->findChild<QComboBox *>(QStringLiteral("ComboBox1"));
    store::Table *records = w->table1();
    const QString database = list->currentIndex() >= 0 ? list->currentText() : QString();
    if (database.isEmpty() || !records->isActive()) {
        if (!w->statusPanelText(1).isEmpty())
            wrong << QStringLiteral("no database is open, yet the status says \"%1\"")
                         .arg(w->statusPanelText(1));
        return wrong.join(QLatin1Char('\n'));
    }
    if (records->tableName() != files::recordsTable(database))
        wrong << QStringLiteral("the list shows %1 but %2 is open")
                     .arg(database, records->tableName());
    if (w->statusPanelText(0) != QStringLiteral("Database ") + database)
        wrong << QStringLiteral("status panel 0 says \"%1\" with %2 open")
                     .arg(w->statusPanelText(0), database);

    // What the file holds, read on its own.
    store::Table file;
    file.setDirectory(w->dataDirectory());
    file.setTableName(records->tableName());
    file.open();
    const int stored = file.recordCount();
    if (records->recordCount() != stored)
        wrong << QStringLiteral("the window's table has %1 records, the file %2")
                     .arg(records->recordCount())
                     .arg(stored);

    const DataSetState state = w->dataSource1()->state();
    const bool adding = state == DataSetState::Insert;
    const QString status = QStringLiteral("%1 records").arg(stored + (adding ? 1 : 0));
    if (w->statusPanelText(1) != status)
        wrong << QStringLiteral("the status says \"%1\", the file holds %2 records%3")
                     .arg(w->statusPanelText(1))
                     .arg(stored)
                     .arg(adding ? QStringLiteral(" and one is being added") : QString());

    const int position = adding ? 0 : records->recNo();
    const QString number = boxText(w, QStringLiteral("Count"));
    const bool numberRight = adding
                                 ? (number.isEmpty() || number == QString::number(records->recNo()))
                                 : number == (stored == 0 ? QString() : QString::number(position));
    if (!numberRight)
        wrong << QStringLiteral("the \"No.\" box shows \"%1\" on record %2 of %3%4")
                     .arg(number)
                     .arg(position)
                     .arg(stored)
                     .arg(adding ? QStringLiteral(" while adding") : QString());
    if (state == DataSetState::Browse && stored > 0) {
        file.setRecNo(position);
        for (const QString field : {"Date", "ID", "FirstName", "LastName"}) {
            if (boxText(w, field) != file.asString(field))
                wrong << QStringLiteral("%1 shows \"%2\", record %3 holds \"%4\"")
                             .arg(field, boxText(w, field))
                             .arg(position)
                             .arg(file.asString(field));
        }
    }

    checkNavigation(w, adding, position, stored, wrong);
    checkCommands(w, state, wrong);
    return wrong.join(QLatin1Char('\n'));
}

} // namespace tav::test
