#pragma once
// Decodes stored pictures for a picture box on a worker thread, so moving between records
// never waits for a decoder. One decoding runs at a time; of the requests made meanwhile only
// the latest waits behind it, so quick moves never queue up pictures nobody will see. The
// last few results are kept, so a picture read ahead (the next record's) or shown a moment
// ago appears at once.

#include <QByteArray>
#include <QFutureWatcher>
#include <QImage>
#include <QObject>
#include <QSize>
#include <QVector>

namespace tav
{

class PictureDecoder : public QObject
{
    Q_OBJECT
public:
    explicit PictureDecoder(QObject *parent = nullptr);

    // Whether `bytes` were decoded for `size` already; then `picture` is the result (a null
    // image for bytes no decoder can read).
    bool cached(const QByteArray &bytes, const QSize &size, QImage *picture) const;
    // Decodes `bytes` for `size`, ahead of anything read ahead; ready() tells when it is.
    void request(const QByteArray &bytes, const QSize &size);
    // Decodes `bytes` for `size` when nothing asked for waits: reading ahead never delays
    // a picture the user is waiting for.
    void readAhead(const QByteArray &bytes, const QSize &size);
    // Waits for the decoding under way and what waits behind it.
    void waitForIdle();
    bool isBusy() const { return m_running.isSet(); }

signals:
    // A decoding finished; its picture is in cached() now.
    void ready();

private:
    struct Job {
        QByteArray bytes;
        QSize size;
        bool isSet() const { return !bytes.isEmpty(); }
        bool is(const QByteArray &b, const QSize &s) const { return size == s && bytes == b; }
    };
    struct Result {
        Job job;
        QImage picture;
    };
    bool known(const QByteArray &bytes, const QSize &size) const;
    void start(Job job); // by value: it may be m_waiting, which it empties
    void finished();

    QFutureWatcher<QImage> m_watcher;
    Job m_running, m_waiting;
    QVector<Result> m_results; // newest last
};

} // namespace tav
