#ifndef SNPPROTOCOL_H
#define SNPPROTOCOL_H

// What the program says to the SNP300 and to the firmware server, in one place. The device and
// server stand-ins and the tests spell these bytes out on their own, so that a wrong value here
// fails a test instead of passing it twice.
namespace SnpProtocol {

// Commands to the device, over the serial link.
constexpr char VersionRequest[] = "VER\r\r\n"; // the application answers with <VER> and <BOOT>
constexpr char Stx[] = "\x02"; // enters the bootloader; the bootloader answers with its prompt
constexpr char BootloaderVersionRequest[] = "B"; // the bootloader answers with its version
constexpr char UnlockCommand[] = "UNLOCK\r\r\n";
constexpr char EraseCommand[] = "E";
constexpr char EraseConfirmation[] = "Y";
constexpr char ProgramCommand[] = "P"; // then one image line per answer
constexpr char LineEnd[] = "\r\n"; // after each image line as stored
constexpr char Cancel[] = "\x18"; // leaves the bootloader and starts the application

// Answers of the device that the dialogue waits for.
// The application's answer to VER tags its versions (regular expressions, one capture each).
constexpr char VersionTagPattern[] = "<VER>(.*)</VER>";
constexpr char BootTagPattern[] = "<BOOT>(.*)</BOOT>";
// The bootloader's prompt: alone, after a line end either way round, at the end of an answer.
constexpr char Prompt[] = "01>";
constexpr char PromptAfterCrLf[] = "\r\n01>";
constexpr char PromptAfterLfCr[] = "\n\r01>";
constexpr char PromptFirstPattern[] = "^01>";
constexpr char PromptLastPattern[] = "01>$";
// The bootloader's lines in its answer to B, the last-but-one its version in hexadecimal.
constexpr char BootloaderLineSeparator[] = "\r\n";
constexpr char Unlocked[] = "UNLOCKED"; // with the prompt, the answer to the unlock command
constexpr char Erased[] = "ERASED"; // with the prompt, the answer to the erase confirmation

// Kinds of image on the firmware server, the ending of each file name.
constexpr char FirmwareServiceId[] = "quenmarksnpfmr";
constexpr char BootloaderServiceId[] = "quenmarksnpbtl";

// Requests to the firmware server, the "service" field of the form.
constexpr char ListService[] = "list";
constexpr char GetService[] = "get";

// What a server query gives when the list went unanswered.
constexpr char NoRequestResponse[] = "NoRequestResponse";

} // namespace SnpProtocol

#endif // SNPPROTOCOL_H
