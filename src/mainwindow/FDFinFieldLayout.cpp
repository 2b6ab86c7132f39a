// The field layout of the Database page: editing captions ("Save Labels"), showing more or
// fewer extra fields, and inserting or deleting a field along the field chain. The moves over
// all records are the store's field layout operations, each one transaction: a failure
// changes nothing, neither data nor captions nor Nradd.

#include "DBControls.h"
#include "FDFin.h"
#include "FieldCatalogue.h"
#include "FieldCountDialogs.h"
#include "FieldLayout.h"
#include "MessageBoxes.h"
#include "WaitCursor.h"

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QProgressBar>
#include <QPushButton>
#include <QStatusBar>

#include <algorithm>

namespace tav
{

namespace cat = store::catalogue;
namespace ops = store::ops;
using store::StoreError;

namespace
{
void setBaseColour(QWidget *box, QPalette::ColorRole role)
{
    if (!box)
        return;
    QPalette palette = box->palette();
    palette.setColor(QPalette::Base, QApplication::palette().color(role));
    box->setPalette(palette);
}

// The record box a field move acts on wears the tooltip colour while the move is asked
// and done, and the window's background colour afterwards.
class MarkedField
{
public:
    explicit MarkedField(QWidget *box) : m_box(box) { setBaseColour(box, QPalette::ToolTipBase); }
    ~MarkedField() { setBaseColour(m_box, QPalette::Base); }
    MarkedField(const MarkedField &) = delete;
    MarkedField &operator=(const MarkedField &) = delete;

private:
    QWidget *m_box;
};

// Width a caption box needs to show `text` whole: the text in the box's font plus the frame
// and margins the box keeps around its text (its size hint is 17 'x' wide plus those).
int captionWidthFor(const QLineEdit *box, const QString &text)
{
    const QFontMetrics metrics = box->fontMetrics();
    const int around = box->sizeHint().width() - metrics.horizontalAdvance(QLatin1Char('x')) * 17;
    return metrics.horizontalAdvance(text) + around;
}

// Routes a caption box's clicks, and for the boxes of catalogue positions its keys and its
// loss of focus, to the window's handlers.
class CaptionBoxEvents : public QObject
{
public:
    CaptionBoxEvents(TFDFin *main, bool keysAndExit)
        : QObject(main), m_main(main), m_keysAndExit(keysAndExit)
    {
    }

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        auto *box = static_cast<DBEdit *>(watched); // installed on caption boxes only
        switch (event->type()) {
        case QEvent::MouseButtonRelease: {
            const auto *mouse = static_cast<QMouseEvent *>(event);
            if (mouse->button() == Qt::LeftButton &&
                box->rect().contains(mouse->position().toPoint()))
                m_main->LabelAdd1Click(box);
            break;
        }
        case QEvent::KeyPress:
            if (m_keysAndExit)
                m_main->LabelIDKeyDown(box); // before the key changes the text
            break;
        case QEvent::FocusOut:
            if (m_keysAndExit)
                m_main->LabelIDExit(box);
            break;
        default:
            break;
        }
        return false;
    }

private:
    TFDFin *m_main;
    bool m_keysAndExit;
};

// Edit boxes take Ctrl+Ins and Ctrl+Del as their own copy and delete-word keys; in the
// record boxes the shortcuts of Insert Field and Delete Field go first.
class FieldItemKeys : public QObject
{
public:
    FieldItemKeys(QObject *parent, QList<QAction *> items) : QObject(parent), m_items(items) {}
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() != QEvent::ShortcutOverride)
            return false;
        const QKeySequence pressed(static_cast<QKeyEvent *>(event)->keyCombination());
        for (const QAction *item : std::as_const(m_items)) {
            if (item && item->isEnabled() && item->shortcut() == pressed) {
                event->ignore(); // not the box's: the shortcut runs
                return true;
            }
        }
        return false;
    }

private:
    QList<QAction *> m_items;
};
} // namespace

