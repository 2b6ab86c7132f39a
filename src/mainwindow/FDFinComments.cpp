// The comments of the Database page (the editor window, Open in Notepad / Word, importing a
// text file), following e-mail and web addresses typed into record fields, and the Copy,
// Cut, Paste and Select All commands on the focused box. Links are checked before any
// program sees them: only real web addresses reach a browser, and a mail address is
// percent-encoded with anything after "?" dropped.

#include "CommentsEditor.h"
#include "DBControls.h"
#include "FDFin.h"
#include "FieldCatalogue.h"
#include "FileDialogs.h"
#include "Launcher.h"
#include "LinkTargets.h"
#include "MessageBoxes.h"

#include <QAbstractButton>
#include <QAction>
#include <QDir>
#include <QEvent>
#include <QFile>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSaveFile>
#include <QStringDecoder>

namespace tav
{

namespace cat = store::catalogue;

namespace
{
// Double clicks on the record boxes and the comments box go to the window's handlers once
// the box has handled the click itself (a handler may open a modal window).
class DoubleClicks : public QObject
{
public:
    DoubleClicks(QObject *parent, std::function<void()> handler)
        : QObject(parent), m_handler(std::move(handler))
    {
    }
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::MouseButtonDblClick)
            QMetaObject::invokeMethod(this, m_handler, Qt::QueuedConnection);
        return false;
    }

private:
    std::function<void()> m_handler;
};

QAction *popupItem(QMenu *menu, const char *name, const QString &caption,
                   const QKeySequence &shortcut = {})
{
    QAction *action = menu->addAction(caption);
    action->setObjectName(QString::fromLatin1(name));
    action->setShortcut(shortcut);
    // The Edit menu owns these keys in the window; the popup only shows them.
    action->setShortcutContext(Qt::WidgetShortcut);
    return action;
}

// Writes the comments into `path`; false when the file cannot be written.
bool writeText(const QString &path, const QString &text)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Text))
        return false;
    file.write(text.toUtf8());
    return file.commit();
}

// The file's text: UTF-8, or Latin-1 when it is not valid UTF-8.
QString decodeText(const QByteArray &bytes)
{
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = utf8(bytes);
    return utf8.hasError() ? QString::fromLatin1(bytes) : text;
}

enum class ClipboardCommand { Copy, Cut, Paste, SelectAll };

// The comments box when it has the focus, else the focused record box (or none).
QWidget *clipboardTarget(QWidget *comments, QWidget *recordBox)
{
    return comments->hasFocus() ? comments : recordBox;
}

void applyClipboardCommand(QWidget *target, ClipboardCommand command)
{
    if (auto *memo = qobject_cast<QPlainTextEdit *>(target)) {
        switch (command) {
        case ClipboardCommand::Copy:
            memo->copy();
            break;
        case ClipboardCommand::Cut:
            memo->cut();
            break;
        case ClipboardCommand::Paste:
            memo->paste();
            break;
        case ClipboardCommand::SelectAll:
            memo->selectAll();
            break;
        }
    } else if (auto *edit = qobject_cast<QLineEdit *>(target)) {
        switch (command) {
        case ClipboardCommand::Copy:
            edit->copy();
            break;
        case ClipboardCommand::Cut:
            if (!edit->isReadOnly())
                edit->cut();
            break;
        case ClipboardCommand::Paste:
            if (!edit->isReadOnly())
                edit->paste();
            break;
        case ClipboardCommand::SelectAll:
            edit->selectAll();
            break;
        }
    }
}
} // namespace

