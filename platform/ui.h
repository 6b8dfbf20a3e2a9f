// The user-interface layer: free functions over numbered windows, controls and
// one event queue. Two implementations exist and one is chosen at link time:
// ui_qt.cpp (Qt 6 Widgets, the program) and ui_headless.cpp (in-memory, the
// tests; see ui_headless.h for its scripting functions).
//
// Texts cross this layer as 8-bit strings; the Qt backend shows them as
// Windows-1252 and converts edits back losslessly. A multi-line editor's text
// is its lines joined by CR LF, with no line break after the last line.
//
// Creating a window or control under a number in use replaces the old one.
// Operations on a number that does not exist do nothing (queries return
// empty values).
#pragma once

#include <string>

namespace ui {

enum class EventKind {
  None,              // WaitEvent(timeout) ran out; nothing happened
  ControlActivated,  // a button was clicked or an image view was clicked
  WindowClosed,      // the close box or the system menu of a window
  Other,             // any other event; taken and ignored by the loops
};

struct Event {
  EventKind kind = EventKind::None;
  int control = -1;  // for ControlActivated
  int window = -1;   // for WindowClosed
};

enum class ControlKind { None, TextEditor, TextField, Button, ImageView };

struct Rect {
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;
  friend bool operator==(const Rect&, const Rect&) = default;
};

// Makes the layer ready. The Qt backend creates the application object from
// argc/argv; the headless one resets its state.
bool Init(int& argc, char** argv);
void Shutdown();

// Dots per inch of the screen (96 when there is none).
int ScreenDpi();

// --- windows -------------------------------------------------------------------
// A fixed-size main window with title bar, system menu and close box, no
// minimise or maximise box; its outer top-left corner at (x, y).
void OpenMainWindow(int window, const std::string& title, int x, int y, int clientWidth,
                    int clientHeight);
// A borderless window without title bar, owned by `owner`; its client area
// at screen position (x, y). The title is kept as the window's name.
void OpenOwnedWindow(int window, int owner, const std::string& title, int x, int y,
                     int clientWidth, int clientHeight);
// Closes a window with all its controls.
void CloseWindow(int window);
bool WindowExists(int window);
std::string WindowTitle(int window);
Rect WindowClientRect(int window);  // client area, in screen coordinates

// --- controls ------------------------------------------------------------------
// A multi-line editor without line wrap, with both scroll bars, no length limit.
void CreateTextEditor(int control, int window, int x, int y, int width, int height);
void CreateTextField(int control, int window, int x, int y, int width, int height,
                     const std::string& text);
void CreateButton(int control, int window, int x, int y, int width, int height,
                  const std::string& label);
// An image view takes the size of the image it shows; until then it has the
// given size. A click is reported as an activation.
void CreateImageView(int control, int window, int x, int y, int width, int height);
void RemoveControl(int control);
void MoveControl(int control, int x, int y, int width, int height);

bool ControlExists(int control);
ControlKind KindOf(int control);
Rect ControlRect(int control);  // in the client area of its window
int ControlWindow(int control);

void SetText(int control, const std::string& text);
std::string Text(int control);
void AppendLine(int control, const std::string& line);
void ClearText(int control);

void SetEnabled(int control, bool enabled);
bool IsEnabled(int control);

// Shows a copy of image `image` (platform/raster.h) as it is now; the view
// takes its size. A missing image leaves the view as it was.
void ShowImage(int control, int image);
// The number of the image last shown in an image view, or -1.
int ShownImage(int control);

// --- events --------------------------------------------------------------------
// Waits without a time limit for the next event.
Event WaitEvent();
// Waits at most `milliseconds`; lets the window system handle what is pending
// (repaints among them). Returns an event of kind None when none came.
Event WaitEvent(int milliseconds);
// Queues a close request for `window` as the close box would.
void RequestClose(int window);

// --- folder chooser and clipboard ---------------------------------------------
// Returns the chosen folder's path, or the empty text when cancelled.
std::string ChooseFolder(const std::string& title, const std::string& startFolder);
// Replaces the clipboard's contents with plain 8-bit text.
bool SetClipboardText(const std::string& text);
std::string ClipboardText();

}  // namespace ui
