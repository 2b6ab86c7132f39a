#pragma once
// The screen preview of a report: a read-only grid over the report's records, read from the
// records table in batches as the grid scrolls, so the first rows show at once whatever the
// size of the result.

#include <QAbstractTableModel>
#include <QDialog>
#include <memory>

class QTableView;

namespace tav
{

namespace reports
{
class ReportRows;
}

class ReportRowsModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    ReportRowsModel(std::unique_ptr<reports::ReportRows> rows, const QStringList &titles,
                    QObject *parent = nullptr);
    ~ReportRowsModel() override;

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    bool canFetchMore(const QModelIndex &parent) const override;
    void fetchMore(const QModelIndex &parent) override;

private:
    std::unique_ptr<reports::ReportRows> m_rows;
    QStringList m_titles;
    QVector<QStringList> m_values;
    bool m_atEnd = false;
};

class TFScreenPreview : public QDialog
{
    Q_OBJECT
public:
    // `rows` holds the columns to show (no comments), titled `titles`.
    TFScreenPreview(QWidget *parent, std::unique_ptr<reports::ReportRows> rows,
                    const QStringList &titles);
    QTableView *grid() const { return m_grid; }

private:
    QTableView *m_grid;
};

} // namespace tav