void TFDFin::wireComments()
{
    auto *popup = new QMenu(this);
    popup->setObjectName(QStringLiteral("PopupMenu2"));
    connect(popupItem(popup, "Open1", QStringLiteral("Open in Notepad")), &QAction::triggered,
            this, &TFDFin::Open1Click);
    connect(popupItem(popup, "Open2", QStringLiteral("Open in Word")), &QAction::triggered, this,
            &TFDFin::Open2Click);
    popup->addSeparator();
    const struct {
        const char *name;
        const char *caption;
        Qt::Key key;
        void (TFDFin::*handler)();
    } clipboardItems[] = {
        {"PMCopy", "Copy", Qt::Key_C, &TFDFin::idcopyClick},
        {"PMCut", "Cut", Qt::Key_X, &TFDFin::idcutClick},
        {"PMPaste", "Paste", Qt::Key_V, &TFDFin::idpasteClick},
        {"PMSelectAll", "Select All", Qt::Key_A, &TFDFin::idallClick},
    };
    for (const auto &i : clipboardItems)
        connect(popupItem(popup, i.name, QString::fromLatin1(i.caption),
                          QKeySequence(Qt::CTRL | i.key)),
                &QAction::triggered, this, i.handler);
    m_memoComments->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(m_memoComments, &QWidget::customContextMenuRequested, this,
            [this, popup](const QPoint &at) { popup->popup(m_memoComments->mapToGlobal(at)); });
    // The memo's text area receives its mouse events.
    m_memoComments->viewport()->installEventFilter(
        new DoubleClicks(this, [this] { MemoCommentsDblClick(); }));

    auto *linkClicks = new DoubleClicks(this, [this] { EditIDDblClick(); });
    for (int pos = 0; pos <= cat::kLastFixed; ++pos)
        if (pos != cat::kPosDate && pos != cat::kPosCount)
            if (auto *box = findChild<DBEdit *>(cat::editBoxName(pos)))
                box->installEventFilter(linkClicks);

    // The same handlers from the Edit menu, the toolbar and the record boxes' popup.
    const struct {
        const char *menu;
        const char *popup;
        const char *button;
        void (TFDFin::*handler)();
    } commands[] = {
        {"MMCopy", "idcopy", "SpeedButton6", &TFDFin::idcopyClick},
        {"MMCut", "idcut", "SpeedButton7", &TFDFin::idcutClick},
        {"MMPaste", "idpaste", "SpeedButton8", &TFDFin::idpasteClick},
        {"MMSelectAll", "idall", nullptr, &TFDFin::idallClick},
    };
    for (const auto &c : commands) {
        for (const char *name : {c.menu, c.popup})
            if (auto *action = findChild<QAction *>(QString::fromLatin1(name)))
                connect(action, &QAction::triggered, this, c.handler);
        if (c.button)
            if (auto *button = findChild<QAbstractButton *>(QString::fromLatin1(c.button)))
                connect(button, &QAbstractButton::clicked, this, c.handler);
    }
    if (auto *item = findChild<QAction *>(QStringLiteral("NetscapeID")))
        connect(item, &QAction::triggered, this, &TFDFin::NetscapeIDClick);
    if (auto *item = findChild<QAction *>(QStringLiteral("InternetExplorerID")))
        connect(item, &QAction::triggered, this, &TFDFin::InternetExplorerIDClick);

    // "Import" beside the record buttons.
    if (auto *bar = findChild<QWidget *>(QStringLiteral("NavigationBar"))) {
        auto *import = new QPushButton(QStringLiteral("Import"), bar);
        import->setObjectName(QStringLiteral("BImportText"));
        import->setToolTip(QStringLiteral("Import text files from your PC"));
        if (auto *row = qobject_cast<QHBoxLayout *>(bar->layout()))
            row->insertWidget(row->count() - 1, import);
        connect(import, &QPushButton::clicked, this, &TFDFin::BImportTextClick);
        m_databaseControls << import;
    }
}

void TFDFin::MemoCommentsDblClick()
{
    if (commentsLocked() || !m_memoComments->isVisible())
        return;
    const auto *caption = findChild<QLineEdit *>(QStringLiteral("LabelComments"));
    TFComments editor(this, caption ? caption->text() : QString(),
                      m_memoComments->toPlainText());
    editor.exec();
    // The text goes back as the user's own edit of the record, saved like any other.
    if (editor.text() != m_memoComments->toPlainText())
        m_memoComments->setPlainText(editor.text());
    if (m_filterCriteria->isVisible())
        m_filterCriteria->setFocus();
}

