#include "ScreenPreview.h"

#include "MessageBoxes.h"
#include "ReportRows.h"
#include "StoreError.h"

#include <QGuiApplication>
#include <QHeaderView>
#include <QScreen>
#include <QTableView>
#include <QVBoxLayout>

namespace tav
{

namespace
{
constexpr int kBatch = 200;
constexpr int kColumnWidth = 100;
} // namespace

ReportRowsModel::ReportRowsModel(std::unique_ptr<reports::ReportRows> rows,
                                 const QStringList &titles, QObject *parent)
    : QAbstractTableModel(parent), m_rows(std::move(rows)), m_titles(titles)
{
}

ReportRowsModel::~ReportRowsModel() = default;

int ReportRowsModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_values.size());
}

int ReportRowsModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_titles.size());
}

QVariant ReportRowsModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::ToolTipRole))
        return {};
    return m_values.at(index.row()).value(index.column());
}

QVariant ReportRowsModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole)
        return {};
    if (orientation == Qt::Horizontal)
        return m_titles.value(section);
    return {};
}

bool ReportRowsModel::canFetchMore(const QModelIndex &parent) const
{
    return !parent.isValid() && !m_atEnd;
}

void ReportRowsModel::fetchMore(const QModelIndex &parent)
{
    if (parent.isValid() || m_atEnd)
        return;
    QVector<QStringList> batch;
    try {
        while (batch.size() < kBatch) {
            if (!m_rows->next()) {
                m_atEnd = true;
                break;
            }
            QStringList row;
            row.reserve(m_titles.size());
            for (int c = 0; c < m_titles.size(); ++c)
                row << m_rows->text(c);
            batch << row;
        }
    } catch (const store::StoreError &e) {
        m_atEnd = true; // the rows read so far stay shown
        MessageBoxes::showMessage(e.message());
    }
    if (batch.isEmpty())
        return;
    beginInsertRows({}, int(m_values.size()), int(m_values.size() + batch.size()) - 1);
    m_values += batch;
    endInsertRows();
}

TFScreenPreview::TFScreenPreview(QWidget *parent, std::unique_ptr<reports::ReportRows> rows,
                                 const QStringList &titles)
    : QDialog(parent, Qt::Dialog | Qt::WindowSystemMenuHint | Qt::WindowTitleHint |
                          Qt::WindowMaximizeButtonHint | Qt::WindowCloseButtonHint)
{
    setObjectName(QStringLiteral("FScreenPreview"));
    setWindowTitle(QStringLiteral("Screen Preview"));
    setStyleSheet(QStringLiteral("QDialog { background: white; }"));
    resize(361, 310);
    if (const QScreen *screen = parent ? parent->screen() : QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());

    auto *box = new QVBoxLayout(this);
    box->setContentsMargins(0, 0, 0, 0);
    m_grid = new QTableView(this);
    m_grid->setObjectName(QStringLiteral("DBGrid1"));
    m_grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_grid->horizontalHeader()->setDefaultSectionSize(kColumnWidth);
    m_grid->verticalHeader()->setDefaultSectionSize(m_grid->fontMetrics().height() + 6);
    auto *model = new ReportRowsModel(std::move(rows), titles, m_grid);
    m_grid->setModel(model);
    if (model->canFetchMore({}))
        model->fetchMore({});
    box->addWidget(m_grid);
}

} // namespace tav
