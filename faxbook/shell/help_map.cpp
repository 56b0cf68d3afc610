#include "faxbook/shell/help_map.h"

#include <algorithm>
#include <iterator>

#include "faxbook/res/resource.h"

namespace {

constexpr unsigned long kMainTopicCommands[] = {
    ID_FILE_APPLY,   ID_NEW_ADDRESS,  ID_NEW_GROUP,   IDC_EDIT_BUTTON,    IDC_DELETE_BUTTON,
    ID_EDIT_REPLACE, ID_FILE_IMPORT_BOOK, ID_IMPORT_CSV, ID_FILE_SAVE_AS, ID_APP_EXIT,
    ID_EDIT_COPY,    ID_EDIT_PASTE,   ID_VIEW_TOOLBAR, ID_VIEW_STATUS_BAR, ID_HELP_FINDER,
    ID_APP_ABOUT,
};

}  // namespace

HelpAction MapHelp(unsigned long d) {
  HelpAction action;
  if (d <= 0x10000ul || d == 0x20000ul || d >= 0x30000ul) {
    action.kind = HelpAction::kFinder;
  } else if (d < 0x20000ul) {
    const unsigned long command = d - 0x10000ul;
    if (std::find(std::begin(kMainTopicCommands), std::end(kMainTopicCommands), command) !=
        std::end(kMainTopicCommands)) {
      action.kind = HelpAction::kTopic;
      action.topic = kMainWindowTopic;
    } else if (d > 0x18000ul) {
      action.kind = HelpAction::kTopic;
      action.topic = d;
    }
  } else {
    action.kind = HelpAction::kTopic;
    action.topic = d;
  }
  return action;
}
