// The main frame: menu, accelerators, toolbar and status bar around the
// address list view. While it is created it fills the editor's settings
// (the interface language, the code page, the list font) and finds the help
// path; it routes commands (the view first, then the frame), maps help
// requests to the help file, shows the about box, and asks about unsaved
// changes before the editor closes.
#pragma once

#include <string>
#include <vector>

#include "faxbook/editing/editor_services.h"
#include "faxbook/editing/editor_settings.h"
#include "faxbook/shell/frame_client.h"
#include "platform/ui/frame.h"

class CMainFrame : public ui::FrameEvents {
 public:
  CMainFrame(const EditorServices& services, EditorSettings* settings);

  void SetClient(FrameClient* client) { client_ = client; }

  // --- ui::FrameEvents ------------------------------------------------------
  // Toolbar, the apply item greyed, status bar, docking, language, list
  // font and help path, in that order. False when the toolbar or the
  // status bar cannot be created.
  bool OnCreate(ui::FrameWindow& window) override;
  void OnCommand(int id) override;
  ui::CommandState QueryCommand(int id) override;
  // With unsaved changes asks whether to save them first (Yes applies, No
  // discards, Cancel keeps the editor open); then sends 0x403 to the window
  // titled with the application title.
  bool OnCloseRequest() override;
  void OnHelp(unsigned long data) override;
  void OnAppActivated() override;

  const std::string& HelpPath() const { return helpPath_; }
  ui::FrameWindow* Window() { return window_; }

  // Asks 61226 when the book is modified. True when the caller may go on:
  // No, or Yes and the book was applied.
  bool SaveChangesFirst();

 private:
  void ShowHelp(unsigned long data);
  void NewFile();

  EditorServices services_;
  EditorSettings* settings_;
  FrameClient* client_ = nullptr;
  ui::FrameWindow* window_ = nullptr;
  std::string helpPath_;
};