void TFDFin::wireFieldLayout()
{
    // The caption width boxes return to; the design width until the window is activated.
    if (auto *id = findChild<DBEdit *>(cat::captionBoxName(cat::kFirstFixed)))
        m_standardCaptionWidth = id->width();

    auto *captionEvents = new CaptionBoxEvents(this, true);
    auto *fieldKeys =
        new FieldItemKeys(this, {findChild<QAction *>(QStringLiteral("InsertField1")),
                                 findChild<QAction *>(QStringLiteral("DeleteField1"))});
    for (int pos = 0; pos <= cat::kLastFixed; ++pos) {
        const QString caption = cat::captionBoxName(pos);
        if (auto *box = caption.isEmpty() ? nullptr : findChild<DBEdit *>(caption))
            box->installEventFilter(captionEvents);
        if (auto *edit = findChild<DBEdit *>(cat::editBoxName(pos)))
            edit->installEventFilter(fieldKeys);
    }
    if (auto *comments = findChild<DBEdit *>(QStringLiteral("LabelComments")))
        comments->installEventFilter(new CaptionBoxEvents(this, false));

    auto *progress = new QProgressBar(statusBar());
    progress->setObjectName(QStringLiteral("ProgressBar2"));
    progress->setMaximumWidth(200);
    progress->setTextVisible(false);
    statusBar()->addPermanentWidget(progress);
    progress->hide();

    auto onClick = [this](const char *name, void (TFDFin::*handler)()) {
        if (auto *button = findChild<QPushButton *>(QString::fromLatin1(name)))
            connect(button, &QPushButton::clicked, this, handler);
    };
    onClick("BSaveLabels", &TFDFin::BSaveLabelsClick);
    onClick("BAddFields", &TFDFin::BAddFieldsClick);
    onClick("BDeleteFields", &TFDFin::BDeleteFieldsClick);
    auto onTrigger = [this](const char *name, void (TFDFin::*handler)()) {
        if (auto *action = findChild<QAction *>(QString::fromLatin1(name)))
            connect(action, &QAction::triggered, this, handler);
    };
    onTrigger("MMAddfields", &TFDFin::BAddFieldsClick);
    onTrigger("MMRemoveFields", &TFDFin::BDeleteFieldsClick);
    onTrigger("InsertField1", &TFDFin::InsertField1Click);
    onTrigger("InsertField2", &TFDFin::InsertField1Click);
    onTrigger("DeleteField1", &TFDFin::DeleteField1Click);
    onTrigger("DeleteField2", &TFDFin::DeleteField1Click);
    // They apply once a field of the chain has been entered.
    setNamedEnabled({"InsertField1", "DeleteField1"}, fieldItemsEnabled(m_currentFieldPosition));
}

// ---- Captions ------------------------------------------------------------------------------

void TFDFin::useTooltipColour(QWidget *box)
{
    setBaseColour(box, QPalette::ToolTipBase);
}

void TFDFin::LabelAdd1Click(DBEdit *box)
{
    if (box->objectName() != QLatin1String("LabelComments"))
        box->setFixedWidth(std::max(m_standardCaptionWidth, captionWidthFor(box, box->text())));
    useTooltipColour(box);
    if (auto *saveLabels = qobject_cast<QWidget *>(named("BSaveLabels")))
        saveLabels->show();
}

void TFDFin::LabelIDKeyDown(DBEdit *box)
{
    box->setFixedWidth(std::max(m_standardCaptionWidth, captionWidthFor(box, box->text())));
    useTooltipColour(box);
}

void TFDFin::LabelIDExit(DBEdit *box)
{
    useButtonFaceColour(box);
    box->setFixedWidth(m_standardCaptionWidth);
}

