#pragma once
// Kovrane's texts in the user's language. The language is the first of the
// user's languages (LANGUAGE, then LC_ALL, LC_MESSAGES, LANG, as QLocale reads
// them) that is English or has a catalogue embedded in the program, its own
// region's or, failing that, another region's written in the same script
// (pt_PT takes pt_BR, zh_HK takes zh_TW); English, the texts of the source,
// when none has. Qt's own texts (the message box's button) follow the same
// language where Qt's catalogues are installed.
//
// Installing a translator needs an application, but --help and the failure
// to open a display answer before there is one: those texts go through
// Translate() directly.

#include <QString>

class QCoreApplication;

namespace kovrane {

// The text in the user's language; source is marked with QT_TRANSLATE_NOOP
// so that lupdate finds it.
QString Translate(const char* context, const char* source);

// Makes tr() and Qt's own texts follow the user's language.
void InstallTranslations(QCoreApplication& application);

}  // namespace kovrane
