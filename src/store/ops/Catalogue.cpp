#include "Catalogue.h"

#include "DatabaseNames.h"
#include "FileNames.h"
#include "Table.h"

#include <QDir>

namespace tav::store::ops::catalogue {

namespace {

const QString kName = QStringLiteral("Name");

void openCatalogue(Table &table, const QString &dataDir)
{
    table.setDirectory(dataDir);
    table.setTableName(files::kCatalogue);
    table.open();
}

} // namespace

QStringList names(const QString &dataDir)
{
    Table table;
    openCatalogue(table, dataDir);
    QStringList result;
    for (table.first(); !table.eof(); table.next())
        result << table.asString(kName);
    return result;
}

void add(const QString &dataDir, const QString &name)
{
    Table table;
    openCatalogue(table, dataDir);
    table.append();
    table.setValue(kName, names::normalised(name));
    table.post();
}

void rename(const QString &dataDir, const QString &oldName, const QString &newName)
{
    Table table;
    openCatalogue(table, dataDir);
    const int changed = table.execute(QStringLiteral("UPDATE data SET Name = ? WHERE Name = ?"),
                                      {names::normalised(newName), names::normalised(oldName)});
    if (changed == 0)
        throw StoreError(QStringLiteral("The database %1 is not in the catalogue").arg(oldName));
}

void remove(const QString &dataDir, const QString &name)
{
    Table table;
    openCatalogue(table, dataDir);
    table.execute(QStringLiteral("DELETE FROM data WHERE Name = ?"), {names::normalised(name)});
}

} // namespace tav::store::ops::catalogue