void TFDFin::BSaveLabelsClick()
{
    if (!labelsBound()) {
        MessageBoxes::information(kSelectDatabaseFirst);
        return;
    }
    try {
        m_table2->edit();
        m_table2->post();
        m_table2->flush();
    } catch (const StoreError &e) {
        MessageBoxes::showMessage(e.message());
        return;
    }
    if (auto *saveLabels = qobject_cast<QWidget *>(named("BSaveLabels")))
        saveLabels->hide();
}

// ---- Extra fields --------------------------------------------------------------------------

void TFDFin::BAddFieldsClick()
{
    if (!labelsBound())
        return;
    TFAddFields dialog(this, readNradd());
    if (dialog.exec() == QDialog::Accepted) {
        try {
            ops::addFields(*m_table2, dialog.count());
        } catch (const StoreError &e) {
            MessageBoxes::showMessage(e.message());
        }
    }
    m_extraFieldCount = readNradd();
    ShowExtraFields(m_extraFieldCount);
}

void TFDFin::BDeleteFieldsClick()
{
    if (!recordsBound() || !labelsBound())
        return;
    TFDeleteFields dialog(this, readNradd());
    if (dialog.exec() == QDialog::Accepted) {
        const int count = dialog.count();
        runFieldMove([&] { ops::removeFields(*m_table1, *m_table2, count); },
                     QStringLiteral(" deleting error!"));
    }
    m_extraFieldCount = readNradd();
    ShowExtraFields(m_extraFieldCount);
}

// ---- Insert Field and Delete Field ---------------------------------------------------------

void TFDFin::InsertField1Click()
{
    const int pos = m_currentFieldPosition;
    if (!fieldItemsEnabled(pos) || !recordsBound() || !labelsBound())
        return;
    MarkedField marked(m_controls.recordEdits[pos]);
    const int nradd = readNradd();
    if (MessageBoxes::ask(
            this, QStringLiteral("Are you sure you want to insert a new field in all records ?"),
            QStringLiteral("Warning"), MsgIcon::Warning, MsgYes | MsgNo | MsgCancel) != MsgYes)
        return;
    if (nradd == cat::kExtraFields &&
        MessageBoxes::ask(this, QStringLiteral("Data in the last field will be lost. Continue ?"),
                          QStringLiteral("Warning"), MsgIcon::None,
                          MsgYes | MsgNo | MsgCancel) != MsgYes)
        return;
    runFieldMove([&] { ops::insertField(*m_table1, *m_table2, pos); }, QString());
}

void TFDFin::DeleteField1Click()
{
    const int pos = m_currentFieldPosition;
    if (!fieldItemsEnabled(pos) || !recordsBound() || !labelsBound())
        return;
    MarkedField marked(m_controls.recordEdits[pos]);
    const QString caption = labelsCaption(pos, QStringLiteral(" "));
    if (MessageBoxes::ask(
            this,
            QStringLiteral(
                "Are you sure you want to delete completely \"%1\" field from all records ?")
                .arg(caption),
            QStringLiteral("Warning"), MsgIcon::Warning, MsgYes | MsgNo | MsgCancel) != MsgYes)
        return;
    runFieldMove([&] { ops::deleteField(*m_table1, *m_table2, pos); }, QString());
}

bool TFDFin::runFieldMove(const std::function<void()> &move, const QString &failureText)
{
    QString failure;
    {
        WaitCursor wait;
        // The move is one statement over all records: the bar says the program is at work.
        auto *progress = qobject_cast<QProgressBar *>(named("ProgressBar2"));
        progress->setRange(0, 0);
        progress->show();
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        try {
            move();
        } catch (const StoreError &e) {
            failure = e.message().isEmpty() ? QStringLiteral("Error") : e.message();
        }
        progress->hide();
    }
    m_extraFieldCount = readNradd();
    ShowExtraFields(m_extraFieldCount);
    m_rememberedRecordCount = m_table1->recordCount();
    if (failure.isEmpty())
        return true;
    if (failureText.isEmpty())
        MessageBoxes::showMessage(failure);
    else
        MessageBoxes::information(failureText);
    return false;
}

} // namespace tav
