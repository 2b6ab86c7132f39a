#include "DBControls.h"

#include "MessageBoxes.h"
#include "PictureFiles.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <QValidator>
#include <QTimer>

namespace tav
{

using store::Dataset;
using store::DataSetState;
using store::DataSource;
using store::FieldType;
using store::StoreError;

Dataset *FieldLink::activeSet() const
{
    if (!m_source || m_field.isEmpty())
        return nullptr;
    Dataset *set = m_source->dataSet();
    if (!set || !set->isActive() || !set->hasField(m_field))
        return nullptr;
    return set;
}

FieldType FieldLink::fieldType() const
{
    if (Dataset *set = activeSet()) {
        const int ordinal = set->fieldIndex(m_field);
        const store::TableSchema schema = set->fields(); // shared, never copied (const)
        if (ordinal >= 0)
            return schema.at(ordinal).type;
    }
    return FieldType::Text;
}

void FieldLink::link(QObject *control, DataSource *source, const QString &field,
                     const std::function<void()> &reload)
{
    if (m_source)
        QObject::disconnect(m_source, nullptr, control, nullptr);
    m_source = source;
    m_field = field;
    if (!source)
        return;
    QObject::connect(source, &DataSource::dataChanged, control, [this, reload] {
        if (!m_writing)
            reload();
    });
    QObject::connect(source, &DataSource::fieldChanged, control,
                     [this, reload](const QString &changed) {
                         if (!m_writing && changed.compare(m_field, Qt::CaseInsensitive) == 0)
                             reload();
                     });
}

namespace
{
// A value as text for display; a record the engine cannot read shows as empty.
QString fieldText(Dataset *set, const QString &field)
{
    if (!set)
        return {};
    try {
        return set->asString(field);
    } catch (const StoreError &) {
        return {};
    }
}

// Starts editing when the dataset browses: the user has changed a bound control.
void enterEdit(Dataset *set)
{
    if (set->state() == DataSetState::Browse)
        set->edit();
}
} // namespace

void FieldLink::writeUserChange(Dataset *set, const std::function<void()> &write,
                                const std::function<void()> &reload)
{
    m_writing = true;
    try {
        enterEdit(set);
        write();
    } catch (const StoreError &e) {
        m_writing = false;
        MessageBoxes::showMessage(e.message());
        reload();
        return;
    }
    m_writing = false;
}

// ---------------------------------------------------------------------------------------

namespace
{
qsizetype characterCount(const QString &text)
{
    qsizetype count = 0;
    for (const QChar c : text)
        if (!c.isLowSurrogate())
            ++count;
    return count;
}

// Removes `count` characters (surrogate pairs whole) that end at `end`; returns where the
// removal began.
qsizetype removeCharactersBefore(QString &text, qsizetype end, qsizetype count)
{
    qsizetype begin = end;
    for (; count > 0 && begin > 0; --count) {
        --begin;
        if (begin > 0 && text.at(begin).isLowSurrogate() && text.at(begin - 1).isHighSurrogate())
            --begin;
    }
    text.remove(begin, end - begin);
    return begin;
}
} // namespace

// What goes beyond a box's limit is cut from the text just typed or pasted, which ends at
// the cursor: a long paste keeps its beginning, and a key pressed at the limit is refused
// so the record is not put into editing for nothing.
class CharacterLimit : public QValidator
{
public:
    explicit CharacterLimit(DBEdit *box) : QValidator(box), m_box(box) {}

