#include "backends/qt/window_system.h"

#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <string>
#include <vector>

#include <QApplication>
#include <QStringList>

#include "backends/qt/translations.h"

namespace kovrane {

namespace {

struct HeldMessage {
  QtMsgType type;
  std::string category;
  QString text;
};

// A message handler is a plain function, so its state lives here. Plugins
// may log from threads of their own, hence the lock.
QtMessageHandler passOn = nullptr;
bool holding = true;
std::mutex heldLock;
std::vector<HeldMessage> held;

const char* Setting(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr && *value != '\0' ? value : nullptr;
}

QString Said(const char* source) { return Translate("kovrane::WindowSystem", source); }

QString Explanation() {
  const QString line =
      Said(QT_TRANSLATE_NOOP("kovrane::WindowSystem", "kovrane: cannot open a window: %1")) +
      u'\n';
  if (Setting("DISPLAY") == nullptr && Setting("WAYLAND_DISPLAY") == nullptr) {
    const char* const platform = Setting("QT_QPA_PLATFORM");
    if (platform == nullptr) {
      return line.arg(Said(QT_TRANSLATE_NOOP(
          "kovrane::WindowSystem", "no display found (DISPLAY and WAYLAND_DISPLAY are unset)")));
    }
    return line.arg(Said(QT_TRANSLATE_NOOP("kovrane::WindowSystem",
                                           "no display found (DISPLAY and WAYLAND_DISPLAY are "
                                           "unset, QT_QPA_PLATFORM=%1)"))
                        .arg(QString::fromLocal8Bit(platform)));
  }
  QStringList settings;
  for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) {
    if (const char* value = Setting(name))
      settings << QString::fromLatin1(name) + u'=' + QString::fromLocal8Bit(value);
  }
  QString lines = line.arg(
      Said(QT_TRANSLATE_NOOP("kovrane::WindowSystem", "could not connect to the display (%1)"))
          .arg(settings.join(QStringLiteral(", "))));
  if (holding) {
    lines += Said(QT_TRANSLATE_NOOP("kovrane::WindowSystem",
                                    "kovrane: run it with QT_DEBUG_PLUGINS=1 to see Qt's own "
                                    "account")) +
             u'\n';
  }
  return lines;
}

// A fatal message while the window system opens is Qt giving up on every
// platform; it would abort once this returns, so the program ends here.
void HoldOrExplain(QtMsgType type, const QMessageLogContext& context, const QString& text) {
  if (type == QtFatalMsg) {
    std::fputs(Explanation().toLocal8Bit().constData(), stderr);
    std::_Exit(EXIT_FAILURE);
  }
  if (!holding) return passOn(type, context, text);
  const std::lock_guard lock(heldLock);
  held.push_back({type, context.category != nullptr ? context.category : "default", text});
}

}  // namespace

std::unique_ptr<QApplication> OpenWindowSystem(int& argc, char** argv) {
  holding = !qEnvironmentVariableIsSet("QT_DEBUG_PLUGINS");
  passOn = qInstallMessageHandler(HoldOrExplain);
  auto application = std::make_unique<QApplication>(argc, argv);
  qInstallMessageHandler(passOn);

  const std::lock_guard lock(heldLock);
  for (const HeldMessage& message : held) {
    passOn(message.type, QMessageLogContext(nullptr, 0, nullptr, message.category.c_str()),
           message.text);
  }
  held.clear();
  return application;
}

}  // namespace kovrane
