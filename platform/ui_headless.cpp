// The in-memory UI backend the tests link: windows and controls are plain
// records, events come from a script the test writes (ui_headless.h).
#include "platform/ui_headless.h"

#include <deque>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "platform/raster.h"

namespace {

struct Window {
  std::string title;
  ui::Rect client;
  int owner = -1;
  bool borderless = false;
};

struct Control {
  ui::ControlKind kind = ui::ControlKind::None;
  int window = -1;
  ui::Rect rect;
  // An editor keeps its lines; a field or a button keeps its text as the
  // single element. An empty vector is an editor without any line.
  std::vector<std::string> lines;
  bool enabled = true;
  int shownImage = -1;
};

struct State {
  std::map<int, Window> windows;
  std::map<int, Control> controls;
  std::deque<ui::Event> script;   // taken by WaitEvent()
  std::deque<ui::Event> pending;  // taken by WaitEvent(ms)
  std::string chooserAnswer;
  std::string chooserTitle;
  std::string chooserStart;
  int chooserCalls = 0;
  std::string clipboard;
  bool clipboardAvailable = true;
  std::function<void()> waitHook;  // runs at every WaitEvent()
};

State& S() {
  static State state;
  return state;
}

Control* FindControl(int control) {
  auto it = S().controls.find(control);
  return it == S().controls.end() ? nullptr : &it->second;
}

// Splits at CR LF, and also at a lone CR or LF. "" gives no line; a text
// ending in a line break gives an empty last line, so that SetText(Text())
// keeps the lines exactly.
std::vector<std::string> SplitLines(const std::string& text) {
  std::vector<std::string> lines;
  if (text.empty()) return lines;
  std::string current;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '\r' || c == '\n') {
      lines.push_back(current);
      current.clear();
      if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    } else {
      current.push_back(c);
    }
  }
  lines.push_back(current);
  return lines;
}

std::string JoinLines(const std::vector<std::string>& lines) {
  std::string out;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (i > 0) out += "\r\n";
    out += lines[i];
  }
  return out;
}

void AddControl(int control, ui::ControlKind kind, int window, int x, int y, int width,
                int height, const std::string& text) {
  Control c;
  c.kind = kind;
  c.window = window;
  c.rect = {x, y, width, height};
  if (kind == ui::ControlKind::TextField || kind == ui::ControlKind::Button) c.lines = {text};
  S().controls[control] = c;
}

}  // namespace

