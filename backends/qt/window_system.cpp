#include "backends/qt/window_system.h"

#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <string>
#include <vector>

#include <QApplication>

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

std::string Explanation() {
  const char* const platform = Setting("QT_QPA_PLATFORM");
  std::string line = "kovrane: cannot open a window: ";
  if (Setting("DISPLAY") == nullptr && Setting("WAYLAND_DISPLAY") == nullptr) {
    line += "no display found (DISPLAY and WAYLAND_DISPLAY are unset";
    if (platform != nullptr) line += std::string(", QT_QPA_PLATFORM=") + platform;
    return line + ")\n";
  }
  std::string settings;
  for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) {
    if (const char* value = Setting(name)) {
      settings += (settings.empty() ? "" : ", ") + std::string(name) + '=' + value;
    }
  }
  line += "could not connect to the display (" + settings + ")\n";
  if (holding) line += "kovrane: run it with QT_DEBUG_PLUGINS=1 to see Qt's own account\n";
  return line;
}

// A fatal message while the window system opens is Qt giving up on every
// platform; it would abort once this returns, so the program ends here.
void HoldOrExplain(QtMsgType type, const QMessageLogContext& context, const QString& text) {
  if (type == QtFatalMsg) {
    std::fputs(Explanation().c_str(), stderr);
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
