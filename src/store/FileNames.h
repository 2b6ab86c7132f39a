#pragma once
// The one place where table file names are built. Database names are upper case;
// file names are used exactly as built here (the file system is case-sensitive).

#include <QString>

namespace tav::store::files {

inline const QString kMaster = QStringLiteral("MASTER");

// Shared files of the data directory.
inline const QString kCatalogue = QStringLiteral("databases.db");
inline const QString kCatalogueBackup = QStringLiteral("databases.bak");
inline const QString kRecordsTemplate = QStringLiteral("t.db");
inline const QString kRecordsTemplateMemo = QStringLiteral("t.mb");
inline const QString kLabelsTemplate = QStringLiteral("l.db");
inline const QString kAttachmentsTemplate = QStringLiteral("atach.db");
inline const QString kMasterConfig = QStringLiteral("masterconfig.db");
inline const QString kDetailsCriteria = QStringLiteral("detailscriteria.db");
inline const QString kPrintWork = QStringLiteral("tempp.db");
inline const QString kPrintWorkMemo = QStringLiteral("tempp.mb");
inline const QString kRenumberWork = QStringLiteral("t_w_.db");
inline const QString kRenumberWorkMemo = QStringLiteral("t_w_.mb");
inline const QString kMailCursor = QStringLiteral("mail.cur");
inline const QString kNetCursor = QStringLiteral("net.cur");

// File set of one database ("MASTER" has names of its own).
QString recordsTable(const QString &dbName); // "table1.db" | "t" + NAME + ".db"
QString memoFile(const QString &dbName);     // "table1.mb" | "t" + NAME + ".mb"
QString labelsTable(const QString &dbName);  // "label1.db" | "l" + NAME + ".db"
QString attachmentsTable(const QString &dbName);
// "atach_" + the records table's file name.
QString attachmentsTableFor(const QString &recordsFile);
// The .mb companion of a table file: "x.db" -> "x.mb".
QString memoFileFor(const QString &tableFile);

} // namespace tav::store::files