namespace ui {

bool Init(int&, char**) {
  headless::Reset();
  return true;
}

void Shutdown() {}

int ScreenDpi() { return 96; }

void OpenMainWindow(int window, const std::string& title, int x, int y, int clientWidth,
                    int clientHeight) {
  CloseWindow(window);
  // The client area sits below a title bar; its exact place is the window
  // system's business, the tests only need a stable answer.
  S().windows[window] = Window{title, {x, y, clientWidth, clientHeight}, -1, false};
}

void OpenOwnedWindow(int window, int owner, const std::string& title, int x, int y,
                     int clientWidth, int clientHeight) {
  CloseWindow(window);
  S().windows[window] = Window{title, {x, y, clientWidth, clientHeight}, owner, true};
}

void CloseWindow(int window) {
  auto& controls = S().controls;
  for (auto it = controls.begin(); it != controls.end();) {
    if (it->second.window == window) {
      it = controls.erase(it);
    } else {
      ++it;
    }
  }
  S().windows.erase(window);
}

bool WindowExists(int window) { return S().windows.count(window) != 0; }

std::string WindowTitle(int window) {
  auto it = S().windows.find(window);
  return it == S().windows.end() ? std::string() : it->second.title;
}

Rect WindowClientRect(int window) {
  auto it = S().windows.find(window);
  return it == S().windows.end() ? Rect{} : it->second.client;
}

void CreateTextEditor(int control, int window, int x, int y, int width, int height) {
  AddControl(control, ControlKind::TextEditor, window, x, y, width, height, {});
}

void CreateTextField(int control, int window, int x, int y, int width, int height,
                     const std::string& text) {
  AddControl(control, ControlKind::TextField, window, x, y, width, height, text);
}

void CreateButton(int control, int window, int x, int y, int width, int height,
                  const std::string& label) {
  AddControl(control, ControlKind::Button, window, x, y, width, height, label);
}

void CreateImageView(int control, int window, int x, int y, int width, int height) {
  AddControl(control, ControlKind::ImageView, window, x, y, width, height, {});
}

void RemoveControl(int control) { S().controls.erase(control); }

void MoveControl(int control, int x, int y, int width, int height) {
  if (Control* c = FindControl(control)) c->rect = {x, y, width, height};
}

bool ControlExists(int control) { return FindControl(control) != nullptr; }

ControlKind KindOf(int control) {
  const Control* c = FindControl(control);
  return c ? c->kind : ControlKind::None;
}

Rect ControlRect(int control) {
  const Control* c = FindControl(control);
  return c ? c->rect : Rect{};
}

int ControlWindow(int control) {
  const Control* c = FindControl(control);
  return c ? c->window : -1;
}

void SetText(int control, const std::string& text) {
  Control* c = FindControl(control);
  if (!c) return;
  if (c->kind == ControlKind::TextEditor) {
    c->lines = SplitLines(text);
  } else {
    c->lines = {text};
  }
}

std::string Text(int control) {
  const Control* c = FindControl(control);
  return c ? JoinLines(c->lines) : std::string();
}

void AppendLine(int control, const std::string& line) {
  Control* c = FindControl(control);
  if (!c) return;
  if (c->kind != ControlKind::TextEditor) {
    // A single-line control has no second line; the text simply grows.
    if (c->lines.empty()) c->lines.emplace_back();
    c->lines[0] += line;
    return;
  }
  // A line holding breaks of its own adds each of its pieces.
  std::vector<std::string> pieces = SplitLines(line);
  if (pieces.empty()) pieces.emplace_back();
  c->lines.insert(c->lines.end(), pieces.begin(), pieces.end());
}

void ClearText(int control) {
  Control* c = FindControl(control);
  if (!c) return;
  if (c->kind == ControlKind::TextEditor) {
    c->lines.clear();
  } else {
    c->lines = {std::string()};
  }
}

void SetEnabled(int control, bool enabled) {
  if (Control* c = FindControl(control)) c->enabled = enabled;
}

bool IsEnabled(int control) {
  const Control* c = FindControl(control);
  return c && c->enabled;
}

void ShowImage(int control, int image) {
  Control* c = FindControl(control);
  if (!c || c->kind != ControlKind::ImageView || !platform::ImageExists(image)) return;
  c->shownImage = image;
  c->rect.width = platform::ImageWidth(image);
  c->rect.height = platform::ImageHeight(image);
}

int ShownImage(int control) {
  const Control* c = FindControl(control);
  return c ? c->shownImage : -1;
}

Event WaitEvent() {
  if (S().waitHook) S().waitHook();
  auto& script = S().script;
  if (script.empty()) return Event{EventKind::WindowClosed, -1, 0};
  const Event e = script.front();
  script.pop_front();
  return e;
}

Event WaitEvent(int) {
  auto& pending = S().pending;
  if (pending.empty()) return Event{};
  const Event e = pending.front();
  pending.pop_front();
  return e;
}

void RequestClose(int window) { headless::QueueClose(window); }

std::string ChooseFolder(const std::string& title, const std::string& startFolder) {
  State& s = S();
  s.chooserTitle = title;
  s.chooserStart = startFolder;
  ++s.chooserCalls;
  return s.chooserAnswer;
}

bool SetClipboardText(const std::string& text) {
  if (!S().clipboardAvailable) return false;
  S().clipboard = text;
  return true;
}

std::string ClipboardText() { return S().clipboard; }

}  // namespace ui

namespace ui::headless {

void Reset() { S() = State{}; }

void QueueEvent(const Event& event) { S().script.push_back(event); }

void QueueActivation(int control) {
  QueueEvent(Event{EventKind::ControlActivated, control, -1});
}

void QueueClose(int window) { QueueEvent(Event{EventKind::WindowClosed, -1, window}); }

void QueuePendingEvent(const Event& event) { S().pending.push_back(event); }

int QueuedEventCount() { return static_cast<int>(S().script.size() + S().pending.size()); }

void SetChooserAnswer(const std::string& path) { S().chooserAnswer = path; }
std::string LastChooserTitle() { return S().chooserTitle; }
std::string LastChooserStart() { return S().chooserStart; }
int ChooserCallCount() { return S().chooserCalls; }

void TypeText(int control, const std::string& text) { ui::SetText(control, text); }

void SetClipboardAvailable(bool available) { S().clipboardAvailable = available; }

void SetWaitHook(std::function<void()> hook) { S().waitHook = std::move(hook); }

int WindowOwner(int window) {
  auto it = S().windows.find(window);
  return it == S().windows.end() ? -1 : it->second.owner;
}

}  // namespace ui::headless
