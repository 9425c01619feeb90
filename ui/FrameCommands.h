// The frame's commands and their wiring: the objects that carry out the
// menu items (dump, preset, tool, library and clipboard commands, the
// editing comforts, the overview link, the sound-design tools), connected to
// the main menu, the block right-button menu and the block toolbar.
#pragma once

#include <memory>

class BlockClipboard;
class DumpCommands;
class EditingComforts;
class LibraryCommands;
class MainMenu;
class PresetCommands;
class ToolCommands;
class frmMDIMain;

class FrameCommands {
 public:
  // The frame's menus, block menu and toolbar are built; its block windows
  // may come later.
  explicit FrameCommands(frmMDIMain& frame);
  ~FrameCommands();

  BlockClipboard& Clipboard() const { return *clipboard_; }
  LibraryCommands& Library() const { return *library_; }
  EditingComforts& Comforts() const { return *comforts_; }

 private:
  void ConnectFileMenu(MainMenu& menu);
  void ConnectEditMenu(MainMenu& menu);
  void ConnectToolsMenu(MainMenu& menu);
  void ConnectPresetMenu(MainMenu& menu);
  void ConnectBlockMenu();
  void ConnectToolbar();

  frmMDIMain& frame_;
  std::unique_ptr<BlockClipboard> clipboard_;
  std::unique_ptr<DumpCommands> dump_;
  std::unique_ptr<PresetCommands> preset_;
  std::unique_ptr<ToolCommands> tools_;
  std::unique_ptr<LibraryCommands> library_;
  EditingComforts* comforts_ = nullptr;
};
