#include "PictureDecoder.h"

#include "PictureFiles.h"

#include <QtConcurrent/QtConcurrentRun>

namespace tav
{

namespace
{
// The record shown, the one read ahead, and the two before them.
constexpr int kKeptResults = 4;
} // namespace

PictureDecoder::PictureDecoder(QObject *parent) : QObject(parent)
{
    connect(&m_watcher, &QFutureWatcher<QImage>::finished, this, &PictureDecoder::finished);
}

bool PictureDecoder::cached(const QByteArray &bytes, const QSize &size, QImage *picture) const
{
    for (const Result &result : m_results) {
        if (result.job.is(bytes, size)) {
            *picture = result.picture;
            return true;
        }
    }
    return false;
}

bool PictureDecoder::known(const QByteArray &bytes, const QSize &size) const
{
    if (m_running.is(bytes, size))
        return true;
    for (const Result &result : m_results) {
        if (result.job.is(bytes, size))
            return true;
    }
    return false;
}

void PictureDecoder::request(const QByteArray &bytes, const QSize &size)
{
    if (bytes.isEmpty() || size.isEmpty() || known(bytes, size))
        return;
    m_waiting = Job{bytes, size};
    if (!m_running.isSet())
        start(m_waiting);
}

void PictureDecoder::readAhead(const QByteArray &bytes, const QSize &size)
{
    if (m_waiting.isSet())
        return;
    request(bytes, size);
}

void PictureDecoder::start(Job job)
{
    m_running = job;
    m_waiting = Job();
    const QByteArray bytes = job.bytes; // shared and never changed: safe on the worker
    const QSize size = job.size;
    m_watcher.setFuture(QtConcurrent::run([bytes, size] { return decodePicture(bytes, size); }));
}

void PictureDecoder::finished()
{
    if (!m_running.isSet())
        return; // taken already by waitForIdle()
    m_results.append(Result{m_running, m_watcher.result()});
    if (m_results.size() > kKeptResults)
        m_results.removeFirst();
    m_running = Job();
    if (m_waiting.isSet())
        start(m_waiting);
    emit ready();
}

void PictureDecoder::waitForIdle()
{
    while (m_running.isSet()) {
        m_watcher.waitForFinished();
        finished();
    }
}

} // namespace tav
