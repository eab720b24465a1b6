// Sends one alert e-mail through send_alert_mail, for timing the whole process.
//   send_alert_once [--wait-ms N] <server> <port> <recipient1> <recipient2> <body>
// --wait-ms makes the dispatcher's pause between two reads of the progress N ms instead of
// the 300 ms it asks for, to show what that polling costs. Prints the result code.
#include "core/alerts/mail/alert_mail.h"
#include "core/platform/clock.h"
#include "core/platform/resolver.h"
#include "core/store/settings.h"

#include <chrono>
#include <cstdio>
#include <cstring>
#include <string>
#include <thread>

int main(int argc, char** argv) {
    int wait_ms = -1;
    int first = 1;
    if (argc > 2 && std::strcmp(argv[1], "--wait-ms") == 0) {
        wait_ms = std::stoi(argv[2]);
        first = 3;
    }
    if (argc - first != 5) {
        std::fprintf(stderr, "usage: %s [--wait-ms N] server port recipient1 recipient2 body\n",
                     argv[0]);
        return 2;
    }
    tindrel::Settings settings;
    settings.smtp_server = argv[first];
    settings.smtp_port = static_cast<int16_t>(std::stoi(argv[first + 1]));
    settings.recipient1 = argv[first + 2];
    settings.recipient2 = argv[first + 3];

    tindrel::SystemResolver resolver;
    tindrel::SystemClock clock;
    tindrel::MailDependencies deps{resolver, clock, {}};
    if (wait_ms >= 0) {
        deps.wait = [wait_ms](int) {
            std::this_thread::sleep_for(std::chrono::milliseconds(wait_ms));
        };
    }
    const int32_t result = tindrel::send_alert_mail(settings, argv[first + 4], deps);
    std::printf("%d\n", result);
    return result == tindrel::kMailFinished ? 0 : 1;
}
