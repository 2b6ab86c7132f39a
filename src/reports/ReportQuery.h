#pragma once
// The report's query: which records (criteria), which fields (outputs) and in which order,
// read from the Report page and turned into one condition with bound values.

#include "FieldCatalogue.h"

#include <QString>
#include <QVariantList>
#include <QVector>
#include <array>

namespace tav::reports {

namespace cat = store::catalogue;

// What the Report page asks for.
struct ReportRequest {
    int nradd = 0; // extra fields in use: positions 0..nradd-1 take part
    std::array<bool, cat::kPositions> output{};   // output boxes, 0..95
    std::array<bool, cat::kPositions> criteria{}; // criteria boxes, 0..94
    // Criteria texts per row; for 78 (Created) and 79 (No.) the "From" text.
    std::array<QString, cat::kPositions> criteriaText;
    QString dateTo;   // "To" of the Created row
    QString numberTo; // "To" of the No. row
    QString sortField; // record field name; empty sorts by record order
    bool descending = false;
    QString datePattern; // the user's short date pattern
    bool commentsLocked = false; // locked comments are never output
};

enum class QueryOutcome {
    Ready,            // the query is built
    NoOutput,         // no output field is selected
    InvalidCriterion, // a date or record-number bound was refused; `message` says why
};

struct ReportQuery {
    QueryOutcome outcome = QueryOutcome::Ready;
    QString message;
    // For RecordCursor::select: a condition over the records with "?" for each value.
    QString condition;
    QVariantList parameters;
    QString orderBy;
    // The output positions in the order every layout writes them: 78..95, then 0..nradd-1.
    QVector<int> positions;
};

ReportQuery buildReportQuery(const ReportRequest &request);

// True when the text is not empty and holds only the digits 0..9.
bool isIntervalText(const QString &text);

inline const QString kNoOutputMessage = QStringLiteral("No Output has been selected");
inline const QString kIntervalMessage =
    QStringLiteral("Interval From.. To.. must have numeric values!");

} // namespace tav::reports
