#include "Atach.h"

#include "Attachments.h"
#include "FileDialogs.h"
#include "Launcher.h"
#include "MessageBoxes.h"
#include "PictureFiles.h"
#include "StoreError.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHash>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QStyledItemDelegate>
#include <QVBoxLayout>

namespace tav
{

namespace ops = store::ops;

namespace
{
constexpr int kItemHeight = 16;
constexpr int kTextIndent = 20;
const QString kAllFilesFilter = QStringLiteral("All files (*.*)|*.*");

// Draws one of the six bitmaps: a sheet with a coloured mark, or a picture.
QPixmap drawBitmap(const QString &name)
{
    QPixmap pixmap(kItemHeight, kItemHeight);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    const QColor ink(60, 60, 70);
    auto sheet = [&] {
        p.setPen(QPen(ink, 1));
        p.setBrush(QColor(252, 252, 248));
        p.drawRect(QRectF(2.5, 0.5, 11, 15));
    };
    auto badge = [&](const QColor &colour, const QString &letter) {
        p.setPen(Qt::NoPen);
        p.setBrush(colour);
        p.drawRect(QRectF(0, 5, 10, 10));
        QFont font = p.font();
        font.setPixelSize(9);
        font.setBold(true);
        p.setFont(font);
        p.setPen(Qt::white);
        p.drawText(QRectF(0, 5, 10, 10), Qt::AlignCenter, letter);
    };
    if (name == QLatin1String("Html")) {
        sheet();
        p.setPen(QPen(QColor(52, 101, 164), 1.2));
        p.setBrush(QColor(114, 159, 207));
        p.drawEllipse(QRectF(1.5, 4.5, 10, 10));
        p.drawLine(QPointF(1.5, 9.5), QPointF(11.5, 9.5));
        p.drawLine(QPointF(6.5, 4.5), QPointF(6.5, 14.5));
    } else if (name == QLatin1String("Word")) {
        sheet();
        badge(QColor(43, 87, 154), QStringLiteral("W"));
    } else if (name == QLatin1String("Excel")) {
        sheet();
        badge(QColor(33, 115, 70), QStringLiteral("X"));
    } else if (name == QLatin1String("Note")) {
        sheet();
        p.setPen(QPen(QColor(150, 150, 160), 1));
        for (int y = 4; y <= 13; y += 3)
            p.drawLine(QPointF(4.5, y + 0.5), QPointF(11.5, y + 0.5));
    } else if (name == QLatin1String("Audio")) {
        p.setPen(QPen(ink, 1.5));
        p.setBrush(ink);
        p.drawEllipse(QRectF(2, 10, 4.5, 4));
        p.drawEllipse(QRectF(9, 8.5, 4.5, 4));
        p.drawLine(QPointF(6.3, 12), QPointF(6.3, 2.5));
        p.drawLine(QPointF(13.3, 10.5), QPointF(13.3, 1));
        p.drawLine(QPointF(6.3, 2.5), QPointF(13.3, 1));
    } else if (name == QLatin1String("Picture")) {
        p.setPen(QPen(ink, 1));
        p.setBrush(QColor(170, 210, 245));
        p.drawRect(QRectF(0.5, 2.5, 15, 11));
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(237, 212, 0));
        p.drawEllipse(QRectF(10, 4, 3.5, 3.5));
        p.setBrush(QColor(78, 154, 6));
        const QPointF hill[] = {{1, 13}, {6, 6.5}, {10, 11}, {12, 9}, {15, 13}};
        p.drawPolygon(hill, 5);
    } else {
        return QPixmap();
    }
    return pixmap;
}

// ListBox1's items: the bitmap at the top-left corner, the path 20 pixels to the right.
class AttachmentDelegate : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter *painter, const QStyleOptionViewItem &option,
               const QModelIndex &index) const override
    {
        QStyleOptionViewItem background = option;
        initStyleOption(&background, index);
        background.text.clear();
        background.icon = QIcon();
        const QWidget *widget = option.widget;
        QStyle *style = widget ? widget->style() : QApplication::style();
        style->drawControl(QStyle::CE_ItemViewItem, &background, painter, widget);

        const QString path = index.data(Qt::DisplayRole).toString();
        const bool selected = option.state & QStyle::State_Selected;
        painter->save();
        painter->setPen(
            option.palette.color(selected ? QPalette::HighlightedText : QPalette::Text));
        painter->drawText(option.rect.adjusted(kTextIndent, 0, 0, 0),
                          Qt::AlignLeft | Qt::AlignVCenter, path);
        const QPixmap bitmap = attachmentPixmap(attachmentBitmap(path));
        if (!bitmap.isNull())
            painter->drawPixmap(option.rect.topLeft(), bitmap);
        painter->restore();
    }

    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override
    {
        const QSize hint = QStyledItemDelegate::sizeHint(option, index);
        return QSize(hint.width() + kTextIndent, qMax(kItemHeight, option.fontMetrics.height()));
    }
};

