// The about box (dialog 100): the program icon, its name, version and
// copyright, and OK. Everything it shows is in its template.
#pragma once

#include "faxbook/res/resource.h"
#include "platform/ui/dialog.h"

class CAboutDialog : public ui::Dialog {
 public:
  CAboutDialog() : Dialog(IDD_ABOUTBOX) {}
};
