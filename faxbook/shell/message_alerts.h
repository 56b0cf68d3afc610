// The store's English diagnostics, shown in a plain message box with an OK
// button under the program's title.
#pragma once

#include <string>

#include "faxbook/res/resource.h"
#include "platform/ui/message_box.h"
#include "platform/ui/resources.h"
#include "store/store_alerts.h"

class MessageBoxAlerts : public store::StoreAlerts {
 public:
  MessageBoxAlerts(ui::MessageBoxes* boxes, ui::Resources* resources)
      : boxes_(boxes), resources_(resources) {}
  void Alert(const std::string& text) override {
    boxes_->Show(text, resources_->String(IDS_APP_TITLE), ui::Buttons::kOk,
                 ui::Icon::kExclamation);
  }

 private:
  ui::MessageBoxes* boxes_;
  ui::Resources* resources_;
};
