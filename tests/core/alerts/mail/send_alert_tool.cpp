// Sends one alert e-mail the way the monitor does and prints the result code.
//   send_alert_tool <server> <port> <recipient1> <recipient2> <body file>
// The port goes through the settings' signed 16-bit field, as the data file keeps it.
#include "core/alerts/mail/alert_mail.h"
#include "core/platform/clock.h"
#include "core/platform/resolver.h"
#include "core/store/settings.h"

#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>

int main(int argc, char** argv) {
    if (argc != 6) {
        std::fprintf(stderr, "usage: %s server port recipient1 recipient2 body-file\n", argv[0]);
        return 2;
    }
    std::ifstream body_file(argv[5], std::ios::binary);
    if (!body_file) {
        std::fprintf(stderr, "cannot read %s\n", argv[5]);
        return 2;
    }
    const std::string body((std::istreambuf_iterator<char>(body_file)),
                           std::istreambuf_iterator<char>());

    tindrel::Settings settings;
    settings.smtp_server = argv[1];
    settings.smtp_port = static_cast<int16_t>(std::stoi(argv[2]));
    settings.recipient1 = argv[3];
    settings.recipient2 = argv[4];

    tindrel::SystemResolver resolver;
    tindrel::SystemClock clock;
    const tindrel::MailDependencies deps{resolver, clock, {}};
    std::printf("%d\n", tindrel::send_alert_mail(settings, body, deps));
    return 0;
}