void TFDFin::Open1Click()
{
    if (commentsLocked())
        return;
    const QString path = QDir(dataDirectory()).filePath(QStringLiteral("memo.txt"));
    if (!writeText(path, m_memoComments->toPlainText())) {
        MessageBoxes::showMessage(QStringLiteral("Cannot open output file.\n") + path);
        return;
    }
    Launcher::startProgram(QStringLiteral("notepad"), {path}, dataDirectory());
}

void TFDFin::Open2Click()
{
    if (commentsLocked())
        return;
    const QString path = QDir(dataDirectory()).filePath(QStringLiteral("memo.doc"));
    if (!writeText(path, m_memoComments->toPlainText())) {
        MessageBoxes::showMessage(QStringLiteral("Cannot open output file.\n") + path);
        return;
    }
    Launcher::launchProgram(QStringLiteral("winword"), path);
}

void TFDFin::BImportTextClick()
{
    if (commentsLocked() || m_memoComments->isHidden()) {
        MessageBoxes::information(QStringLiteral("Please unlock Comment Box to import!"));
        return;
    }
    if (!recordsBound())
        return;
    try {
        m_table1->edit();
    } catch (const store::StoreError &e) {
        MessageBoxes::showMessage(e.message());
        return;
    }
    FileDialogRequest request;
    request.owner = this;
    request.caption = QStringLiteral("Import text in Comment Field");
    request.filter = FileDialogs::filterFromPipes(QStringLiteral("txt files|*.txt"));
    const QString path = FileDialogs::choose(request);
    returnToDataDirectory();
    if (!path.isEmpty()) {
        QFile file(path);
        if (file.open(QIODevice::ReadOnly))
            m_memoComments->setPlainText(decodeText(file.readAll()));
        else
            MessageBoxes::showMessage(QStringLiteral("Cannot open input file.\n") + path);
    }
    // Posted like Save, also when nothing was chosen.
    SaveRecord();
}

DBEdit *TFDFin::focusedRecordBox() const
{
    for (int pos = cat::kFirstFixed; pos <= cat::kLastFixed; ++pos)
        if (DBEdit *box = m_controls.recordEdits[pos]; box && box->hasFocus())
            return box;
    for (int pos = 0; pos < m_extraFieldCount && pos < cat::kExtraFields; ++pos)
        if (DBEdit *box = m_controls.recordEdits[pos]; box && box->hasFocus())
            return box;
    return nullptr;
}

void TFDFin::followLink(const QString &webProgram)
{
    const DBEdit *box = focusedRecordBox();
    if (!box)
        return;
    const QString text = box->text();
    if (accessories::hasWebMarker(text)) {
        const QString url = accessories::webLinkUrl(text);
        if (url.isEmpty())
            MessageBoxes::showMessage(QStringLiteral("This is not a web address:\n") + text);
        else
            Launcher::launchProgram(webProgram, url);
    }
    if (accessories::hasMailMarker(text)) {
        const QString url = accessories::mailLinkUrl(text);
        if (url.isEmpty())
            MessageBoxes::showMessage(QStringLiteral("This is not an e-mail address:\n") + text);
        else
            Launcher::launchProgram(QStringLiteral("iexplore"), url);
    }
}

void TFDFin::EditIDDblClick()
{
    followLink(QStringLiteral("iexplore"));
}

void TFDFin::InternetExplorerIDClick()
{
    followLink(QStringLiteral("iexplore"));
}

void TFDFin::NetscapeIDClick()
{
    followLink(QStringLiteral("netscape"));
}

void TFDFin::idcopyClick()
{
    applyClipboardCommand(clipboardTarget(m_memoComments, focusedRecordBox()),
                          ClipboardCommand::Copy);
}

void TFDFin::idcutClick()
{
    applyClipboardCommand(clipboardTarget(m_memoComments, focusedRecordBox()),
                          ClipboardCommand::Cut);
}

void TFDFin::idpasteClick()
{
    applyClipboardCommand(clipboardTarget(m_memoComments, focusedRecordBox()),
                          ClipboardCommand::Paste);
}

void TFDFin::idallClick()
{
    applyClipboardCommand(clipboardTarget(m_memoComments, focusedRecordBox()),
                          ClipboardCommand::SelectAll);
}

} // namespace tav
