#pragma once
// The open-database dialog FOpen: the databases of the list ComboBox1, sorted, and Open.

#include <QDialog>

class QListWidget;
class QPushButton;

namespace tav
{

class TFDFin;

class TFOpen : public QDialog
{
    Q_OBJECT
public:
    explicit TFOpen(TFDFin *main);

public slots:
    // Fills ListBox1 from the database list and brings the Database page to the front.
    void FormActivate();
    void ListBox1Click();
    void BOpenClick();

protected:
    void showEvent(QShowEvent *event) override;

private:
    TFDFin *m_main;
    QListWidget *m_list;
    QPushButton *m_open;
    bool m_filled = false;
};

} // namespace tav
