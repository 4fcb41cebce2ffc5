#include "help_files.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace {

// Folders around the program: beside it (build tree and a portable copy), the build tree's
// top, and the installed data folder.
QStringList program_folders()
{
    const QString dir = QCoreApplication::applicationDirPath();
    if (dir.isEmpty()) return {};
    return {dir, dir + QStringLiteral("/.."), dir + QStringLiteral("/../share/doc/velastudio")};
}

QString first_existing(const QStringList &paths)
{
    for (const QString &p : paths)
        if (QFileInfo(p).isFile()) return QDir::cleanPath(QFileInfo(p).absoluteFilePath());
    return QString();
}

} // namespace

QString language_code(int language)
{
    static const char *const codes[] = {"zh", "en", "fr", "jp"};
    if (language < 0 || language > 3) return QString();
    return QString::fromLatin1(codes[language]);
}

QStringList manual_candidates(int language)
{
    const QString code = language_code(language);
    if (code.isEmpty()) return {};
    const QString rel = QStringLiteral("doc/%1/vela_cli.pdf").arg(code);
    QStringList out{QDir::current().filePath(rel)};
    for (const QString &dir : program_folders()) {
        if (dir.endsWith(QLatin1String("velastudio")))
            out << dir + QStringLiteral("/%1/vela_cli.pdf").arg(code);
        else
            out << dir + QLatin1Char('/') + rel;
    }
    return out;
}

QString manual_path(int language)
{
    return first_existing(manual_candidates(language));
}

QStringList licenses_candidates()
{
    QStringList out{QDir::current().filePath(QStringLiteral("licenses.txt"))};
    for (const QString &dir : program_folders()) out << dir + QStringLiteral("/licenses.txt");
    return out;
}

QString licenses_path()
{
    return first_existing(licenses_candidates());
}
