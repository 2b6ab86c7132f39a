#pragma once
// The loan calculator without its window: the regular payment of a loan repaid in equal
// instalments and the balance after some payments. Every input and stored result is a
// single-precision number, the arithmetic between stores is done in double.

#include <QString>
#include <QStringList>

namespace tav::accessories {

struct LoanInputs {
    float loan = 0;       // L
    float perYear = 0;    // payments per year m
    float rate = 0;       // nominal annual interest in percent
    float payments = 0;   // amortization period n (number of payments)
    float compounded = 0; // compounding periods per year c
    float made = 0;       // payments made so far t
};

struct LoanPayments {
    float monthly = 0;
    float semiMonthly = 0;
    float biWeekly = 0;
    float weekly = 0;
};

struct LoanBalance {
    float balance = 0;
    float principalPaid = 0;
    float interestPaid = 0;
};

// Reads the six input texts (loan, times per year, interest, period, compounded, months)
// with the user's locale (the C form is accepted too). Returns the message to show for the
// first text that is no number or out of range, or an empty text when all are usable.
QString readLoanInputs(const QStringList &texts, LoanInputs &inputs);

class LoanCalculator
{
public:
    // Computes the payment and keeps it, with the growth factor, for balanceAfter().
    LoanPayments calculate(const LoanInputs &inputs);
    bool hasPayment() const { return m_calculated; }
    // Balance after inputs.made payments, with the loan and period as they are now and the
    // payment of the last calculate(). Only after calculate().
    LoanBalance balanceAfter(const LoanInputs &inputs) const;

private:
    float m_growth = 1; // per-payment growth factor g
    float m_payment = 0;
    bool m_calculated = false;
};

// Whole units, a point and two cent digits; cents rounded half away from zero ("12.05").
QString formatMoney(double value);

} // namespace tav::accessories
