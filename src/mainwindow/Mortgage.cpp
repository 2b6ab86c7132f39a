#include "Mortgage.h"

#include "FDFin.h"

#include "MessageBoxes.h"
#include "Printing.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPrinter>
#include <QPushButton>
#include <QScreen>
#include <QToolButton>
#include <QVBoxLayout>

namespace tav
{

namespace
{
const QString kUnknown = QStringLiteral("*****.**");

QLineEdit *addBox(QGridLayout *grid, int row, const char *name, const QString &label,
                  const QString &text, const QString &hint = {})
{
    auto *caption = new QLabel(label);
    auto *edit = new QLineEdit(text);
    edit->setObjectName(QString::fromLatin1(name));
    edit->setToolTip(hint);
    edit->setFixedWidth(110);
    edit->setAlignment(Qt::AlignRight);
    caption->setBuddy(edit);
    grid->addWidget(caption, row, 0);
    grid->addWidget(edit, row, 1);
    return edit;
}

QLineEdit *addOutput(QGridLayout *grid, int row, const char *name, const QString &label)
{
    QLineEdit *edit = addBox(grid, row, name, label, kUnknown);
    edit->setReadOnly(true);
    return edit;
}
} // namespace

TFMortgage::TFMortgage(QWidget *parent) : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("FMortgage"));
    setWindowTitle(QStringLiteral("Mortgage Calculator"));
    setAttribute(Qt::WA_DeleteOnClose);

    auto *column = new QVBoxLayout(this);
    auto *bar = new QHBoxLayout;
    auto *print = new QToolButton(this);
    print->setObjectName(QStringLiteral("SPrint"));
    print->setIcon(QIcon::fromTheme(QStringLiteral("document-print")));
    print->setText(QStringLiteral("Print"));
    print->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    print->setToolTip(QStringLiteral("Print"));
    auto *exit = new QPushButton(QStringLiteral("Exit"), this);
    exit->setObjectName(QStringLiteral("SExit"));
    bar->addWidget(print);
    bar->addWidget(exit);
    bar->addStretch(1);
    column->addLayout(bar);

    auto *loan = new QGroupBox(QStringLiteral("Loan Information"), this);
    auto *loanGrid = new QGridLayout(loan);
    addBox(loanGrid, 0, "L", QStringLiteral("Loan"), QStringLiteral("100000"),
           QStringLiteral("Enter loan Amount"))
        ->setMaxLength(20);
    addBox(loanGrid, 1, "m", QStringLiteral("Times Per Year"), QStringLiteral("12"),
           QStringLiteral("Number of payments per year "));
    addBox(loanGrid, 2, "i", QStringLiteral("Interest Rate"), QStringLiteral("10"));
    addBox(loanGrid, 3, "n", QStringLiteral("Amortization Period"), QStringLiteral("300"));
    addBox(loanGrid, 4, "c", QStringLiteral("Compounded Interest"), QStringLiteral("12"),
           QStringLiteral("Compounded (Times per year)"));

    auto *frequency = new QGroupBox(QStringLiteral("Payment Frequency"), this);
    auto *payGrid = new QGridLayout(frequency);
    payGrid->addWidget(new QLabel(QStringLiteral("Payment Amount ")), 0, 0);
    auto *calculate = new QPushButton(QStringLiteral("Calculate"), frequency);
    calculate->setObjectName(QStringLiteral("Calculate"));
    calculate->setDefault(true);
    payGrid->addWidget(calculate, 0, 1);
    addOutput(payGrid, 1, "PayM", QStringLiteral("Monthly"));
    addOutput(payGrid, 2, "PayS", QStringLiteral("Semi-Monthly"));
    addOutput(payGrid, 3, "PayB", QStringLiteral("Bi-Weekly"));
    addOutput(payGrid, 4, "PayW", QStringLiteral("Weekly"));

    auto *top = new QHBoxLayout;
    top->addWidget(loan);
    top->addWidget(frequency);
    column->addLayout(top);

    auto *balance = new QGroupBox(QStringLiteral("Balance"), this);
    auto *balanceGrid = new QGridLayout(balance);
    auto *balanceButton = new QPushButton(QStringLiteral("Balance After"), balance);
    balanceButton->setObjectName(QStringLiteral("Balance"));
    balanceGrid->addWidget(balanceButton, 0, 0);
    auto *months = new QLineEdit(QStringLiteral("6"), balance);
    months->setObjectName(QStringLiteral("t"));
    months->setFixedWidth(60);
    months->setAlignment(Qt::AlignRight);
    auto *monthsLabel = new QLabel(QStringLiteral("Months"), balance);
    monthsLabel->setBuddy(months);
    auto *monthsRow = new QHBoxLayout;
    monthsRow->addWidget(monthsLabel);
    monthsRow->addWidget(months);
    monthsRow->addStretch(1);
    balanceGrid->addLayout(monthsRow, 0, 1);
    QPalette red = months->palette();
    red.setColor(QPalette::Base, QColor(255, 0, 0));
    red.setColor(QPalette::Text, Qt::white);
    months->setPalette(red);
    // Below the button: the three results.
    addOutput(balanceGrid, 1, "b", QStringLiteral("Balance"));
    addOutput(balanceGrid, 2, "ab", QStringLiteral("Principal Paid"));
    addOutput(balanceGrid, 3, "ib", QStringLiteral("Interest Paid"));
    column->addWidget(balance);

    connect(calculate, &QPushButton::clicked, this, &TFMortgage::CalculateClick);
    connect(balanceButton, &QPushButton::clicked, this, &TFMortgage::BalanceClick);
    connect(print, &QToolButton::clicked, this, &TFMortgage::SPrintClick);
    connect(exit, &QPushButton::clicked, this, &TFMortgage::SExitClick);

    adjustSize();
    if (QScreen *screen = QGuiApplication::primaryScreen()) {
        QRect area = frameGeometry();
        area.moveCenter(screen->availableGeometry().center());
        move(area.topLeft());
    }
}

