// The Qt backend under the offscreen platform: real widgets, no display.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QWidget>

#include <string>

#include "platform/raster.h"
#include "platform/ui.h"
#include "platform/ui_qt_testing.h"

namespace {

class QtEnvironment : public ::testing::Environment {
 public:
  void SetUp() override {
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "platform_qt_tests";
    static char* argv[] = {name, nullptr};
    ASSERT_TRUE(ui::Init(argc, argv));
  }
  void TearDown() override { ui::Shutdown(); }
};

[[maybe_unused]] const auto* const kEnvironment =
    ::testing::AddGlobalTestEnvironment(new QtEnvironment);

class QtUiTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ui::OpenMainWindow(0, "Hotlap Check", 30, 40, 640, 480);
    platform::DeleteAllImages();
  }
  void TearDown() override {
    ui::CloseWindow(1);
    ui::CloseWindow(0);
    while (ui::WaitEvent(0).kind != ui::EventKind::None) {
    }
    platform::DeleteAllImages();
  }
};

TEST_F(QtUiTest, MainWindowHasAFixedClientSizeAndTheGivenTitle) {
  ASSERT_TRUE(ui::WindowExists(0));
  EXPECT_EQ(ui::WindowTitle(0), "Hotlap Check");
  const ui::Rect r = ui::WindowClientRect(0);
  EXPECT_EQ(r.width, 640);
  EXPECT_EQ(r.height, 480);

  QWidget* w = ui::qt_testing::WindowWidget(0);
  ASSERT_NE(w, nullptr);
  EXPECT_TRUE(w->isVisible());
  EXPECT_EQ(w->minimumSize(), QSize(640, 480));
  EXPECT_EQ(w->maximumSize(), QSize(640, 480));
  EXPECT_FALSE(w->windowFlags() & Qt::WindowMinimizeButtonHint);
  EXPECT_FALSE(w->windowFlags() & Qt::WindowMaximizeButtonHint);
  EXPECT_TRUE(w->windowFlags() & Qt::WindowCloseButtonHint);
  // The outer corner is where it was asked for (offscreen draws no frame).
  EXPECT_EQ(w->frameGeometry().topLeft(), QPoint(30, 40));
}

TEST_F(QtUiTest, OwnedWindowIsBorderlessAndKeepsItsTitle) {
  ui::OpenOwnedWindow(1, 0, "Screen 1024 x 768", 1, 1, 200, 100);
  ui::CreateImageView(100, 1, 0, 0, 200, 100);
  QWidget* w = ui::qt_testing::WindowWidget(1);
  ASSERT_NE(w, nullptr);
  EXPECT_TRUE(w->windowFlags() & Qt::FramelessWindowHint);
  EXPECT_EQ(w->parentWidget(), ui::qt_testing::WindowWidget(0));
  EXPECT_EQ(ui::WindowTitle(1), "Screen 1024 x 768");
  EXPECT_EQ(ui::WindowClientRect(1), (ui::Rect{1, 1, 200, 100}));

  // Closing the owner takes the owned window and its controls along.
  ui::CloseWindow(0);
  EXPECT_FALSE(ui::WindowExists(1));
  EXPECT_FALSE(ui::ControlExists(100));
  EXPECT_EQ(ui::WaitEvent().kind, ui::EventKind::WindowClosed);  // nothing left open
}