    State validate(QString &input, int &pos) const override
    {
        const qsizetype excess = characterCount(input) - m_box->m_maxCharacters;
        if (excess <= 0)
            return Acceptable;
        pos = int(removeCharactersBefore(input, qBound(qsizetype(0), qsizetype(pos),
                                                       input.size()), excess));
        const qsizetype left = characterCount(input) - m_box->m_maxCharacters;
        if (left > 0) // the cursor stood too near the start: the end goes
            removeCharactersBefore(input, input.size(), left);
        pos = qMin(pos, int(input.size()));
        return input == m_box->m_lastText ? Invalid : Acceptable;
    }

private:
    DBEdit *m_box;
};

DBEdit::DBEdit(QWidget *parent) : QLineEdit(parent)
{
    connect(this, &QLineEdit::textEdited, this, &DBEdit::userEdited);
    connect(this, &QLineEdit::textChanged, this, [this](const QString &now) { m_lastText = now; });
    setReadOnly(true);
}

void DBEdit::setMaxCharacters(int count)
{
    m_maxCharacters = count;
    if (!validator())
        setValidator(new CharacterLimit(this));
}

void DBEdit::bind(DataSource *source, const QString &field)
{
    link(this, source, field, [this] { reload(); });
    if (source)
        connect(source, &DataSource::updateRecord, this, &DBEdit::writePendingDate);
    reload();
}

void DBEdit::setShowsPosition(bool on)
{
    m_showsPosition = on;
    reload();
}

void DBEdit::reload()
{
    m_pendingDate = false;
    // Laying out the text of every hidden extra field would slow down each move.
    m_stale = isHidden();
    if (m_stale)
        return;
    Dataset *set = activeSet();
    // Read-only first: it resets the cursor, which a handler of the new text may set.
    setReadOnly(!set || m_showsPosition || fieldType() == FieldType::AutoInc);
    QString value;
    if (!m_showsPosition)
        value = fieldText(set, m_field);
    else if (set && set->recordNumber() > 0)
        value = QString::number(set->recordNumber());
    if (value != text()) {
        setText(value);
        // A value wider than the box shows its beginning: setText leaves the cursor at the end.
        setCursorPosition(0);
    }
}

void DBEdit::userEdited(const QString &typed)
{
    Dataset *set = activeSet();
    if (!set)
        return;
    writeUserChange(
        set,
        [&] {
            if (fieldType() == FieldType::Date)
                m_pendingDate = true;
            else
                set->setAsString(m_field, typed);
        },
        [this] { reload(); });
}

void DBEdit::showEvent(QShowEvent *event)
{
    QLineEdit::showEvent(event);
    if (m_stale)
        reload();
}

void DBEdit::keyReleaseEvent(QKeyEvent *event)
{
    QLineEdit::keyReleaseEvent(event);
    emit keyUp();
}

void DBEdit::mousePressEvent(QMouseEvent *event)
{
    emit mouseDown(event->button());
    QLineEdit::mousePressEvent(event);
}

void DBEdit::writePendingDate()
{
    if (!m_pendingDate)
        return;
    m_pendingDate = false;
    Dataset *set = activeSet();
    if (!set || set->state() == DataSetState::Browse)
        return;
    m_writing = true;
    try {
        set->setAsString(m_field, text());
    } catch (const StoreError &) {
        // Not a date: the record keeps its stored date; the caller's date check reports it.
    }
    m_writing = false;
}

// ---------------------------------------------------------------------------------------

DBMemo::DBMemo(QWidget *parent) : QPlainTextEdit(parent)
{
    connect(this, &QPlainTextEdit::textChanged, this, &DBMemo::textWasChanged);
    setReadOnly(true);
}

void DBMemo::bind(DataSource *source, const QString &field)
{
    link(this, source, field, [this] { reload(); });
    reload();
}

void DBMemo::reload()
{
    Dataset *set = activeSet();
    const QString value = fieldText(set, m_field);
    m_loading = true;
    if (value != toPlainText())
        setPlainText(value);
    m_loading = false;
    setReadOnly(!set);
}

void DBMemo::textWasChanged()
{
    if (m_loading || m_writing)
        return;
    Dataset *set = activeSet();
    if (!set)
        return;
    writeUserChange(
        set, [&] { set->setValue(m_field, toPlainText()); }, [this] { reload(); });
}

// ---------------------------------------------------------------------------------------

DBImage::DBImage(QWidget *parent) : QLabel(parent), m_decoder(new PictureDecoder(this))
{
    setAlignment(Qt::AlignCenter);
    // The picture follows the box's size, never the other way round.
    setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Ignored);
    connect(m_decoder, &PictureDecoder::ready, this, [this] {
        if (!m_bytes.isEmpty() && m_whole.isNull() && m_scaledFor != contentsRect().size() &&
            takeBoxPicture(contentsRect().size()))
            update();
    });
}

void DBImage::bind(DataSource *source, const QString &field)
{
    link(this, source, field, [this] { reload(); });
    reload();
}

void DBImage::reload()
{
    QByteArray bytes;
    int recNo = 0;
    if (Dataset *set = activeSet()) {
        try {
            bytes = set->asBytes(m_field);
            recNo = set->recNo();
        } catch (const StoreError &) {
        }
    }
    if (recNo != m_lastRecNo) {
        m_direction = recNo < m_lastRecNo ? -1 : 1;
        m_lastRecNo = recNo;
        if (!m_readAheadQueued) {
            // Once the move has been painted.
            m_readAheadQueued = true;
            QTimer::singleShot(0, this, &DBImage::readAhead);
        }
    }
    if (bytes.isEmpty() || bytes != m_bytes) // the same picture keeps what was decoded
        showBytes(bytes, QImage());
}

