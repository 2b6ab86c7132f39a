#pragma once
// The one seam through which every message box of both programs is shown.
// Tests install a handler that answers from a queue and logs the texts.

#include <QString>
#include <functional>

class QWidget;

namespace tav {

enum class MsgIcon { None, Information, Warning, Critical, Question };

// Button flags; ask() returns the one pressed.
enum MsgButton : int {
    MsgOk = 0x01,
    MsgCancel = 0x02,
    MsgYes = 0x04,
    MsgNo = 0x08,
    MsgAbort = 0x10,
    MsgRetry = 0x20,
    MsgIgnore = 0x40,
};

struct MessageRequest {
    QWidget *owner = nullptr;
    QString caption;
    QString text;
    MsgIcon icon = MsgIcon::None;
    int buttons = MsgOk;
};

using MessageHandler = std::function<int(const MessageRequest &)>;

class MessageBoxes
{
public:
    // Plain message: application title as caption, OK button, no icon.
    static void showMessage(const QString &text);
    // Plain information message: application title, information icon, OK.
    static void information(const QString &text);
    // A box owned by a window with its own caption, icon and button set.
    static int ask(QWidget *owner, const QString &text, const QString &caption, MsgIcon icon,
                   int buttons);

    // Replaces the real dialog (tests); an empty handler restores it.
    static void setHandler(MessageHandler handler);

private:
    static int show(const MessageRequest &request);
};

} // namespace tav
