// Layout of the Database page: on the left the record buttons, the row "Created"/"No.",
// the fixed fields 80..86 and the scroll box ScrollBox3 with 87..94 and the extra fields
// 0..77 (caption box left, record edit box right, one grid column each); on the right the
// picture, the comments with their caption box and the quick-search panel.

#include "DBControls.h"
#include "FDFin.h"
#include "FieldCatalogue.h"
#include "ToolbarIcons.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

namespace tav
{

namespace cat = store::catalogue;

namespace
{
constexpr int kCaptionWidth = 150;
constexpr int kRadioColumn = 22;
constexpr int kFieldLength = 100;
constexpr int kShortCaptionLength = 40; // captions of positions 78..95
constexpr int kLongCaptionLength = 100; // captions of the extra fields

QGridLayout *fieldGrid(int radioColumn)
{
    auto *grid = new QGridLayout;
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setHorizontalSpacing(6);
    grid->setVerticalSpacing(3);
    grid->setColumnMinimumWidth(0, radioColumn);
    grid->setColumnStretch(2, 1);
    return grid;
}

QRadioButton *searchItem(QButtonGroup *group, int index, QWidget *parent)
{
    auto *button = new QRadioButton(parent);
    button->setObjectName(QStringLiteral("FilterOnRadioGroupItem") + QString::number(index));
    button->setToolTip(QStringLiteral("Select field to search"));
    group->addButton(button, index);
    return button;
}

QPushButton *pushButton(QWidget *parent, const char *name, const QString &caption,
                        const QString &hint)
{
    auto *button = new QPushButton(caption, parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setToolTip(hint);
    return button;
}
} // namespace

void TFDFin::buildDatabasePage(QWidget *page)
{
    auto *columns = new QHBoxLayout(page);
    columns->setContentsMargins(8, 8, 8, 8);
    columns->setSpacing(14);

    m_filterOn = new QButtonGroup(this);
    m_filterOn->setObjectName(QStringLiteral("FilterOnRadioGroup"));

    auto *left = new QVBoxLayout;
    left->setSpacing(6);
    left->addWidget(buildNavigationBar(page));

    // Fields outside the scroll box keep a right margin as wide as the scroll bar, so
    // their edit boxes end where the scrolled ones do.
    const int scrollBarWidth = page->style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    // The search buttons' column is as wide in the scroll box, where it stays empty.
    const int radioColumn = std::max(kRadioColumn, QRadioButton().sizeHint().width());
    auto *fixed = fieldGrid(radioColumn);
    fixed->setContentsMargins(0, 0, scrollBarWidth, 0);

    auto *created = new QLabel(QStringLiteral("Created"), page);
    created->setObjectName(QStringLiteral("Label2"));
    created->setToolTip(QStringLiteral("Creation date"));
    created->setFixedWidth(kCaptionWidth);
    created->setIndent(4);
    auto *date = new DBEdit(page);
    date->setObjectName(cat::editBoxName(cat::kPosDate));
    date->setToolTip(QStringLiteral("Creation date"));
    date->setFixedWidth(120);
    date->bind(m_dataSource1, cat::recordField(cat::kPosDate));
    auto *number = new QLabel(QStringLiteral("No."), page);
    number->setObjectName(QStringLiteral("Label3"));
    number->setToolTip(QStringLiteral("Record number"));
    auto *count = new DBEdit(page);
    count->setObjectName(cat::editBoxName(cat::kPosCount));
    count->setToolTip(QStringLiteral("Record number"));
    count->setFixedWidth(80);
    count->bind(m_dataSource1, cat::recordField(cat::kPosCount));
    // The record number is the record's place in the table; Count only orders the records.
    count->setShowsPosition(true);
    auto *dateRow = new QHBoxLayout;
    dateRow->setSpacing(6);
    dateRow->addWidget(date);
    dateRow->addSpacing(16);
    dateRow->addWidget(number);
    dateRow->addWidget(count);
    dateRow->addStretch(1);
    fixed->addWidget(searchItem(m_filterOn, 0, page), 0, 0);
    fixed->addWidget(created, 0, 1);
    fixed->addLayout(dateRow, 0, 2);

    int row = 1;
    for (int pos = cat::kFirstFixed; pos <= 86; ++pos, ++row) {
        fixed->addWidget(searchItem(m_filterOn, row, page), row, 0);
        addFieldRow(fixed, row, pos, page);
    }
    left->addLayout(fixed);

    auto *scroll = new QScrollArea(page);
    scroll->setObjectName(QStringLiteral("ScrollBox3"));
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    auto *scrolled = new QWidget(scroll);
    scrolled->setObjectName(QStringLiteral("ScrollBox3Contents"));
    auto *scrollColumn = new QVBoxLayout(scrolled);
    scrollColumn->setContentsMargins(0, 0, 0, 0);
    auto *more = fieldGrid(radioColumn);
    // An empty column gets no spacing after it: the minimum width carries it.
    more->setColumnMinimumWidth(0, radioColumn + more->horizontalSpacing());
    row = 0;
    for (int pos : cat::databasePageOrder()) {
        if (pos >= cat::kPosDate && pos <= 86)
            continue; // those stand above the scroll box
        addFieldRow(more, row++, pos, scrolled);
    }
    scrollColumn->addLayout(more);
    scrollColumn->addStretch(1);
    scroll->setWidget(scrolled);
    // The rows continue the page's background without a seam.
    scroll->viewport()->setAutoFillBackground(false);
    scrolled->setAutoFillBackground(false);
    left->addWidget(scroll, 1);

    auto *fieldButtons = new QHBoxLayout;
    fieldButtons->addWidget(pushButton(page, "BAddFields", QStringLiteral("Add Fields +"),
                                       QStringLiteral("Add more fields")));
    fieldButtons->addWidget(pushButton(page, "BDeleteFields", QStringLiteral("- Remove Fields"),
                                       QStringLiteral("Remove Fields")));
    auto *saveLabels = pushButton(page, "BSaveLabels", QStringLiteral("Save Labels"),
                                  QStringLiteral("After editing labels click to save."));
    saveLabels->hide();
    fieldButtons->addWidget(saveLabels);
    fieldButtons->addStretch(1);
    left->addLayout(fieldButtons);

    columns->addLayout(left, 3);
    columns->addWidget(buildRightColumn(page), 2);

    m_tempDir = new QLabel(page);
    m_tempDir->setObjectName(QStringLiteral("TempDir"));
    m_tempDir->hide();
}

void TFDFin::addFieldRow(QGridLayout *grid, int row, int pos, QWidget *parent)
{
    auto *caption = new DBEdit(parent);
    caption->setObjectName(cat::captionBoxName(pos));
    caption->setToolTip(QStringLiteral("Click to change label"));
    caption->setMaxCharacters(pos < cat::kExtraFields ? kLongCaptionLength : kShortCaptionLength);
    caption->setFixedWidth(kCaptionWidth);
    caption->bind(m_dataSource2, cat::labelsField(pos));

    auto *edit = new DBEdit(parent);
    edit->setObjectName(cat::editBoxName(pos));
    edit->setMaxCharacters(kFieldLength);
    edit->setMinimumWidth(200);
    edit->bind(m_dataSource1, cat::recordField(pos));

    // Rows keep their natural height also where the scroll box could squeeze them, and are
    // as high as the rows with a search button.
    static const int rowHeight =
        std::max(QRadioButton().sizeHint().height(), edit->sizeHint().height());
    const bool extra = pos < cat::kExtraFields;
    for (DBEdit *box : {caption, edit})
        box->setFixedHeight(extra ? rowHeight : box->sizeHint().height());
    // A row's minimum height stays when its boxes are hidden: the extra rows take their
    // height from the boxes instead, so the scroll box ends after the last shown field.
    if (!extra)
        grid->setRowMinimumHeight(row, rowHeight);
    grid->addWidget(caption, row, 1);
    grid->addWidget(edit, row, 2);
    if (extra) { // shown from Nradd once a database is open
        caption->hide();
        edit->hide();
    }
}

QWidget *TFDFin::buildNavigationBar(QWidget *page)
{
    // Later record features (picture, lock, comments import) add their buttons here.
    auto *bar = new QWidget(page);
    bar->setObjectName(QStringLiteral("NavigationBar"));
    auto *row = new QHBoxLayout(bar);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(2);
    const struct {
        const char *name;
        ToolIcon icon;
        const char *hint;
        void (TFDFin::*handler)();
    } buttons[] = {
        {"SBFirst", ToolIcon::First, "First / F3", &TFDFin::SBFirstClick},
        {"SBPrev", ToolIcon::Prior, "Previous / F2", &TFDFin::SBPrevClick},
        {"SBNext", ToolIcon::Next, "Next / F1", &TFDFin::SBNextClick},
        {"SBLast", ToolIcon::Last, "Last / F4", &TFDFin::SBLastClick},
        {"SBAdd", ToolIcon::Add, "Add", &TFDFin::SBAddClick},
        {"SBSave", ToolIcon::Post, "Save", &TFDFin::SBSaveClick},
        {"SBCancel", ToolIcon::Cancel, "Cancel", &TFDFin::SBCancelClick},
    };
    for (const auto &b : buttons) {
        auto *button = new QToolButton(bar);
        button->setObjectName(QString::fromLatin1(b.name));
        button->setIcon(toolIcon(b.icon));
        button->setIconSize(QSize(20, 20));
        button->setToolTip(QString::fromLatin1(b.hint));
        connect(button, &QToolButton::clicked, this, b.handler);
        row->addWidget(button);
        if (qstrcmp(b.name, "SBLast") == 0)
            row->addSpacing(12);
    }
    row->addStretch(1);
    auto *attachment = pushButton(bar, "BViewAttachment", QStringLiteral("File Attachment"), {});
    attachment->hide();
    row->addWidget(attachment);
    return bar;
}

QWidget *TFDFin::buildRightColumn(QWidget *page)
{
    auto *column = new QWidget(page);
    column->setObjectName(QStringLiteral("RightColumn"));
    auto *box = new QVBoxLayout(column);
    box->setContentsMargins(0, 0, 0, 0);
    box->setSpacing(6);

    // The picture keeps its place when hidden, so the comments never jump.
    auto *frame = new QFrame(column);
    frame->setObjectName(QStringLiteral("ImageFrame"));
    frame->setFrameShape(QFrame::StyledPanel);
    frame->setFrameShadow(QFrame::Sunken);
    frame->setFixedHeight(180);
    auto *frameBox = new QVBoxLayout(frame);
    frameBox->setContentsMargins(2, 2, 2, 2);
    m_editImage = new DBImage(frame);
    m_editImage->setObjectName(QStringLiteral("EditImage"));
    m_editImage->bind(m_dataSource1, QStringLiteral("Image"));
    m_editImage->hide();
    frameBox->addWidget(m_editImage);
    box->addWidget(frame);

    auto *captionRow = new QHBoxLayout;
    captionRow->setSpacing(6);
    captionRow->addWidget(searchItem(m_filterOn, 8, column));
    auto *commentsCaption = new DBEdit(column);
    commentsCaption->setObjectName(QStringLiteral("LabelComments"));
    commentsCaption->setToolTip(QStringLiteral("Click to change label"));
    commentsCaption->setMaxCharacters(kShortCaptionLength);
    commentsCaption->bind(m_dataSource2, cat::labelsField(cat::kPosComments));
    captionRow->addWidget(commentsCaption, 1);
    box->addLayout(captionRow);

    m_memoComments = new DBMemo(column);
    m_memoComments->setObjectName(QStringLiteral("MemoComments"));
    m_memoComments->setToolTip(QStringLiteral("Right Click for options or double click to open"));
    m_memoComments->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_memoComments->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_memoComments->bind(m_dataSource1, cat::recordField(cat::kPosComments));
    box->addWidget(m_memoComments, 1);

    auto *search = new QGroupBox(QStringLiteral("Search by No."), column);
    search->setObjectName(QStringLiteral("GroupBox1"));
    auto *searchBox = new QGridLayout(search);
    m_filterCriteria = new QLineEdit(search);
    m_filterCriteria->setObjectName(QStringLiteral("FilterCriteria"));
    m_filterCriteria->setToolTip(QStringLiteral("Enter the text to search"));
    searchBox->addWidget(m_filterCriteria, 0, 0, 1, 3);
    searchBox->addWidget(pushButton(search, "FindBtn", QStringLiteral("Find First"),
                                    QStringLiteral("Find the first record")),
                         1, 0);
    searchBox->addWidget(pushButton(search, "NextBtn", QStringLiteral("Find Next"),
                                    QStringLiteral("Find the next record with the same entry")),
                         1, 1);
    searchBox->addWidget(pushButton(search, "PriorBtn", QStringLiteral("Find Prev"), {}), 1, 2);
    auto *filterOnLabel = new QLabel(search);
    filterOnLabel->setObjectName(QStringLiteral("FilterOnLabel"));
    searchBox->addWidget(filterOnLabel, 2, 0, 1, 3);
    box->addWidget(search);
    return column;
}

} // namespace tav
