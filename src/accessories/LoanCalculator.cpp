#include "LoanCalculator.h"

#include <QLocale>

#include <cmath>

namespace tav::accessories {

namespace {
const char *const kInputNames[] = {"Loan",         "Times Per Year",      "Interest Rate",
                                   "Amortization Period", "Compounded Interest", "Months"};

bool toNumber(const QString &text, float &value)
{
    bool ok = false;
    double number = QLocale().toDouble(text.trimmed(), &ok);
    if (!ok)
        number = QLocale::c().toDouble(text.trimmed(), &ok);
    if (!ok || !std::isfinite(number) || std::fabs(number) > 3.0e38)
        return false;
    value = static_cast<float>(number);
    return true;
}
} // namespace

QString readLoanInputs(const QStringList &texts, LoanInputs &inputs)
{
    float values[6] = {};
    for (int i = 0; i < 6; ++i) {
        const QString text = i < texts.size() ? texts.at(i) : QString();
        if (!toNumber(text, values[i]))
            return QStringLiteral("\"%1\" is not a valid number for %2.")
                .arg(text, QLatin1String(kInputNames[i]));
        if (values[i] < 0)
            return QStringLiteral("%1 cannot be negative.").arg(QLatin1String(kInputNames[i]));
    }
    // Payments per year, the period and the compounding divide the formulas.
    for (int i : {1, 3, 4})
        if (values[i] == 0)
            return QStringLiteral("%1 must be greater than 0.").arg(QLatin1String(kInputNames[i]));
    inputs = {values[0], values[1], values[2], values[3], values[4], values[5]};
    return {};
}

LoanPayments LoanCalculator::calculate(const LoanInputs &in)
{
    const float r = static_cast<float>(double(in.rate) * 0.01);
    m_growth = static_cast<float>(
        std::exp(std::log(double(r) / double(in.compounded) + 1.0) *
                 (double(in.compounded) / double(in.perYear))));
    if (m_growth == 1.0f) {
        // No interest: the loan is simply split over the payments.
        m_payment = static_cast<float>(double(in.loan) / double(in.payments));
    } else {
        const float v = static_cast<float>(std::pow(double(m_growth), -double(in.payments)));
        const float a = static_cast<float>((1.0 - double(v)) / (double(m_growth) - 1.0));
        m_payment = static_cast<float>(double(in.loan) / double(a));
    }
    m_calculated = true;
    const double p = m_payment;
    return {m_payment, static_cast<float>(p * 0.5),
            static_cast<float>(p * 12 * 0.03846153846153846154),
            static_cast<float>(p * 12 * 0.01923076923076923077)};
}

LoanBalance LoanCalculator::balanceAfter(const LoanInputs &in) const
{
    const double loan = in.loan;
    const double t = in.made;
    float balance = 0;
    if (in.made < in.payments) {
        if (m_growth == 1.0f) {
            balance = static_cast<float>(loan - double(m_payment) * t);
        } else {
            const double gt = std::pow(double(m_growth), t);
            balance = static_cast<float>(loan * gt -
                                         ((gt - 1.0) / (double(m_growth) - 1.0)) * m_payment);
        }
    }
    const float principal = static_cast<float>(loan - double(balance));
    const float interest = static_cast<float>(double(m_payment) * t - double(principal));
    return {balance, principal, interest};
}

QString formatMoney(double value)
{
    const long long cents = std::llround(value * 100.0); // half away from zero
    const long long whole = std::llabs(cents) / 100;
    const int fraction = int(std::llabs(cents) % 100);
    return QStringLiteral("%1%2.%3")
        .arg(cents < 0 ? QStringLiteral("-") : QString())
        .arg(whole)
        .arg(fraction, 2, 10, QLatin1Char('0'));
}

} // namespace tav::accessories
