#pragma once

#include <string_view>

// The texts of the program's message boxes, byte for byte; lines are separated by one CR.
namespace tindrel::texts {

inline constexpr std::string_view kWarningTitle = "Warning !";
inline constexpr std::string_view kInformationTitle = "Information !";
inline constexpr std::string_view kSaveTitle = "Save ?";

inline constexpr std::string_view kNetworkProblem =
    "TCP/IP initialisation Problem !\rThe program will stop now";
inline constexpr std::string_view kNoSoundCard = "No sound card found !";

inline constexpr std::string_view kSaveQuestion =
    "IPs list or settings changed.\rDo you want to save modifications ?";

inline constexpr std::string_view kDataFileNotFound =
    "Data file 'IPs.td' not found !\r"
    "A new one will be created with the following settings :\r"
    "Scan every : 10 sec\r"
    "Play sound = YES\r"
    "Send Email = NO\r"
    "SMTP : Not configured";
inline constexpr std::string_view kDataFileUnusable =
    "Problem opening/creating file 'IPs.td' in application directory !\r"
    "The program will stop now";
inline constexpr std::string_view kDataFileNotSaved =
    "Problem saving file 'IPs.td' in application directory !";
inline constexpr std::string_view kMailTurnedOff =
    "Incorrect SMTP settings !\r'Send EMail alert' has been turned OFF";

} // namespace tindrel::texts