TEST_F(QtUiTest, ControlsSitAtClientCoordinatesAndMove) {
  ui::CreateTextEditor(5, 0, 500, 10, 480, 300);
  ui::CreateTextField(20, 0, 10, 450, 60, 20, "6000");
  ui::CreateButton(11, 0, 100, 450, 80, 25, "Load");
  ui::CreateImageView(0, 0, 5, 7, 480, 360);
  EXPECT_EQ(ui::ControlRect(5), (ui::Rect{500, 10, 480, 300}));
  EXPECT_EQ(ui::ControlRect(20), (ui::Rect{10, 450, 60, 20}));
  EXPECT_EQ(ui::ControlRect(11), (ui::Rect{100, 450, 80, 25}));
  EXPECT_EQ(ui::ControlRect(0), (ui::Rect{5, 7, 480, 360}));
  EXPECT_EQ(ui::KindOf(5), ui::ControlKind::TextEditor);
  EXPECT_EQ(ui::KindOf(0), ui::ControlKind::ImageView);
  EXPECT_EQ(ui::ControlWindow(11), 0);
  EXPECT_TRUE(ui::qt_testing::ControlWidget(11)->isVisible());

  auto* editor = qobject_cast<QPlainTextEdit*>(ui::qt_testing::ControlWidget(5));
  ASSERT_NE(editor, nullptr);
  EXPECT_EQ(editor->lineWrapMode(), QPlainTextEdit::NoWrap);
  EXPECT_EQ(editor->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
  EXPECT_EQ(editor->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);

  ui::MoveControl(5, 5, 10, 480, 628);
  EXPECT_EQ(ui::ControlRect(5), (ui::Rect{5, 10, 480, 628}));

  // A new control under a used number replaces the old widget.
  ui::CreateButton(5, 0, 1, 2, 3, 4, "x");
  EXPECT_EQ(ui::KindOf(5), ui::ControlKind::Button);
  EXPECT_EQ(qobject_cast<QPlainTextEdit*>(ui::qt_testing::ControlWidget(5)), nullptr);
  ui::RemoveControl(5);
  EXPECT_FALSE(ui::ControlExists(5));
  EXPECT_EQ(ui::ControlRect(5), ui::Rect{});
}

TEST_F(QtUiTest, EditorTextIsItsLinesJoinedWithCrLf) {
  ui::CreateTextEditor(5, 0, 0, 0, 300, 200);
  EXPECT_EQ(ui::Text(5), "");
  ui::AppendLine(5, "");
  ui::AppendLine(5, "1.: 4523 M\xFCller");
  ui::AppendLine(5, "");
  ui::AppendLine(5, "---");
  EXPECT_EQ(ui::Text(5), "\r\n1.: 4523 M\xFCller\r\n\r\n---");
  EXPECT_EQ(qobject_cast<QPlainTextEdit*>(ui::qt_testing::ControlWidget(5))->blockCount(), 4);

  ui::SetText(5, "a\r\nb\nc\r");
  EXPECT_EQ(ui::Text(5), "a\r\nb\r\nc\r\n");
  ui::ClearText(5);
  EXPECT_EQ(ui::Text(5), "");
  ui::AppendLine(5, "only");
  EXPECT_EQ(ui::Text(5), "only");

  // Every byte but the line breaks survives the trip through the widget.
  std::string all;
  for (int b = 1; b < 256; ++b) {
    if (b != '\r' && b != '\n') all.push_back(static_cast<char>(b));
  }
  ui::SetText(5, all);
  EXPECT_EQ(ui::Text(5), all);
}

TEST_F(QtUiTest, FieldAndButtonTextsAreWindows1252) {
  ui::CreateTextField(20, 0, 0, 0, 60, 20, "6000");
  ui::CreateButton(14, 0, 0, 30, 60, 20, "Penalty");
  EXPECT_EQ(ui::Text(20), "6000");
  auto* field = qobject_cast<QLineEdit*>(ui::qt_testing::ControlWidget(20));
  ASSERT_NE(field, nullptr);
  field->setText(QString::fromUtf8("\u20AC 12 \u00E9"));  // what the user typed
  EXPECT_EQ(ui::Text(20), "\x80 12 \xE9");
  ui::SetText(14, "Clip \x93");
  EXPECT_EQ(qobject_cast<QPushButton*>(ui::qt_testing::ControlWidget(14))->text(),
            QString::fromUtf8("Clip \u201C"));
  EXPECT_EQ(ui::Text(14), "Clip \x93");
}

TEST_F(QtUiTest, ButtonClickQueuesAnActivationUnlessDisabled) {
  ui::CreateButton(11, 0, 0, 0, 80, 25, "Load");
  auto* button = qobject_cast<QPushButton*>(ui::qt_testing::ControlWidget(11));
  ASSERT_NE(button, nullptr);

  ui::SetEnabled(11, false);
  EXPECT_FALSE(ui::IsEnabled(11));
  button->click();
  EXPECT_EQ(ui::WaitEvent(20).kind, ui::EventKind::None);

  ui::SetEnabled(11, true);
  button->click();
  const ui::Event e = ui::WaitEvent();
  EXPECT_EQ(e.kind, ui::EventKind::ControlActivated);
  EXPECT_EQ(e.control, 11);
}

TEST_F(QtUiTest, CloseBoxAndRequestCloseOnlyReport) {
  QWidget* w = ui::qt_testing::WindowWidget(0);
  EXPECT_FALSE(w->close());  // the close box: refused, reported
  ui::Event e = ui::WaitEvent();
  EXPECT_EQ(e.kind, ui::EventKind::WindowClosed);
  EXPECT_EQ(e.window, 0);
  EXPECT_TRUE(ui::WindowExists(0));

  ui::RequestClose(0);
  e = ui::WaitEvent(100);
  EXPECT_EQ(e.kind, ui::EventKind::WindowClosed);
  EXPECT_EQ(e.window, 0);
  EXPECT_EQ(ui::WaitEvent(0).kind, ui::EventKind::None);
}

TEST_F(QtUiTest, ImageViewTakesTheImageSizeAndReportsClicks) {
  ui::CreateImageView(3, 0, 10, 20, 480, 360);
  ui::ShowImage(3, 7);  // no such image: the view stays as it was
  EXPECT_EQ(ui::ShownImage(3), -1);
  EXPECT_EQ(ui::ControlRect(3), (ui::Rect{10, 20, 480, 360}));

  ASSERT_TRUE(platform::CreateImage(7, 33, 21));
  platform::BeginDrawing(7);
  platform::Plot(0, 0, platform::Rgb(255, 0, 0));
  platform::Plot(32, 20, platform::Rgb(0, 0, 255));
  platform::EndDrawing();
  ui::ShowImage(3, 7);
  EXPECT_EQ(ui::ShownImage(3), 7);
  EXPECT_EQ(ui::ControlRect(3), (ui::Rect{10, 20, 33, 21}));

  // What the widget paints is the image, pixel for pixel, from its corner.
  QWidget* view = ui::qt_testing::ControlWidget(3);
  const QImage shot = view->grab().toImage();
  EXPECT_EQ(shot.pixelColor(0, 0), QColor(255, 0, 0));
  EXPECT_EQ(shot.pixelColor(32, 20), QColor(0, 0, 255));
  EXPECT_EQ(shot.pixelColor(1, 1), QColor(0, 0, 0));

  QMouseEvent press(QEvent::MouseButtonPress, QPointF(5, 5), view->mapToGlobal(QPointF(5, 5)),
                    Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(view, &press);
  const ui::Event e = ui::WaitEvent();
  EXPECT_EQ(e.kind, ui::EventKind::ControlActivated);
  EXPECT_EQ(e.control, 3);
}

TEST_F(QtUiTest, ClipboardRoundTripsWindows1252) {
  const std::string text = "chd=t:45.23,46.01&chl=M\xFCller|\x80";
  ASSERT_TRUE(ui::SetClipboardText(text));
  EXPECT_EQ(ui::ClipboardText(), text);
}

TEST(QtUiScreen, DpiIsThePrimaryScreens) {
  EXPECT_EQ(ui::ScreenDpi(),
            qRound(QGuiApplication::primaryScreen()->logicalDotsPerInch()));
}

}  // namespace
