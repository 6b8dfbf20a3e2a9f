// The Qt 6 Widgets backend of the UI layer, the one the program links.
//
// Numbers map to widgets held by QPointer (an owned window goes with its
// owner). Qt's handlers never act on the program: they only put an Event on
// our queue, which WaitEvent hands out while the program's own loop runs.
// Texts cross as Windows-1252 bytes and are shown through Unicode.
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QGuiApplication>
#include <QImage>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTimer>
#include <QWidget>

#include <cmath>
#include <cstring>
#include <deque>
#include <map>
#include <string>
#include <vector>

#include "platform/codepage.h"
#include "platform/raster.h"
#include "platform/ui.h"
#include "platform/ui_qt_testing.h"

namespace {

void Queue(const ui::Event& event);

// A top-level window of the program. The close box (or the window system's
// close command) only reports; the program decides whether to close.
class TopWindow : public QWidget {
 public:
  TopWindow(int number, QWidget* owner, Qt::WindowFlags flags)
      : QWidget(owner, flags), number_(number) {}

 protected:
  void closeEvent(QCloseEvent* event) override {
    event->ignore();
    Queue(ui::Event{ui::EventKind::WindowClosed, -1, number_});
  }

 private:
  int number_;
};

// Paints its picture from the top-left corner at its own size; a left click
// is an activation.
class ImageView : public QWidget {
 public:
  ImageView(int number, QWidget* parent) : QWidget(parent), number_(number) {}
  void SetPixmap(const QPixmap& pixmap) {
    pixmap_ = pixmap;
    update();
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    if (pixmap_.isNull()) return;
    QPainter painter(this);
    painter.drawPixmap(0, 0, pixmap_);
  }
  void mousePressEvent(QMouseEvent* event) override {
    if (event->button() == Qt::LeftButton) {
      Queue(ui::Event{ui::EventKind::ControlActivated, number_, -1});
    }
    event->accept();
  }

 private:
  int number_;
  QPixmap pixmap_;
};

struct WindowRecord {
  QPointer<TopWindow> widget;
  int owner = -1;
};

struct ControlRecord {
  ui::ControlKind kind = ui::ControlKind::None;
  int window = -1;
  QPointer<QWidget> widget;
  int shownImage = -1;
  // An editor whose document is empty may still hold one empty line (the
  // result of appending ""); the next line then goes after a line break.
  bool editorHasLine = false;
};

struct QtState {
  QApplication* app = nullptr;
  bool ownsApp = false;
  int argc = 0;
  std::vector<char*> argv;
  std::map<int, WindowRecord> windows;
  std::map<int, ControlRecord> controls;
  std::deque<ui::Event> queue;
};

QtState& S() {
  static QtState state;
  return state;
}

void Queue(const ui::Event& event) { S().queue.push_back(event); }

QString ToQt(const std::string& bytes) {
  return QString::fromUtf8(platform::Cp1252ToUtf8(bytes));
}

std::string FromQt(const QString& text) { return platform::Utf8ToCp1252(text.toStdString()); }

// CR LF, a lone CR and a lone LF all become the '\n' Qt's documents split at.
QString ToQtLines(const std::string& bytes) {
  std::string lf;
  lf.reserve(bytes.size());
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    if (bytes[i] == '\r') {
      lf.push_back('\n');
      if (i + 1 < bytes.size() && bytes[i + 1] == '\n') ++i;
    } else {
      lf.push_back(bytes[i]);
    }
  }
  return ToQt(lf);
}

TopWindow* FindWindow(int window) {
  auto it = S().windows.find(window);
  return it == S().windows.end() ? nullptr : it->second.widget.data();
}

ControlRecord* FindControl(int control) {
  auto it = S().controls.find(control);
  if (it == S().controls.end()) return nullptr;
  if (it->second.widget.isNull()) {  // went with its window
    S().controls.erase(it);
    return nullptr;
  }
  return &it->second;
}

