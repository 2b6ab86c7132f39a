#pragma once
// Saved report settings: one row per configuration in "masterconfig.db" and one row per
// checked criterion, in the order written, in "detailscriteria.db". Configurations are listed
// and loaded per database; a name is unique over all databases.

#include <QString>
#include <QStringList>

#include <optional>

namespace tav::store::ops {

// The code lists of checked boxes: ",0,,1,,19," holds codes 0, 1 and 19.
namespace configcodes {
// Output boxes: positions 78..95 give 0..17, extra positions 0..77 give 19..96.
int outputCode(int position);
// Criteria boxes: positions 78..94 give 0..16, extra positions 0..77 give 18..95.
int criteriaCode(int position);
QString append(const QString &list, int code);
bool contains(const QString &list, int code);
} // namespace configcodes

struct ReportConfiguration {
    QString dataName;   // the database it belongs to
    QString configName;
    QString input;      // code list of the checked criteria
    QString output;     // code list of the checked outputs
    int sort = 0;       // 0 ascending, 1 descending
    int byField = -1;   // item of the sort list; -1 none
    int format = 0;     // item of the format list
    int action = 0;     // 0 generate and open, 1 generate and save
    QStringList criteria; // one text per checked criterion, in catalogue order
};

// Which part of a save failed; nothing of the save was written.
struct ConfigurationSaveError {
    enum Step { DeleteMaster, DeleteDetails, Write } step;
    QString message;
};

class ReportConfigurations
{
public:
    explicit ReportConfigurations(const QString &dataDir);

    // Names of the database's configurations in the order they were saved. StoreError
    // when the table cannot be read.
    QStringList names(const QString &database) const;
    // Whether any database has a configuration of this name (exact, case-sensitive).
    bool exists(const QString &name) const;
    // Writes the master row and its detail rows in one transaction over both files. With
    // `replace` every configuration of that name, in any database, is deleted first.
    // Throws ConfigurationSaveError; then both files are as they were.
    void save(const ReportConfiguration &configuration, bool replace);
    // The database's configuration of that name with its criteria in the order written;
    // nothing when there is none. StoreError when the tables cannot be read.
    std::optional<ReportConfiguration> load(const QString &database, const QString &name) const;
    // Deletes the first master row of that name and every detail row of that name, in one
    // transaction. False when no master row has the name. StoreError on failure.
    bool remove(const QString &name);

private:
    QString m_dir;
};

} // namespace tav::store::ops
