#pragma once
// The preview of a paged print request: one page at a time, painted when it is shown, with
// page navigation and a Print button. Opening it costs one page whatever the length.

#include "Printing.h"

#include <QDialog>

class QLabel;
class QScrollArea;
class QSpinBox;

namespace tav {

class PagedPreview : public QDialog
{
    Q_OBJECT
public:
    explicit PagedPreview(const PrintRequest &request);
    int currentPage() const { return m_page; } // 0-based
    void showPage(int page);
    // The page as the preview paints it, at `dpi` dots per inch.
    static QImage pageImage(const PrintRequest &request, int page, qreal dpi);

private:
    void printDocument();
    void zoomBy(qreal factor);

    PrintRequest m_request;
    QLabel *m_view = nullptr;
    QSpinBox *m_pageBox = nullptr;
    QLabel *m_pageCount = nullptr;
    int m_page = -1;
    qreal m_dpi = 96;
};

} // namespace tav
