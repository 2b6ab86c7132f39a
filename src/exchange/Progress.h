#pragma once
// Long exchange runs report how far they are through a callback that a dialog's progress bar
// follows. A callback that throws stops the run; the run then cleans up as on any failure.

#include <QtGlobal>
#include <functional>

namespace tav::exchange {

// `done` of `total` units (bytes, records or databases, as the run says).
using Progress = std::function<void(qint64 done, qint64 total)>;

// Calls `progress` only when the shown part changes by a step (a bar of a few hundred
// pixels needs no more), and always for the first and the last unit.
class ProgressThrottle
{
public:
    ProgressThrottle(const Progress &progress, qint64 total, int steps = 500)
        : m_progress(progress), m_total(total), m_step(qMax<qint64>(1, total / steps))
    {
    }
    void report(qint64 done)
    {
        if (!m_progress)
            return;
        if (done >= m_total || done - m_last >= m_step || m_last < 0) {
            m_last = done;
            m_progress(done, m_total);
        }
    }

private:
    const Progress &m_progress;
    qint64 m_total;
    qint64 m_step;
    qint64 m_last = -1;
};

} // namespace tav::exchange