QPushButton *button(QWidget *parent, const char *name, const QString &caption)
{
    auto *b = new QPushButton(caption, parent);
    b->setObjectName(QString::fromLatin1(name));
    return b;
}
} // namespace

QString attachmentBitmap(const QString &path)
{
    static const struct {
        const char *bitmap;
        QStringList parts;
    } rules[] = {
        {"Html", {".htm"}},         {"Word", {".doc"}},
        {"Excel", {".xls"}},        {"Note", {".txt"}},
        {"Audio", {".au", ".wav"}}, {"Picture", {".jpg", ".gif", ".jpeg", ".bmp"}},
    };
    QString found;
    for (const auto &rule : rules)
        for (const QString &part : rule.parts)
            if (path.contains(part, Qt::CaseSensitive))
                found = QString::fromLatin1(rule.bitmap);
    return found;
}

QPixmap attachmentPixmap(const QString &bitmap)
{
    static QHash<QString, QPixmap> drawn;
    if (bitmap.isEmpty())
        return QPixmap();
    auto it = drawn.find(bitmap);
    if (it == drawn.end())
        it = drawn.insert(bitmap, drawBitmap(bitmap));
    return it.value();
}

bool opensAsProgram(const QString &path)
{
    const QFileInfo info(path);
    if (info.suffix().compare(QLatin1String("desktop"), Qt::CaseInsensitive) == 0)
        return true;
    return info.isFile() && info.isExecutable();
}

TFAtach::TFAtach(RecordProvider current, QWidget *parent)
    : QWidget(parent, Qt::Tool), m_current(std::move(current))
{
    setObjectName(QStringLiteral("FAtach"));
    setWindowTitle(QStringLiteral("Attachment Files"));
    for (const char *name : {"Html", "Word", "Excel", "Audio", "Note", "Picture"})
        attachmentPixmap(QString::fromLatin1(name)); // drawn once, with the window

    auto *column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    m_list = new QListWidget(this);
    m_list->setObjectName(QStringLiteral("ListBox1"));
    m_list->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_list->setItemDelegate(new AttachmentDelegate(m_list));
    m_list->setUniformItemSizes(true);
    column->addWidget(m_list, 1);

    auto *panel = new QWidget(this);
    panel->setObjectName(QStringLiteral("Panel1"));
    auto *row = new QHBoxLayout(panel);
    row->setContentsMargins(8, 6, 8, 6);
    auto *add = button(panel, "BAdd", QStringLiteral("Add"));
    m_view = button(panel, "BView", QStringLiteral("View"));
    m_remove = button(panel, "BRemove", QStringLiteral("Remove"));
    auto *close = button(panel, "BClose", QStringLiteral("Close"));
    m_view->setEnabled(false);
    m_remove->setEnabled(false);
    for (QPushButton *b : {add, m_view, m_remove})
        row->addWidget(b);
    row->addStretch(1);
    row->addWidget(close);
    column->addWidget(panel);

    connect(add, &QPushButton::clicked, this, &TFAtach::BAddClick);
    connect(m_view, &QPushButton::clicked, this, &TFAtach::BViewClick);
    connect(m_remove, &QPushButton::clicked, this, &TFAtach::BRemoveClick);
    connect(close, &QPushButton::clicked, this, &TFAtach::BCloseClick);
    connect(m_list, &QListWidget::itemClicked, this, &TFAtach::ListBox1Click);
    connect(m_list, &QListWidget::itemDoubleClicked, this, &TFAtach::BViewClick);
    // Without a selection View and Remove would act on nothing.
    connect(m_list, &QListWidget::itemSelectionChanged, this, [this] {
        if (m_list->selectedItems().isEmpty()) {
            m_view->setEnabled(false);
            m_remove->setEnabled(false);
        }
    });
    resize(460, 260);
}

