#include "PagedPreview.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QScrollArea>
#include <QSpinBox>
#include <QToolButton>
#include <QVBoxLayout>

namespace tav {

namespace {
QPageLayout layoutOf(const PrintRequest &request)
{
    if (request.pageLayout.isValid())
        return request.pageLayout;
    return QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF());
}
} // namespace

PagedPreview::PagedPreview(const PrintRequest &request)
    : QDialog(request.owner), m_request(request)
{
    setObjectName(QStringLiteral("PagedPreview"));
    setWindowTitle(request.title);
    auto *column = new QVBoxLayout(this);
    auto *bar = new QHBoxLayout;
    auto button = [this, bar](const QString &text, const char *name) {
        auto *b = new QToolButton(this);
        b->setText(text);
        b->setObjectName(QString::fromLatin1(name));
        bar->addWidget(b);
        return b;
    };
    QToolButton *first = button(QStringLiteral("|<"), "FirstPage");
    QToolButton *prior = button(QStringLiteral("<"), "PriorPage");
    m_pageBox = new QSpinBox(this);
    m_pageBox->setObjectName(QStringLiteral("PageNumber"));
    m_pageBox->setRange(1, qMax(1, request.pageCount));
    m_pageBox->setKeyboardTracking(false);
    bar->addWidget(m_pageBox);
    m_pageCount = new QLabel(QStringLiteral("of %1 pages").arg(request.pageCount), this);
    m_pageCount->setObjectName(QStringLiteral("PageCount"));
    bar->addWidget(m_pageCount);
    QToolButton *next = button(QStringLiteral(">"), "NextPage");
    QToolButton *last = button(QStringLiteral(">|"), "LastPage");
    bar->addSpacing(12);
    QToolButton *zoomIn = button(QStringLiteral("+"), "ZoomIn");
    QToolButton *zoomOut = button(QStringLiteral("-"), "ZoomOut");
    bar->addStretch(1);
    auto *print = new QPushButton(QStringLiteral("Print..."), this);
    print->setObjectName(QStringLiteral("PrintButton"));
    bar->addWidget(print);
    auto *closeButton = new QPushButton(QStringLiteral("Close"), this);
    closeButton->setObjectName(QStringLiteral("CloseButton"));
    bar->addWidget(closeButton);
    column->addLayout(bar);

    auto *scroll = new QScrollArea(this);
    scroll->setAlignment(Qt::AlignHCenter);
    scroll->setBackgroundRole(QPalette::Dark);
    m_view = new QLabel(scroll);
    m_view->setObjectName(QStringLiteral("PageView"));
    scroll->setWidget(m_view);
    scroll->setWidgetResizable(false);
    column->addWidget(scroll, 1);

    connect(first, &QToolButton::clicked, this, [this] { showPage(0); });
    connect(prior, &QToolButton::clicked, this, [this] { showPage(m_page - 1); });
    connect(next, &QToolButton::clicked, this, [this] { showPage(m_page + 1); });
    connect(last, &QToolButton::clicked, this, [this] { showPage(m_request.pageCount - 1); });
    connect(m_pageBox, &QSpinBox::valueChanged, this, [this](int value) { showPage(value - 1); });
    connect(zoomIn, &QToolButton::clicked, this, [this] { zoomBy(1.25); });
    connect(zoomOut, &QToolButton::clicked, this, [this] { zoomBy(0.8); });
    connect(print, &QPushButton::clicked, this, &PagedPreview::printDocument);
    connect(closeButton, &QPushButton::clicked, this, &QDialog::reject);

    resize(900, 1000);
    showPage(0);
}

QImage PagedPreview::pageImage(const PrintRequest &request, int page, qreal dpi)
{
    const QPageLayout layout = layoutOf(request);
    const QSizeF inches = layout.fullRect(QPageLayout::Inch).size();
    QImage image((inches * dpi).toSize(), QImage::Format_RGB32);
    const int dotsPerMeter = qRound(dpi / 0.0254);
    image.setDotsPerMeterX(dotsPerMeter);
    image.setDotsPerMeterY(dotsPerMeter);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    const QRectF paint = layout.paintRect(QPageLayout::Inch);
    const QRectF area(paint.topLeft() * dpi, paint.size() * dpi);
    painter.translate(area.topLeft());
    request.renderPage(&painter, page, QRectF(QPointF(0, 0), area.size()));
    return image;
}

void PagedPreview::showPage(int page)
{
    if (m_request.pageCount <= 0) {
        m_view->setText(QStringLiteral("Nothing to print."));
        m_view->adjustSize();
        return;
    }
    page = qBound(0, page, m_request.pageCount - 1);
    if (page == m_page)
        return;
    m_page = page;
    const QSignalBlocker blocker(m_pageBox);
    m_pageBox->setValue(page + 1);
    m_view->setPixmap(QPixmap::fromImage(pageImage(m_request, page, m_dpi)));
    m_view->adjustSize();
}

void PagedPreview::zoomBy(qreal factor)
{
    m_dpi = qBound<qreal>(36, m_dpi * factor, 300);
    const int page = m_page;
    m_page = -1;
    showPage(page);
}

void PagedPreview::printDocument()
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(m_request.title);
    if (m_request.pageLayout.isValid())
        printer.setPageLayout(m_request.pageLayout);
    QPrintDialog dialog(&printer, this);
    dialog.setMinMax(1, qMax(1, m_request.pageCount));
    if (dialog.exec() != QDialog::Accepted)
        return;
    if (Printing::printPages(m_request, &printer, true))
        accept();
}

} // namespace tav
