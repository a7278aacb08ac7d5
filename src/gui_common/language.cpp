#include "gui_common/language.h"

#include "common/data_files.h"
#include "common/translation.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace {

Language current = Language::Japanese;

std::string TranslateWithQt(const char* context, const char* text)
{
    return QCoreApplication::translate(context, text).toStdString();
}

// Loads file into translator and installs it; an empty file name installs nothing.
bool Install(QTranslator& translator, const QString& file)
{
    QCoreApplication::removeTranslator(&translator);
    if (file.isEmpty() || !translator.load(file))
        return false;
    QCoreApplication::installTranslator(&translator);
    return true;
}

} // namespace

Language ChooseLanguage(const std::string& setting, const QLocale& locale)
{
    if (setting == "ja")
        return Language::Japanese;
    if (setting == "en")
        return Language::English;
    return locale.language() == QLocale::Japanese ? Language::Japanese : Language::English;
}

const char* LanguageCode(Language language) { return language == Language::English ? "en" : "ja"; }

bool UseLanguage(Language language)
{
    // Owned here for the program's life; the application only refers to them.
    static QTranslator program;
    static QTranslator qtBase;
    current = language;
    InstallTextTranslator(&TranslateWithQt);
    const QString qtFolder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    if (language == Language::Japanese) {
        Install(program, {});
        return Install(qtBase, qtFolder + "/qtbase_ja.qm");
    }
    // Qt speaks English without a file of its own.
    Install(qtBase, {});
    return Install(program, QString::fromStdString(TranslationPath(LanguageCode(language))));
}

Language CurrentLanguage() { return current; }

QString CoreText(const char* text) { return QCoreApplication::translate("Core", text); }
