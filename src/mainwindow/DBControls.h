#pragma once
// Data-aware controls: each is bound to one field of a data source and follows its
// current record. Only the user's own edits write back (textEdited, not programmatic
// fills): the first such edit puts a browsing dataset into Edit, then the value goes into
// the record buffer. Date text is kept as typed and written just before a post, so a
// half-typed date never reaches the buffer; a date that cannot be parsed is left to the
// caller's date check and does not reach the buffer at all.

#include "DataSource.h"
#include "PictureDecoder.h"

#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QPointer>

#include <functional>

namespace tav
{

// What the bound controls share: the binding and the guard against reloading while the
// control itself writes.
class FieldLink
{
public:
    store::DataSource *source() const { return m_source; }
    QString field() const { return m_field; }
    // The dataset when it is open and has the field, else nullptr.
    store::Dataset *activeSet() const;
    store::FieldType fieldType() const;

protected:
    // Binds `control` to `field` of `source` in place of its former binding: `reload` runs
    // when the record or that field changes, except while the control writes itself.
    void link(QObject *control, store::DataSource *source, const QString &field,
              const std::function<void()> &reload);
    // Runs `write`, the user's change, with `set` put into Edit first and reloads held off
    // meanwhile. A value the engine refuses is reported and `reload` shows the stored value.
    void writeUserChange(store::Dataset *set, const std::function<void()> &write,
                         const std::function<void()> &reload);

    QPointer<store::DataSource> m_source;
    QString m_field;
    bool m_writing = false;
};

// Edit box (record fields, and caption boxes bound to the labels table).
class DBEdit : public QLineEdit, public FieldLink
{
    Q_OBJECT
public:
    explicit DBEdit(QWidget *parent = nullptr);
    void bind(store::DataSource *source, const QString &field);
    // The box shows the current record's number (its position in the table's order) instead
    // of the field's stored value; empty for a record being added. Read-only.
    void setShowsPosition(bool on);
    // Shows the current record's value again (dropping text not yet written). A box that is
    // hidden (an extra field not in use) catches up when it is shown again.
    void reload();
    // True while typed date text waits for the next post.
    bool hasPendingDate() const { return m_pendingDate; }
    // The longest text the box takes, in characters as the store counts them (an emoji is
    // one character, though two UTF-16 units). Use this, not setMaxLength.
    void setMaxCharacters(int count);
    int maxCharacters() const { return m_maxCharacters; }

signals:
    // A key was released in the box (after the box has handled it).
    void keyUp();
    // A mouse button went down on the box (before the box handles it).
    void mouseDown(Qt::MouseButton button);

protected:
    void keyReleaseEvent(QKeyEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    void userEdited(const QString &text);
    void writePendingDate();
    bool m_pendingDate = false;
    bool m_stale = false; // the record moved on while the box was hidden
    bool m_showsPosition = false;
    int m_maxCharacters = 0; // 0: no limit of its own
    QString m_lastText;      // the text before the change being validated
    friend class CharacterLimit;
};

// Memo box (Comments).
class DBMemo : public QPlainTextEdit, public FieldLink
{
    Q_OBJECT
public:
    explicit DBMemo(QWidget *parent = nullptr);
    void bind(store::DataSource *source, const QString &field);
    void reload();

private:
    // Any change of the text that did not come from reload() is an edit.
    void textWasChanged();
    bool m_loading = false;
};

// Picture box for a graphic field: the picture scaled to fit, centred. The stored bytes are
// decoded once per record for the box's size, not on every repaint, and on a worker thread:
// a move never waits for the decoder and the box shows the picture as soon as it is ready
// (blank meanwhile, never the previous record's). After a move the next record in the same
// direction is decoded ahead. The whole picture is decoded only when asked for.
class DBImage : public QLabel, public FieldLink
{
    Q_OBJECT
public:
    explicit DBImage(QWidget *parent = nullptr);
    void bind(store::DataSource *source, const QString &field);
    void reload();
    bool hasPicture() const { return !m_bytes.isEmpty(); }
    // Whether the box has painted the current picture at its size (true without one).
    bool isPictureShown() const;
    // Makes the box's picture ready now, waiting for the decoder (screenshots, tests).
    void settlePicture();
    // The whole picture (decoded on first use and kept until the record changes).
    QImage picture() const;
    QByteArray pictureBytes() const { return m_bytes; }
    // The user puts a picture into the box: the record enters Edit as after typing and the
    // bytes go into the field. `decoded` is the picture of `bytes` when the caller has it.
    // False when there is no record to take it or the engine refused (the reason is shown).
    bool setUserPicture(const QByteArray &bytes, const QImage &decoded = QImage());

signals:
    void mouseDown(Qt::MouseButton button);
    void doubleClicked();

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;

private:
    void showBytes(const QByteArray &bytes, const QImage &decoded);
    // Takes the box picture from the decoder when it has it (true), else asks for it.
    bool takeBoxPicture(const QSize &box);
    void setBoxPicture(const QImage &small, const QSize &box);
    // Hands the next record's picture (in the direction of the last move) to the decoder.
    void readAhead();

    QByteArray m_bytes;
    mutable QImage m_whole;  // the whole picture once decoded
    QPixmap m_scaled;        // what the box paints
    QSize m_scaledFor;       // the box size m_scaled was made for
    quint64 m_generation = 1; // counts the pictures shown
    quint64 m_paintedGeneration = 0;
    PictureDecoder *m_decoder;
    int m_lastRecNo = 0;
    int m_direction = 1;
    bool m_readAheadQueued = false;
};

// Read-only label showing a field (a caption on the Report page).
class DBText : public QLabel, public FieldLink
{
    Q_OBJECT
public:
    explicit DBText(QWidget *parent = nullptr);
    void bind(store::DataSource *source, const QString &field);
    void reload();
};

} // namespace tav