QWidget* ControlWidgetOf(int control) {
  ControlRecord* c = FindControl(control);
  return c ? c->widget.data() : nullptr;
}

template <typename W>
W* WidgetAs(int control, ui::ControlKind kind) {
  ControlRecord* c = FindControl(control);
  return c && c->kind == kind ? static_cast<W*>(c->widget.data()) : nullptr;
}

bool AnyWindowOpen() {
  for (const auto& [number, record] : S().windows) {
    if (!record.widget.isNull()) return true;
  }
  return false;
}

// --- control construction -------------------------------------------------------

// Removes the control under `control` and returns the window widget a new one
// goes into (nullptr when that window does not exist).
TopWindow* PrepareControl(int control, int window) {
  ui::RemoveControl(control);
  return FindWindow(window);
}

void Register(int control, int window, ui::ControlKind kind, QWidget* widget, int x, int y,
              int width, int height) {
  widget->setGeometry(x, y, width, height);
  widget->show();  // children added to a shown window start hidden
  ControlRecord record;
  record.kind = kind;
  record.window = window;
  record.widget = widget;
  S().controls[control] = record;
}

QPlainTextEdit* CreateEditorWidget(QWidget* parent) {
  auto* editor = new QPlainTextEdit(parent);
  editor->setLineWrapMode(QPlainTextEdit::NoWrap);
  editor->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  editor->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  editor->setMaximumBlockCount(0);  // no limit
  return editor;
}

QLineEdit* CreateFieldWidget(QWidget* parent, const std::string& text) {
  auto* field = new QLineEdit(parent);
  field->setMaxLength(32767);
  field->setText(ToQt(text));
  return field;
}

QPushButton* CreateButtonWidget(int control, QWidget* parent, const std::string& label) {
  auto* button = new QPushButton(ToQt(label), parent);
  button->setAutoDefault(false);
  QObject::connect(button, &QPushButton::clicked, button, [control] {
    Queue(ui::Event{ui::EventKind::ControlActivated, control, -1});
  });
  return button;
}

// --- editor text -----------------------------------------------------------------

std::string EditorText(const QPlainTextEdit* editor) {
  // toRawText keeps every character as typed (toPlainText would turn the
  // no-break space 0xA0 into a space); blocks are split by U+2029, and
  // Shift+Enter leaves a U+2028 inside a block. Both read as CR LF.
  QString raw = editor->document()->toRawText();
  raw.replace(QChar::ParagraphSeparator, QStringLiteral("\r\n"));
  raw.replace(QChar::LineSeparator, QStringLiteral("\r\n"));
  return FromQt(raw);
}

void AppendEditorLine(ControlRecord& record, QPlainTextEdit* editor, const std::string& line) {
  QTextDocument* doc = editor->document();
  QScrollBar* bar = editor->verticalScrollBar();
  const bool atBottom = bar->value() == bar->maximum();
  QTextCursor cursor(doc);
  cursor.movePosition(QTextCursor::End);
  cursor.beginEditBlock();
  if (!doc->isEmpty() || record.editorHasLine) cursor.insertBlock();
  cursor.insertText(ToQtLines(line));
  cursor.endEditBlock();
  record.editorHasLine = true;
  if (atBottom) bar->setValue(bar->maximum());
}

// --- images ------------------------------------------------------------------------

QPixmap PixmapOf(const platform::Image& image) {
  // QImage rows are padded to 4 bytes, ours are not: copy row by row.
  QImage q(image.width, image.height, QImage::Format_RGB888);
  const std::size_t rowBytes = static_cast<std::size_t>(image.width) * 3;
  for (int y = 0; y < image.height; ++y) {
    std::memcpy(q.scanLine(y), image.rgb.data() + static_cast<std::size_t>(y) * rowBytes,
                rowBytes);
  }
  return QPixmap::fromImage(q);
}