void DBImage::showBytes(const QByteArray &bytes, const QImage &decoded)
{
    m_bytes = bytes;
    m_whole = decoded;
    m_scaled = QPixmap();
    m_scaledFor = QSize();
    ++m_generation;
    // Asked for now, the decoding runs beside the rest of the move and its repaint.
    if (!m_bytes.isEmpty() && m_whole.isNull())
        takeBoxPicture(contentsRect().size());
    update();
}

bool DBImage::takeBoxPicture(const QSize &box)
{
    if (box.isEmpty())
        return false; // not laid out yet: the first paint asks again
    QImage small;
    if (!m_decoder->cached(m_bytes, box, &small)) {
        m_decoder->request(m_bytes, box);
        return false;
    }
    setBoxPicture(small, box);
    return true;
}

void DBImage::setBoxPicture(const QImage &small, const QSize &box)
{
    m_scaled = QPixmap::fromImage(small);
    m_scaledFor = box;
}

void DBImage::readAhead()
{
    m_readAheadQueued = false;
    Dataset *set = activeSet();
    const QSize box = contentsRect().size();
    if (!set || box.isEmpty() || !isVisible())
        return;
    try {
        const QByteArray next = set->storedValueAt(set->recNo() + m_direction, m_field).toByteArray();
        m_decoder->readAhead(next, box);
    } catch (const StoreError &) {
    }
}

bool DBImage::isPictureShown() const
{
    return m_bytes.isEmpty() || m_paintedGeneration == m_generation;
}

void DBImage::settlePicture()
{
    m_decoder->waitForIdle();
    const QSize box = contentsRect().size();
    if (m_bytes.isEmpty() || box.isEmpty() || m_scaledFor == box)
        return;
    if (!m_whole.isNull())
        setBoxPicture(m_whole.scaled(box, Qt::KeepAspectRatio, Qt::SmoothTransformation), box);
    else if (!takeBoxPicture(box))
        setBoxPicture(decodePicture(m_bytes, box), box);
    update();
}

QImage DBImage::picture() const
{
    if (m_whole.isNull() && !m_bytes.isEmpty())
        m_whole = decodePicture(m_bytes);
    return m_whole;
}

bool DBImage::setUserPicture(const QByteArray &bytes, const QImage &decoded)
{
    Dataset *set = activeSet();
    if (!set || bytes.isEmpty())
        return false;
    bool written = false;
    writeUserChange(
        set,
        [&] {
            set->setValue(m_field, bytes);
            written = true;
        },
        [this] { reload(); });
    if (written)
        showBytes(bytes, decoded);
    return written;
}

void DBImage::paintEvent(QPaintEvent *event)
{
    QFrame::paintEvent(event);
    if (m_bytes.isEmpty())
        return;
    const QRect box = contentsRect();
    if (box.isEmpty())
        return;
    if (m_scaledFor != box.size()) {
        if (!m_whole.isNull()) // a picture decoded already only needs scaling
            setBoxPicture(
                m_whole.scaled(box.size(), Qt::KeepAspectRatio, Qt::SmoothTransformation),
                box.size());
        else
            takeBoxPicture(box.size()); // a resize stretches the old size until then
    }
    if (m_scaled.isNull()) {
        if (m_scaledFor == box.size())
            m_paintedGeneration = m_generation; // bytes no decoder can read: nothing to show
        return; // otherwise decoding: painted when it is ready
    }
    QPainter painter(this);
    const QSize shown = m_scaledFor == box.size()
                            ? m_scaled.size() / m_scaled.devicePixelRatio()
                            : m_scaled.size().scaled(box.size(), Qt::KeepAspectRatio);
    painter.drawPixmap(QRect(QPoint(box.x() + (box.width() - shown.width()) / 2,
                                    box.y() + (box.height() - shown.height()) / 2),
                             shown),
                       m_scaled);
    if (m_scaledFor == box.size())
        m_paintedGeneration = m_generation;
}

void DBImage::mousePressEvent(QMouseEvent *event)
{
    emit mouseDown(event->button());
    QLabel::mousePressEvent(event);
}

void DBImage::mouseDoubleClickEvent(QMouseEvent *event)
{
    QLabel::mouseDoubleClickEvent(event);
    emit doubleClicked();
}

// ---------------------------------------------------------------------------------------

DBText::DBText(QWidget *parent) : QLabel(parent) {}

void DBText::bind(DataSource *source, const QString &field)
{
    link(this, source, field, [this] { reload(); });
    reload();
}

void DBText::reload()
{
    setText(fieldText(activeSet(), m_field));
}

} // namespace tav
