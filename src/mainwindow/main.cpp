// Tavrionex4: the card-file database program.
//
// TAVRIONEX_MESSAGES_TO_STDERR=1 writes the text of every message box to stderr instead of
// showing it (a box that asks takes its most cautious answer); tests that run the program
// as a process read its messages this way.

#include "AppEntry.h"
#include "MessageBoxes.h"

#include <cstdio>

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIntValue("TAVRIONEX_MESSAGES_TO_STDERR") == 1) {
        tav::MessageBoxes::setHandler([](const tav::MessageRequest &request) {
            std::fprintf(stderr, "%s\n", request.text.toLocal8Bit().constData());
            std::fflush(stderr);
            for (int answer : {tav::MsgCancel, tav::MsgNo, tav::MsgOk})
                if (request.buttons & answer)
                    return answer;
            return int(tav::MsgOk);
        });
    }
    return tav::runTavrionex4(argc, argv);
}