// One pass over what the window system has pending, then, while our queue is
// empty and time is left, sleeps until the next event or the deadline.
void ProcessEventsFor(int milliseconds) {
  QElapsedTimer clock;
  clock.start();
  QTimer wake;
  wake.setSingleShot(true);
  for (;;) {
    QCoreApplication::processEvents(QEventLoop::AllEvents);
    if (!S().queue.empty()) return;
    const qint64 left = milliseconds - clock.elapsed();
    if (left <= 0) return;
    wake.start(static_cast<int>(left));
    QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
  }
}

ui::Event PopEvent() {
  const ui::Event e = S().queue.front();
  S().queue.pop_front();
  return e;
}

}  // namespace

namespace ui {

bool Init(int& argc, char** argv) {
  QtState& s = S();
  s.windows.clear();
  s.controls.clear();
  s.queue.clear();
  if (s.app) return true;
  if (auto* existing = qobject_cast<QApplication*>(QCoreApplication::instance())) {
    s.app = existing;
    return true;
  }
  // QApplication keeps references to argc and argv for its whole life; ours
  // are copies that live as long as the state does.
  static char fallbackName[] = "thc";
  s.argv.clear();
  for (int i = 0; argv && i < argc; ++i) s.argv.push_back(argv[i]);
  if (s.argv.empty()) s.argv.push_back(fallbackName);
  s.argc = static_cast<int>(s.argv.size());
  s.argv.push_back(nullptr);
  s.app = new QApplication(s.argc, s.argv.data());
  s.ownsApp = true;
  // The program decides when it ends; closing its last window is only an event.
  QApplication::setQuitOnLastWindowClosed(false);
  return true;
}

void Shutdown() {
  QtState& s = S();
  for (auto& [number, record] : s.windows) delete record.widget.data();
  s.windows.clear();
  s.controls.clear();
  s.queue.clear();
  if (s.ownsApp) delete s.app;
  s.app = nullptr;
  s.ownsApp = false;
}

int ScreenDpi() {
  if (!QGuiApplication::instance()) return 96;
  const QScreen* screen = QGuiApplication::primaryScreen();
  if (!screen) return 96;
  return static_cast<int>(std::lround(screen->logicalDotsPerInch()));
}

// --- windows -------------------------------------------------------------------

void OpenMainWindow(int window, const std::string& title, int x, int y, int clientWidth,
                    int clientHeight) {
  CloseWindow(window);
  const Qt::WindowFlags flags = Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                                Qt::WindowCloseButtonHint | Qt::CustomizeWindowHint;
  auto* widget = new TopWindow(window, nullptr, flags);
  widget->setWindowTitle(ToQt(title));
  widget->setFixedSize(clientWidth, clientHeight);
  // move() on a top-level places its frame, so (x, y) is the outer corner;
  // a moved window is not centred by Qt.
  widget->move(x, y);
  S().windows[window] = WindowRecord{widget, -1};
  widget->show();
}

void OpenOwnedWindow(int window, int owner, const std::string& title, int x, int y,
                     int clientWidth, int clientHeight) {
  CloseWindow(window);
  // With the owner as parent the window stays above it and goes with it.
  auto* widget =
      new TopWindow(window, FindWindow(owner), Qt::Window | Qt::FramelessWindowHint);
  widget->setWindowTitle(ToQt(title));
  widget->setFixedSize(clientWidth, clientHeight);
  widget->move(x, y);  // without a frame the client area starts at (x, y)
  S().windows[window] = WindowRecord{widget, owner};
  widget->show();
}

void CloseWindow(int window) {
  QtState& s = S();
  auto it = s.windows.find(window);
  if (it == s.windows.end()) return;
  // Windows it owns are its children and would go with it; close them
  // properly first so that their numbers and controls are forgotten too.
  std::vector<int> owned;
  for (const auto& [number, record] : s.windows) {
    if (record.owner == window && number != window) owned.push_back(number);
  }
  for (int number : owned) CloseWindow(number);

  for (auto c = s.controls.begin(); c != s.controls.end();) {
    if (c->second.window == window) {
      c = s.controls.erase(c);  // the widgets go with the window below
    } else {
      ++c;
    }
  }
  it = s.windows.find(window);
  if (it == s.windows.end()) return;
  TopWindow* widget = it->second.widget.data();
  s.windows.erase(it);
  if (widget) {
    widget->hide();
    delete widget;
  }
}

bool WindowExists(int window) { return FindWindow(window) != nullptr; }

std::string WindowTitle(int window) {
  const TopWindow* widget = FindWindow(window);
  return widget ? FromQt(widget->windowTitle()) : std::string();
}

Rect WindowClientRect(int window) {
  const TopWindow* widget = FindWindow(window);
  if (!widget) return {};
  const QRect r = widget->geometry();  // a top-level's geometry is its client area
  return {r.x(), r.y(), r.width(), r.height()};
}

// --- controls ------------------------------------------------------------------

void CreateTextEditor(int control, int window, int x, int y, int width, int height) {
  TopWindow* parent = PrepareControl(control, window);
  if (!parent) return;
  Register(control, window, ControlKind::TextEditor, CreateEditorWidget(parent), x, y, width,
           height);
}

void CreateTextField(int control, int window, int x, int y, int width, int height,
                     const std::string& text) {
  TopWindow* parent = PrepareControl(control, window);
  if (!parent) return;
  Register(control, window, ControlKind::TextField, CreateFieldWidget(parent, text), x, y, width,
           height);
}

void CreateButton(int control, int window, int x, int y, int width, int height,
                  const std::string& label) {
  TopWindow* parent = PrepareControl(control, window);
  if (!parent) return;
  Register(control, window, ControlKind::Button, CreateButtonWidget(control, parent, label), x, y,
           width, height);
}

void CreateImageView(int control, int window, int x, int y, int width, int height) {
  TopWindow* parent = PrepareControl(control, window);
  if (!parent) return;
  Register(control, window, ControlKind::ImageView, new ImageView(control, parent), x, y, width,
           height);
}

void RemoveControl(int control) {
  auto it = S().controls.find(control);
  if (it == S().controls.end()) return;
  QWidget* widget = it->second.widget.data();
  S().controls.erase(it);
  delete widget;
}

void MoveControl(int control, int x, int y, int width, int height) {
  if (QWidget* w = ControlWidgetOf(control)) w->setGeometry(x, y, width, height);
}

bool ControlExists(int control) { return FindControl(control) != nullptr; }

ControlKind KindOf(int control) {
  const ControlRecord* c = FindControl(control);
  return c ? c->kind : ControlKind::None;
}

Rect ControlRect(int control) {
  const QWidget* w = ControlWidgetOf(control);
  if (!w) return {};
  const QRect r = w->geometry();
  return {r.x(), r.y(), r.width(), r.height()};
}

int ControlWindow(int control) {
  const ControlRecord* c = FindControl(control);
  return c ? c->window : -1;
}

void SetText(int control, const std::string& text) {
  ControlRecord* c = FindControl(control);
  if (!c) return;
  switch (c->kind) {
    case ControlKind::TextEditor:
      static_cast<QPlainTextEdit*>(c->widget.data())->setPlainText(ToQtLines(text));
      c->editorHasLine = !text.empty();
      break;
    case ControlKind::TextField:
      static_cast<QLineEdit*>(c->widget.data())->setText(ToQt(text));
      break;
    case ControlKind::Button:
      static_cast<QPushButton*>(c->widget.data())->setText(ToQt(text));
      break;
    default:
      break;
  }
}

std::string Text(int control) {
  ControlRecord* c = FindControl(control);
  if (!c) return {};
  switch (c->kind) {
    case ControlKind::TextEditor:
      return EditorText(static_cast<QPlainTextEdit*>(c->widget.data()));
    case ControlKind::TextField:
      return FromQt(static_cast<QLineEdit*>(c->widget.data())->text());
    case ControlKind::Button:
      return FromQt(static_cast<QPushButton*>(c->widget.data())->text());
    default:
      return {};
  }
}

void AppendLine(int control, const std::string& line) {
  ControlRecord* c = FindControl(control);
  if (!c) return;
  if (c->kind == ControlKind::TextEditor) {
    AppendEditorLine(*c, static_cast<QPlainTextEdit*>(c->widget.data()), line);
  } else if (c->kind == ControlKind::TextField || c->kind == ControlKind::Button) {
    SetText(control, Text(control) + line);  // one line only: the text grows
  }
}

void ClearText(int control) {
  ControlRecord* c = FindControl(control);
  if (!c) return;
  if (c->kind == ControlKind::TextEditor) {
    static_cast<QPlainTextEdit*>(c->widget.data())->clear();
    c->editorHasLine = false;
  } else {
    SetText(control, std::string());
  }
}

void SetEnabled(int control, bool enabled) {
  if (QWidget* w = ControlWidgetOf(control)) w->setEnabled(enabled);
}

bool IsEnabled(int control) {
  const QWidget* w = ControlWidgetOf(control);
  return w && w->isEnabled();
}

void ShowImage(int control, int image) {
  auto* view = WidgetAs<ImageView>(control, ControlKind::ImageView);
  const platform::Image* picture = platform::FindImage(image);
  if (!view || !picture) return;
  view->SetPixmap(PixmapOf(*picture));
  view->resize(picture->width, picture->height);
  FindControl(control)->shownImage = image;
}

int ShownImage(int control) {
  const ControlRecord* c = FindControl(control);
  return c ? c->shownImage : -1;
}

// --- events --------------------------------------------------------------------

Event WaitEvent() {
  for (;;) {
    if (!S().queue.empty()) return PopEvent();
    // Nothing could ever arrive: report the end a closed window would.
    if (!S().app || !AnyWindowOpen()) return Event{EventKind::WindowClosed, -1, 0};
    QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
  }
}

Event WaitEvent(int milliseconds) {
  if (S().queue.empty() && S().app) ProcessEventsFor(milliseconds);
  if (S().queue.empty()) return Event{};
  return PopEvent();
}

void RequestClose(int window) {
  if (WindowExists(window)) Queue(Event{EventKind::WindowClosed, -1, window});
}

// --- folder chooser and clipboard ---------------------------------------------

std::string ChooseFolder(const std::string& title, const std::string& startFolder) {
  if (!S().app) return {};
  // Qt's own dialog (not the platform's): its directory line takes the
  // focus, so the user can type a path and press Enter.
  QFileDialog dialog(FindWindow(0), ToQt(title), ToQt(startFolder));
  dialog.setFileMode(QFileDialog::Directory);
  dialog.setOptions(QFileDialog::ShowDirsOnly | QFileDialog::DontUseNativeDialog);
  dialog.setAcceptMode(QFileDialog::AcceptOpen);
  auto focusLine = [&dialog] {
    if (auto* line = dialog.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))) {
      line->setFocus(Qt::OtherFocusReason);
    }
  };
  focusLine();
  QTimer::singleShot(0, &dialog, focusLine);
  if (dialog.exec() != QDialog::Accepted) return {};
  const QStringList chosen = dialog.selectedFiles();
  if (chosen.isEmpty()) return {};
  return FromQt(chosen.front());
}

bool SetClipboardText(const std::string& text) {
  if (!S().app) return false;
  QClipboard* clipboard = QGuiApplication::clipboard();
  if (!clipboard) return false;
  clipboard->setText(ToQt(text));
  return true;
}

std::string ClipboardText() {
  if (!S().app) return {};
  QClipboard* clipboard = QGuiApplication::clipboard();
  return clipboard ? FromQt(clipboard->text()) : std::string();
}

}  // namespace ui

namespace ui::qt_testing {

QWidget* WindowWidget(int window) { return FindWindow(window); }
QWidget* ControlWidget(int control) { return ControlWidgetOf(control); }

}  // namespace ui::qt_testing
