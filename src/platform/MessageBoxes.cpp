#include "MessageBoxes.h"

#include <QApplication>
#include <QMessageBox>

namespace tav {

namespace {
MessageHandler &handler()
{
    static MessageHandler h;
    return h;
}

QMessageBox::Icon toQtIcon(MsgIcon icon)
{
    switch (icon) {
    case MsgIcon::Information: return QMessageBox::Information;
    case MsgIcon::Warning: return QMessageBox::Warning;
    case MsgIcon::Critical: return QMessageBox::Critical;
    case MsgIcon::Question: return QMessageBox::Question;
    case MsgIcon::None: break;
    }
    return QMessageBox::NoIcon;
}

struct ButtonMap {
    int flag;
    QMessageBox::StandardButton qt;
};
const ButtonMap kButtons[] = {
    {MsgOk, QMessageBox::Ok},       {MsgCancel, QMessageBox::Cancel}, {MsgYes, QMessageBox::Yes},
    {MsgNo, QMessageBox::No},       {MsgAbort, QMessageBox::Abort},   {MsgRetry, QMessageBox::Retry},
    {MsgIgnore, QMessageBox::Ignore},
};
} // namespace

void MessageBoxes::setHandler(MessageHandler h) { handler() = std::move(h); }

void MessageBoxes::showMessage(const QString &text)
{
    show({nullptr, QApplication::applicationDisplayName(), text, MsgIcon::None, MsgOk});
}

void MessageBoxes::information(const QString &text)
{
    show({nullptr, QApplication::applicationDisplayName(), text, MsgIcon::Information, MsgOk});
}

int MessageBoxes::ask(QWidget *owner, const QString &text, const QString &caption, MsgIcon icon,
                      int buttons)
{
    return show({owner, caption, text, icon, buttons});
}

int MessageBoxes::show(const MessageRequest &request)
{
    if (handler())
        return handler()(request);

    QMessageBox box(toQtIcon(request.icon), request.caption, request.text,
                    QMessageBox::NoButton, request.owner);
    QMessageBox::StandardButtons qtButtons;
    for (const ButtonMap &b : kButtons)
        if (request.buttons & b.flag)
            qtButtons |= b.qt;
    box.setStandardButtons(qtButtons);
    // Escape gives the cancelling answer; Enter the first positive one.
    for (QMessageBox::StandardButton candidate :
         {QMessageBox::Yes, QMessageBox::Ok, QMessageBox::Retry})
        if (qtButtons & candidate) {
            box.setDefaultButton(candidate);
            break;
        }
    const int pressed = box.exec();
    for (const ButtonMap &b : kButtons)
        if (pressed == b.qt)
            return b.flag;
    // Closed by the window manager: the most cautious answer offered.
    for (int flag : {MsgCancel, MsgNo, MsgOk})
        if (request.buttons & flag)
            return flag;
    return MsgOk;
}

} // namespace tav
