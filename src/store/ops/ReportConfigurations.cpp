#include "ReportConfigurations.h"

#include "AttachedTable.h"
#include "FieldCatalogue.h"
#include "FileNames.h"
#include "Query.h"
#include "StoreError.h"
#include "Table.h"

#include <QDir>

namespace tav::store::ops {

namespace cat = catalogue;

namespace configcodes {

int outputCode(int position)
{
    return position >= cat::kPosDate ? position - cat::kPosDate : position + 19;
}

int criteriaCode(int position)
{
    return position >= cat::kPosDate ? position - cat::kPosDate : position + 18;
}

QString append(const QString &list, int code)
{
    return list + QLatin1Char(',') + QString::number(code) + QLatin1Char(',');
}

bool contains(const QString &list, int code)
{
    return list.contains(QLatin1Char(',') + QString::number(code) + QLatin1Char(','));
}

} // namespace configcodes

namespace {
const QString kDetails = QStringLiteral("details");

void openTable(Table &table, const QString &dir, const QString &name)
{
    table.setDirectory(dir);
    table.setTableName(name);
    table.open();
}

// Opens the rows of `table` that belong to the database's configuration `name`, in the
// order they were written.
void openConfigurationRows(Query &rows, const QString &dir, const QString &table,
                           const QString &database, const QString &name)
{
    rows.setDirectory(dir);
    rows.setTableName(table);
    rows.setWhere(QStringLiteral("DataName = :DataName AND ConfigName = :ConfigName"));
    rows.bindValue(QStringLiteral("DataName"), database);
    rows.bindValue(QStringLiteral("ConfigName"), name);
    rows.open();
}
} // namespace

ReportConfigurations::ReportConfigurations(const QString &dataDir) : m_dir(dataDir) {}

QStringList ReportConfigurations::names(const QString &database) const
{
    Query master;
    master.setDirectory(m_dir);
    master.setTableName(files::kMasterConfig);
    master.setWhere(QStringLiteral("DataName = :DataName"));
    master.bindValue(QStringLiteral("DataName"), database);
    master.open();
    QStringList result;
    for (master.first(); !master.eof(); master.next())
        result << master.asString(QStringLiteral("ConfigName"));
    return result;
}

bool ReportConfigurations::exists(const QString &name) const
{
    Table master;
    openTable(master, m_dir, files::kMasterConfig);
    return master
               .selectValue(QStringLiteral("SELECT COUNT(*) FROM main.data WHERE ConfigName = ?"), {name})
               .toInt() > 0;
}

void ReportConfigurations::save(const ReportConfiguration &c, bool replace)
{
    ConfigurationSaveError::Step step = ConfigurationSaveError::Write;
    try {
        Table master;
        openTable(master, m_dir, files::kMasterConfig);
        AttachedTable details(master, kDetails, QDir(m_dir).filePath(files::kDetailsCriteria));
        master.transaction([&] {
            if (replace) {
                step = ConfigurationSaveError::DeleteMaster;
                master.execute(QStringLiteral("DELETE FROM main.data WHERE ConfigName = ?"), {c.configName});
                step = ConfigurationSaveError::DeleteDetails;
                master.execute(QStringLiteral("DELETE FROM %1.data WHERE ConfigName = ?").arg(kDetails),
                               {c.configName});
            }
            step = ConfigurationSaveError::Write;
            master.execute(QStringLiteral("INSERT INTO main.data (DataName, ConfigName, Input, Output, "
                                          "Sort, ByField, Format, Action) VALUES (?, ?, ?, ?, ?, ?, ?, ?)"),
                           {c.dataName, c.configName, c.input, c.output, c.sort, c.byField, c.format,
                            c.action});
            for (const QString &criteria : c.criteria)
                master.execute(QStringLiteral("INSERT INTO %1.data (DataName, ConfigName, Criteria) "
                                              "VALUES (?, ?, ?)")
                                   .arg(kDetails),
                               {c.dataName, c.configName, criteria});
        });
    } catch (const StoreError &e) {
        throw ConfigurationSaveError{step, e.message()};
    }
}

std::optional<ReportConfiguration> ReportConfigurations::load(const QString &database,
                                                              const QString &name) const
{
    Query master;
    openConfigurationRows(master, m_dir, files::kMasterConfig, database, name);
    if (master.recordCount() == 0)
        return std::nullopt;
    master.first();
    ReportConfiguration c;
    c.dataName = database;
    c.configName = name;
    c.input = master.asString(QStringLiteral("Input"));
    c.output = master.asString(QStringLiteral("Output"));
    c.sort = master.asInteger(QStringLiteral("Sort"));
    c.byField = master.isNull(QStringLiteral("ByField")) ? -1 : master.asInteger(QStringLiteral("ByField"));
    c.format = master.asInteger(QStringLiteral("Format"));
    c.action = master.asInteger(QStringLiteral("Action"));

    Query details;
    openConfigurationRows(details, m_dir, files::kDetailsCriteria, database, name);
    for (details.first(); !details.eof(); details.next())
        c.criteria << details.asString(QStringLiteral("Criteria"));
    return c;
}

bool ReportConfigurations::remove(const QString &name)
{
    Table master;
    openTable(master, m_dir, files::kMasterConfig);
    AttachedTable details(master, kDetails, QDir(m_dir).filePath(files::kDetailsCriteria));
    bool found = false;
    master.transaction([&] {
        const QVariant first = master.selectValue(
            QStringLiteral("SELECT MIN(_rk) FROM main.data WHERE ConfigName = ?"), {name});
        found = !first.isNull();
        if (!found)
            return;
        master.execute(QStringLiteral("DELETE FROM main.data WHERE _rk = ?"), {first});
        master.execute(QStringLiteral("DELETE FROM %1.data WHERE ConfigName = ?").arg(kDetails), {name});
    });
    return found;
}

} // namespace tav::store::ops
