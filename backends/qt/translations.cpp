#include "backends/qt/translations.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace kovrane {

namespace {

// The catalogue for one of the user's languages: its own, else another
// region's of the same language in the same script. So pt_PT reads pt_BR
// rather than English, zh_HK and zh_MO read zh_TW, zh_SG reads zh_CN, and
// Chinese is never shown in the script its reader does not use.
bool LoadNearest(QTranslator& translator, const QLocale& locale) {
  const QString directory = QStringLiteral(":/i18n"), prefix = QStringLiteral("kovrane_");
  if (translator.load(locale, QStringLiteral("kovrane"), QStringLiteral("_"), directory))
    return true;
  const QStringList files =
      QDir(directory).entryList({prefix + QStringLiteral("*.qm")}, QDir::Files, QDir::Name);
  for (const QString& file : files) {
    const QLocale catalogue(file.mid(prefix.size()).chopped(3));
    if (catalogue.language() == locale.language() && catalogue.script() == locale.script())
      return translator.load(file, directory);
  }
  return false;
}

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
      if (LoadNearest(kovrane, locale)) {
        // Qt's own catalogue in the user's variant where Qt has one, else in
        // the variant Kovrane speaks.
        const QString qtDirectory = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
        const QString qtName = QStringLiteral("qtbase"), separator = QStringLiteral("_");
        static_cast<void>(qt.load(locale, qtName, separator, qtDirectory) ||
                          qt.load(QLocale(kovrane.language()), qtName, separator, qtDirectory));
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