QLineEdit *TFMortgage::box(const char *name) const
{
    return findChild<QLineEdit *>(QString::fromLatin1(name));
}

bool TFMortgage::readInputs(accessories::LoanInputs &inputs)
{
    QStringList texts;
    for (const char *name : {"L", "m", "i", "n", "c", "t"})
        texts << box(name)->text();
    const QString error = accessories::readLoanInputs(texts, inputs);
    if (error.isEmpty())
        return true;
    MessageBoxes::showMessage(error);
    return false;
}

void TFMortgage::CalculateClick()
{
    accessories::LoanInputs inputs;
    if (!readInputs(inputs))
        return;
    const accessories::LoanPayments p = m_calculator.calculate(inputs);
    box("PayM")->setText(accessories::formatMoney(p.monthly));
    box("PayS")->setText(accessories::formatMoney(p.semiMonthly));
    box("PayB")->setText(accessories::formatMoney(p.biWeekly));
    box("PayW")->setText(accessories::formatMoney(p.weekly));
    for (const char *name : {"b", "ab", "ib"})
        box(name)->setText(kUnknown);
}

void TFMortgage::BalanceClick()
{
    accessories::LoanInputs inputs;
    if (!readInputs(inputs))
        return;
    if (!m_calculator.hasPayment()) {
        MessageBoxes::showMessage(QStringLiteral("Please press Calculate first."));
        return;
    }
    const accessories::LoanBalance b = m_calculator.balanceAfter(inputs);
    box("b")->setText(accessories::formatMoney(b.balance));
    box("ab")->setText(accessories::formatMoney(b.principalPaid));
    box("ib")->setText(accessories::formatMoney(b.interestPaid));
}

void TFMortgage::SPrintClick()
{
    const QImage image = grab().toImage();
    PrintRequest request;
    request.kind = PrintKind::Dialog;
    request.owner = this;
    request.title = windowTitle();
    request.render = [image](QPrinter *printer) {
        QPainter painter(printer);
        const QRect page = painter.viewport();
        // The window's size on paper as on a screen of 96 dots per inch, smaller if needed.
        QSize size = image.size() * (printer->resolution() / 96.0);
        size = size.boundedTo(page.size());
        painter.drawImage(QRect(page.topLeft(), image.size().scaled(size, Qt::KeepAspectRatio)),
                          image);
    };
    Printing::print(request);
}

void TFMortgage::SExitClick()
{
    close();
}

void TFDFin::MMMortgageLoanClick()
{
    // A window of its own per click, beside the main window (not modal).
    auto *calculator = new TFMortgage(this);
    calculator->show();
}

} // namespace tav
