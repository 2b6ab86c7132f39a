#pragma once
// Drives a modal dialog from a test: arm it before triggering the action that opens the
// dialog; once the dialog of type T is the active modal widget, `work` runs on it.
//
//   onModal<TFOpen>([](TFOpen *d) { ...; d->findChild<QPushButton *>("BOpen")->click(); });
//   window.SBOpenClick();

#include <QApplication>
#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <functional>

namespace tav::test {

template <typename T>
void onModal(std::function<void(T *)> work, int attempts = 200)
{
    QTimer::singleShot(0, [work, attempts]() {
        if (auto *dialog = qobject_cast<T *>(QApplication::activeModalWidget())) {
            work(dialog);
            return;
        }
        if (attempts > 0)
            QTimer::singleShot(20, [work, attempts]() { onModal<T>(work, attempts - 1); });
        else
            qWarning("onModal: the expected dialog never appeared");
    });
}

} // namespace tav::test
