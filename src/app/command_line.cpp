#include "app/command_line.h"

#include "common/version.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QStringList>

#include <cstdio>

namespace {

constexpr int ExitOk = 0;
constexpr int ExitFailed = 1;
constexpr int ExitUsage = 2; // as lumenrill-cli's

bool Print(std::FILE* stream, const QString& text)
{
    const QByteArray bytes = text.toLocal8Bit();
    const bool written = std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stream) == size_t(bytes.size());
    return std::fflush(stream) == 0 && written;
}

} // namespace

CommandLine ReadCommandLine(int argc, char** argv)
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    QCommandLineParser parser;
    parser.setApplicationDescription("Edits and plays colour light shows. When Lumenrill already runs, the show "
                                     "is handed to it and this start ends.");
    const QCommandLineOption help({"h", "help"}, "Shows this help.");
    const QCommandLineOption version({"v", "version"}, "Shows the version.");
    const QCommandLineOption demo("demo", "Opens the demo show (a copy in the user's data folder).");
    parser.addOption(help);
    parser.addOption(version);
    parser.addOption(demo);
    parser.addPositionalArgument("show", "The show to open (a name starting with - after --).", "[SHOW.PRJ]");
    const bool parsed = parser.parse(arguments);
    const QStringList shows = parser.positionalArguments();

    const bool usageError = !parsed || shows.size() + (parser.isSet(demo) ? 1 : 0) > 1;

    CommandLine line;
    if (usageError || parser.isSet(help)) {
        // Help names the program as it was called.
        int count = argc;
        const QCoreApplication names(count, argv);
        if (usageError) {
            const QString error = parsed ? QString("Only one show can be opened (a show or --demo).") : parser.errorText();
            Print(stderr, "lumenrill: " + error + "\n\n" + parser.helpText());
            line.ExitStatus = ExitUsage;
        } else {
            line.ExitStatus = Print(stdout, parser.helpText()) ? ExitOk : ExitFailed;
        }
    } else if (parser.isSet(version)) {
        line.ExitStatus = Print(stdout, QString("lumenrill %1\n").arg(ProgramVersion)) ? ExitOk : ExitFailed;
    } else if (parser.isSet(demo)) {
        line.Demo = true;
    } else if (!shows.isEmpty()) {
        // The bytes as given: a file name need not be valid in the locale's encoding.
        line.Show = argv[arguments.lastIndexOf(shows.front())];
    }
    return line;
}
