#pragma once
// The texts users read are written in Japanese, in the code. A program that speaks another
// language installs a translator (the window program: Qt's, for the language it runs in);
// without one, every text stays as written: lumenrill-cli and the core tests see that.

#include <string>

// Marks a text kept in a constant for the translation file; it is translated where it is
// shown. The translation tools read it as QT_TRANSLATE_NOOP.
#define TRANSLATABLE_TEXT(context, text) text

using TextTranslator = std::string (*)(const char* context, const char* text);
// Installs translator; nullptr leaves texts as written. Any thread may translate.
void InstallTextTranslator(TextTranslator translator);
// text in the user's language (UTF-8). The translation tools read calls of this as
// QCoreApplication::translate.
std::string Translated(const char* context, const char* text);
// text with its first "%1" replaced by value, for texts that carry a number or a name.
std::string WithArgument(std::string text, const std::string& value);
