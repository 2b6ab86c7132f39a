#pragma once
// The "Database Information" window FInfo: two read-only memos side by side, the labels
// on the left (Memo1) and one value line per label on the right (Memo2).

#include "DatabaseInfo.h"

#include <QDialog>

namespace tav
{

class TFInfo : public QDialog
{
    Q_OBJECT
public:
    explicit TFInfo(const store::info::DatabaseInfo &info, QWidget *parent = nullptr);
};

} // namespace tav