void TFAtach::caption(const AttachmentRecord &record)
{
    setWindowTitle(QStringLiteral("Files Attached to ") + record.database +
                   QStringLiteral(", Record ") + QString::number(record.position));
}

void TFAtach::fill(const QStringList &names)
{
    m_list->clear();
    m_list->addItems(names);
    emit attachmentsShown(!names.isEmpty());
}

void TFAtach::refresh()
{
    const AttachmentRecord record = m_current();
    caption(record);
    if (!record.stored || record.attachmentsPath.isEmpty()) {
        fill({});
        return;
    }
    fill(m_reader.files(record.attachmentsPath, record.number));
}

void TFAtach::clearList()
{
    m_reader.close(); // the table may be closing: its files are let go
    fill({});
}

QStringList TFAtach::files() const
{
    QStringList names;
    for (int i = 0; i < m_list->count(); ++i)
        names << m_list->item(i)->text();
    return names;
}

QStringList TFAtach::selectedFiles() const
{
    QStringList names;
    for (int i = 0; i < m_list->count(); ++i)
        if (m_list->item(i)->isSelected())
            names << m_list->item(i)->text();
    return names;
}

bool TFAtach::event(QEvent *event)
{
    if (event->type() == QEvent::Show && !m_placed) {
        m_placed = true;
        if (const QScreen *screen = QGuiApplication::primaryScreen()) {
            QRect frame = geometry();
            frame.moveCenter(screen->availableGeometry().center());
            move(frame.topLeft());
        }
    }
    const bool handled = QWidget::event(event);
    if (event->type() == QEvent::WindowActivate)
        FormActivate();
    return handled;
}

void TFAtach::closeEvent(QCloseEvent *event)
{
    event->ignore();
    BCloseClick();
}

void TFAtach::FormActivate()
{
    refresh();
}

void TFAtach::BAddClick()
{
    const AttachmentRecord record = m_current();
    if (record.attachmentsPath.isEmpty())
        return;
    if (!record.stored) {
        MessageBoxes::information(
            QStringLiteral("Save the new record before attaching files to it."));
        return;
    }
    const QString dataDir = QFileInfo(record.attachmentsPath).absolutePath();
    QDir::setCurrent(dataDir);
    const QString chosen = FileDialogs::openFileName(this, QStringLiteral("Open"), dataDir,
                                                     dialogFilter(kAllFilesFilter));
    QDir::setCurrent(dataDir); // the dialog may have moved it
    if (chosen.isEmpty())
        return;
    const QString refused = QStringLiteral("The file: '%1' is already attached to record %2!")
                                .arg(chosen)
                                .arg(record.position);
    if (files().contains(chosen)) {
        MessageBoxes::information(refused);
        return;
    }
    try {
        if (!ops::attachFile(record.attachmentsPath, record.number, chosen))
            MessageBoxes::information(refused);
    } catch (const store::StoreError &e) {
        MessageBoxes::showMessage(e.message());
    }
    m_list->clear();
    refresh();
}

void TFAtach::BViewClick()
{
    for (const QString &path : selectedFiles()) {
        if (opensAsProgram(path) &&
            MessageBoxes::ask(this,
                              QStringLiteral("'%1' is a program or a desktop launcher: opening "
                                             "it may run it. Open it anyway?")
                                  .arg(path),
                              QStringLiteral("Warning"), MsgIcon::Warning,
                              MsgYes | MsgNo) != MsgYes)
            continue;
        const int result = Launcher::openDocument(path);
        if (result <= 32)
            MessageBoxes::showMessage(Launcher::openResultMessage(result));
    }
}

void TFAtach::ListBox1Click()
{
    m_view->setEnabled(true);
    m_remove->setEnabled(true);
}

void TFAtach::BRemoveClick()
{
    const QStringList selected = selectedFiles();
    if (selected.isEmpty())
        return;
    const AttachmentRecord record = m_current();
    try {
        if (record.attachmentsPath.isEmpty())
            throw store::StoreError(QString());
        ops::detachFiles(record.attachmentsPath, record.number, selected);
    } catch (const store::StoreError &) {
        MessageBoxes::information(QStringLiteral("Error 1011"));
        return;
    }
    refresh();
    m_list->setFocus();
}

void TFAtach::BCloseClick()
{
    hide();
    if (m_list->count() == 0)
        emit attachmentsShown(false);
}

} // namespace tav
