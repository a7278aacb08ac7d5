#pragma once
// The language the window program speaks: Japanese (its texts as written in the code) or
// English (translations/lumenrill_en.ts), chosen by [Option] Language or, on "auto", by the
// desktop's locale. Qt's own texts (standard buttons, file dialogs) follow the same choice.

#include <QLocale>
#include <QString>

#include <string>

enum class Language { Japanese, English };

// "ja" and "en" choose; "auto" and anything else follow locale: Japanese for a Japanese
// locale, English for every other.
Language ChooseLanguage(const std::string& setting, const QLocale& locale = QLocale::system());

// "ja" or "en": the manual's folder and the translation file's suffix.
const char* LanguageCode(Language language);

// Makes the running application speak language, replacing what was installed before, the
// core's texts included. False when a translation file is missing: those texts stay as
// written (Japanese), the rest is installed.
bool UseLanguage(Language language);
Language CurrentLanguage();

// A text of the core (a marked constant such as Msg::Untitled) in the running language.
QString CoreText(const char* text);
