#include "dialogs/local_file_name.h"

#include <QFile>

#include <filesystem>
#include <system_error>

std::string LocalFileName(const QString& path)
{
    const std::string encoded = QFile::encodeName(path).toStdString();
    std::error_code error;
    if (!path.contains(QChar::ReplacementCharacter) || std::filesystem::exists(encoded, error))
        return encoded;
    const std::filesystem::path file(encoded);
    const QString name = QFile::decodeName(QByteArray::fromStdString(file.filename().string()));
    for (std::filesystem::directory_iterator entry(file.parent_path(), error), end; !error && entry != end;
         entry.increment(error)) {
        if (QFile::decodeName(QByteArray::fromStdString(entry->path().filename().string())) == name)
            return entry->path().string();
    }
    return encoded;
}
