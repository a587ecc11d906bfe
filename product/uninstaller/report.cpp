#include "report.h"

#include "core/text.h"

namespace brimel::product {
namespace {

// Items listed by name; the rest are counted.
constexpr size_t kListed = 16;

String List(const Array<String>& items) {
    String text;
    for (size_t i = 0; i < items.size() && i < kListed; ++i) text += items[i] + "\n";
    if (items.size() > kListed)
        text += "... and " + DecimalText(static_cast<int>(items.size() - kListed)) + " more\n";
    return text;
}

}  // namespace

const char kTitle[] = "Uninstall Brimel Messenger";
const char kUsage[] =
    "Uninstall Brimel [/S]\n\n"
    "/S\tremove Brimel Messenger without questions or messages.\n\n"
    "Exit codes: 0 removed, 1 some items remained, 2 cancelled, "
    "3 Program Files folder unknown, 4 Brimel Messenger still running, 5 unknown argument, "
    "6 Brimel Messenger's folder not found.";
const char kConfirmation[] =
    "Are you sure you want to completely remove Brimel Messenger and all of its components?\n\n"
    "Your personal settings are kept.";
const char kNoProgramFilesText[] = "The Program Files folder could not be found. Nothing was removed.";
const char kNotInstalledText[] = "Brimel Messenger is not installed on this computer.";
const char kMessengerRunningText[] =
    "Please exit Brimel Messenger, then run the uninstaller again.\n\nNothing was removed.";

String FolderMissingText(const String& productFolder) {
    return "Brimel Messenger's folder was not found where the registry says it is:\n\n" + productFolder +
           "\n\nNothing was removed.";
}

String ReportText(const RemovalOutcome& outcome) {
    if (!outcome.Complete())
        return "Brimel Messenger was removed, but these items could not be removed:\n\n" + List(outcome.failed) +
               "\nYou can delete them yourself, or restart the computer and run the uninstaller again.";
    String text = "Brimel Messenger was removed from your computer.";
    if (!outcome.kept.empty())
        text += "\n\nThese folders were kept because they still hold other files:\n\n" + List(outcome.kept);
    return text;
}

}  // namespace brimel::product
