// The loan calculator's arithmetic and money format, without its window.

#include "LoanCalculator.h"

#include <QTest>

#include <cmath>

using namespace tav::accessories;

namespace
{
LoanInputs inputs(const QStringList &texts)
{
    LoanInputs in;
    const QString error = readLoanInputs(texts, in);
    if (!error.isEmpty())
        qWarning("%s", qPrintable(error));
    return in;
}

const QStringList kInitial = {"100000", "12", "10", "300", "12", "6"};
} // namespace

class TestLoanCalculator : public QObject
{
    Q_OBJECT

private slots:
    void initialInputsGiveTheKnownPaymentsAndBalance()
    {
        LoanCalculator calc;
        QVERIFY(!calc.hasPayment());
        const LoanPayments p = calc.calculate(inputs(kInitial));
        QCOMPARE(formatMoney(p.monthly), QStringLiteral("908.70"));
        QCOMPARE(formatMoney(p.semiMonthly), QStringLiteral("454.35"));
        QCOMPARE(formatMoney(p.biWeekly), QStringLiteral("419.40"));
        QCOMPARE(formatMoney(p.weekly), QStringLiteral("209.70"));
        const LoanBalance b = calc.balanceAfter(inputs(kInitial));
        QCOMPARE(formatMoney(b.balance), QStringLiteral("99538.27"));
        QCOMPARE(formatMoney(b.principalPaid), QStringLiteral("461.73"));
        QCOMPARE(formatMoney(b.interestPaid), QStringLiteral("4990.47"));
    }

    void balanceUsesTheNewLoanWithTheLastPayment()
    {
        LoanCalculator calc;
        calc.calculate(inputs(kInitial));
        QStringList changed = kInitial;
        changed[0] = "200000";
        const LoanBalance b = calc.balanceAfter(inputs(changed));
        // The payments of the 100000 loan repay as before; the extra 100000 only grows.
        const double grown = 100000.0 * std::pow(1.0 + 0.1 / 12, 6);
        QVERIFY2(std::fabs(double(b.balance) - (99538.27 + grown)) < 0.1,
                 qPrintable(formatMoney(b.balance)));
        QCOMPARE(formatMoney(double(b.principalPaid)), formatMoney(200000.0 - double(b.balance)));
    }

    void paidOffAtOrAfterThePeriod_data()
    {
        QTest::addColumn<QString>("months");
        QTest::newRow("equal") << "300";
        QTest::newRow("above") << "420";
    }
    void paidOffAtOrAfterThePeriod()
    {
        QFETCH(QString, months);
        LoanCalculator calc;
        calc.calculate(inputs(kInitial));
        QStringList texts = kInitial;
        texts[5] = months;
        const LoanBalance b = calc.balanceAfter(inputs(texts));
        QCOMPARE(formatMoney(b.balance), QStringLiteral("0.00"));
        QCOMPARE(formatMoney(b.principalPaid), QStringLiteral("100000.00"));
    }

    void zeroInterestSplitsTheLoanEvenly()
    {
        LoanCalculator calc;
        const QStringList texts = {"1200", "12", "0", "12", "12", "3"};
        const LoanPayments p = calc.calculate(inputs(texts));
        QCOMPARE(formatMoney(p.monthly), QStringLiteral("100.00"));
        const LoanBalance b = calc.balanceAfter(inputs(texts));
        QCOMPARE(formatMoney(b.balance), QStringLiteral("900.00"));
        QCOMPARE(formatMoney(b.principalPaid), QStringLiteral("300.00"));
        QCOMPARE(formatMoney(b.interestPaid), QStringLiteral("0.00"));
    }

    void badInputIsRefusedWithAMessage_data()
    {
        QTest::addColumn<int>("field");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("message");
        QTest::newRow("letters") << 0 << "abc" << "\"abc\" is not a valid number for Loan.";
        QTest::newRow("empty") << 2 << "" << "\"\" is not a valid number for Interest Rate.";
        QTest::newRow("letters in months") << 5 << "six" << "\"six\" is not a valid number for Months.";
        QTest::newRow("zero period") << 3 << "0" << "Amortization Period must be greater than 0.";
        QTest::newRow("zero per year") << 1 << "0" << "Times Per Year must be greater than 0.";
        QTest::newRow("negative loan") << 0 << "-5" << "Loan cannot be negative.";
        QTest::newRow("negative rate") << 2 << "-1" << "Interest Rate cannot be negative.";
    }
    void badInputIsRefusedWithAMessage()
    {
        QFETCH(int, field);
        QFETCH(QString, text);
        QFETCH(QString, message);
        QStringList texts = kInitial;
        texts[field] = text;
        LoanInputs in;
        in.loan = 42;
        QCOMPARE(readLoanInputs(texts, in), message);
        QCOMPARE(in.loan, 42.0f); // nothing read on failure
    }

    void moneyRoundsHalfAwayFromZero_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("text");
        QTest::newRow("small cents get a zero") << 12.05 << "12.05";
        QTest::newRow("half up") << 0.125 << "0.13";
        QTest::newRow("carry into units") << 9.999 << "10.00";
        QTest::newRow("negative") << -0.125 << "-0.13";
        QTest::newRow("zero") << 0.0 << "0.00";
    }
    void moneyRoundsHalfAwayFromZero()
    {
        QFETCH(double, value);
        QFETCH(QString, text);
        QCOMPARE(formatMoney(value), text);
    }
};

QTEST_GUILESS_MAIN(TestLoanCalculator)
#include "tst_loancalculator.moc"
