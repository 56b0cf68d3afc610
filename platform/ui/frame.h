// The main frame of a single-document program and the form view inside it.
//
// The backend owns the windows: the frame with its menu, accelerators,
// toolbar and status bar, and the form view (a dialog template shown as the
// frame's client area). The program's own classes receive the events
// (FrameEvents, FormEvents) and decide; they change the windows only through
// FrameWindow and FormView.
//
// Command routing: every command (menu item, accelerator, toolbar button,
// and a button of the form view) reaches FrameEvents::OnCommand once.
// Before a menu opens, and when the program is idle, the backend asks
// QueryCommand for the state of each menu item and toolbar button it shows,
// and a command whose state is disabled is not delivered.
#pragma once

#include <string>
#include <vector>

#include "platform/ui/font.h"
#include "platform/ui/list_control.h"

namespace ui {

struct CommandState {
  bool enabled = true;
  bool checked = false;
  // The status bar's prompt for the command while its menu item is
  // selected, in place of the one its string gives; empty: that one.
  std::string prompt;
};

class FrameWindow {
 public:
  virtual ~FrameWindow() = default;

  // The toolbar of resource `resourceId` (its bitmap and button ids), with
  // tool tips and fly-by prompts from the strings of the command ids: the
  // text after the line break is the tool tip, the text before it the
  // prompt shown in the status bar's message pane. False when it could not
  // be created.
  virtual bool CreateToolBar(int resourceId) = 0;
  // Lets the toolbar dock on any side of the frame; it starts at the top.
  virtual void EnableDocking() = 0;
  // Status bar panes: id 0 is the message pane (stretches); 59137 CAP,
  // 59138 NUM, 59139 SCRL and 59142 kana show their string while the key's
  // lock is on; any other id is a pane as wide as its string. False when
  // the status bar could not be created.
  virtual bool CreateStatusBar(const std::vector<int>& paneIds) = 0;
  virtual void SetStatusPaneText(int pane, const std::string& text) = 0;
  virtual int StatusPaneCount() const = 0;

  virtual void SetTitle(const std::string& title) = 0;
  // Shows the frame normally and paints it.
  virtual void Show() = 0;

  // The state of a menu item as the menu itself keeps it (greyed or not).
  virtual void SetMenuItemEnabled(int id, bool enabled) = 0;
  virtual bool IsMenuItemEnabled(int id) const = 0;

  virtual void ShowToolBar(bool shown) = 0;
  virtual bool IsToolBarShown() const = 0;
  virtual void ShowStatusBar(bool shown) = 0;
  virtual bool IsStatusBarShown() const = 0;

  // A font owned by the frame until it is destroyed; 0 when it could not be
  // created.
  virtual FontHandle MakeFont(const FontSpec& font) = 0;

  // The close box's way: asks FrameEvents::OnCloseRequest, then Destroy.
  virtual void RequestClose() = 0;
  // Destroys the frame; the message loop ends.
  virtual void Destroy() = 0;
  // Context help mode: the next click on a toolbar button or window asks
  // for its help (FrameEvents::OnHelp); Esc leaves the mode.
  virtual void EnterContextHelpMode() = 0;
};

class FrameEvents {
 public:
  virtual ~FrameEvents() = default;
  // During the frame window's creation; false ends the creation.
  virtual bool OnCreate(FrameWindow& window) = 0;
  virtual void OnCommand(int id) = 0;
  virtual CommandState QueryCommand(int id) = 0;
  // The close box, the system menu's close, or RequestClose: true lets the
  // frame close.
  virtual bool OnCloseRequest() = 0;
  // F1 and context help, with the help data of what was asked about:
  // 0x10000 + command id for a menu item or toolbar button, 0x20000 +
  // resource id for a window (the frame itself: 0x20000 + its resource id).
  virtual void OnHelp(unsigned long data) = 0;
  // The program became the active application again, with no modal window
  // of its own open (the frame is enabled).
  virtual void OnAppActivated() {}
};

// The form view: a dialog template filling the frame's client area.
class FormView {
 public:
  virtual ~FormView() = default;
  // The report list with this control id; null when there is none.
  virtual ListControl* List(int id) = 0;
  virtual void MoveItem(int id, int x, int y, int width, int height) = 0;
  // Lets the frame lay out its bars and resizes it so that the view's client
  // area is the template's size.
  virtual void ResizeParentToFit() = 0;
};

class FormEvents {
 public:
  virtual ~FormEvents() = default;
  // The view's client area has a new size.
  virtual void OnSize(int width, int height) = 0;
  virtual void OnListEvent(int listId, const ListEvent& event) = 0;
};

class FrameHost {
 public:
  virtual ~FrameHost() = default;
  // Creates the main frame with menu, accelerators and icon `resourceId`
  // from the current resource source; events->OnCreate runs during the
  // creation. Null when the creation failed.
  virtual FrameWindow* CreateFrame(int resourceId, FrameEvents* events) = 0;
  // Creates the frame's form view from dialog template `templateId`.
  virtual FormView* CreateFormView(int templateId, FormEvents* events) = 0;
  // Runs the message loop until the frame is destroyed; the exit code.
  virtual int RunMessageLoop() = 0;
};

}  // namespace ui
