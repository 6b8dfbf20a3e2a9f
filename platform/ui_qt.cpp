#include "platform/ui.h"

namespace ui {
bool Init(int&, char**) { return true; }
void Shutdown() {}
int ScreenDpi() { return 96; }
void OpenMainWindow(int, const std::string&, int, int, int, int) {}
void OpenOwnedWindow(int, int, const std::string&, int, int, int, int) {}
void CloseWindow(int) {}
bool WindowExists(int) { return false; }
std::string WindowTitle(int) { return {}; }
Rect WindowClientRect(int) { return {}; }
void CreateTextEditor(int, int, int, int, int, int) {}
void CreateTextField(int, int, int, int, int, int, const std::string&) {}
void CreateButton(int, int, int, int, int, int, const std::string&) {}
void CreateImageView(int, int, int, int, int, int) {}
void RemoveControl(int) {}
void MoveControl(int, int, int, int, int) {}
bool ControlExists(int) { return false; }
ControlKind KindOf(int) { return ControlKind::None; }
Rect ControlRect(int) { return {}; }
int ControlWindow(int) { return -1; }
void SetText(int, const std::string&) {}
std::string Text(int) { return {}; }
void AppendLine(int, const std::string&) {}
void ClearText(int) {}
void SetEnabled(int, bool) {}
bool IsEnabled(int) { return false; }
void ShowImage(int, int) {}
int ShownImage(int) { return -1; }
Event WaitEvent() { return {EventKind::WindowClosed, -1, 0}; }
Event WaitEvent(int) { return {}; }
void RequestClose(int) {}
std::string ChooseFolder(const std::string&, const std::string&) { return {}; }
bool SetClipboardText(const std::string&) { return false; }
std::string ClipboardText() { return {}; }
}  // namespace ui
