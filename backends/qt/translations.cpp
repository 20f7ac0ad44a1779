#include "backends/qt/translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace kovrane {

namespace {

struct Catalogues {
  QTranslator kovrane;
  QTranslator qt;

  Catalogues() {
    // QTranslator::load(QLocale()) alone would pass over an English
    // preference before Japanese ("LANGUAGE=en:ja") and pick Japanese, since
    // English has no catalogue of its own.
    for (const QString& language : QLocale().uiLanguages()) {
      const QLocale locale(language);
      if (locale.language() == QLocale::English) return;
      if (kovrane.load(locale, QStringLiteral("kovrane"), QStringLiteral("_"),
                       QStringLiteral(":/i18n"))) {
        static_cast<void>(qt.load(locale, QStringLiteral("qtbase"), QStringLiteral("_"),
                                  QLibraryInfo::path(QLibraryInfo::TranslationsPath)));
        return;
      }
    }
  }
};

Catalogues& Loaded() {
  static Catalogues catalogues;
  return catalogues;
}

}  // namespace

QString Translate(const char* context, const char* source) {
  const QString translated = Loaded().kovrane.translate(context, source);
  return translated.isEmpty() ? QString::fromUtf8(source) : translated;
}

void InstallTranslations(QCoreApplication& application) {
  Catalogues& catalogues = Loaded();
  if (!catalogues.kovrane.isEmpty()) application.installTranslator(&catalogues.kovrane);
  if (!catalogues.qt.isEmpty()) application.installTranslator(&catalogues.qt);
}

}  // namespace kovrane
