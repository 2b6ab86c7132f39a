#pragma once
// The loan calculator window FMortgage: a new non-modal window per use. The arithmetic is
// LoanCalculator's; the window reads its six boxes on every button and shows the results.

#include "LoanCalculator.h"

#include <QWidget>

class QLineEdit;

namespace tav
{

class TFMortgage : public QWidget
{
    Q_OBJECT
public:
    explicit TFMortgage(QWidget *parent = nullptr);

public slots:
    void CalculateClick();
    void BalanceClick();
    void SPrintClick();
    void SExitClick();

private:
    // The inputs as they stand now; false (and the message shown) when one is unusable.
    bool readInputs(accessories::LoanInputs &inputs);
    QLineEdit *box(const char *name) const;

    accessories::LoanCalculator m_calculator;
};

} // namespace tav
