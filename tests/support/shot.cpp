#include "shot.h"

#include <QApplication>
#include <QDir>
#include <QPixmap>
#include <QWidget>

QString save_shot(QWidget *w, const QString &name)
{
    const QByteArray folder = qgetenv("VELA_SHOTS");
    if (folder.isEmpty() || !w) return QString();
    QDir dir(QString::fromLocal8Bit(folder));
    if (!dir.mkpath(QStringLiteral("."))) return QString();
    // Let pending layouts and paints settle so the picture shows the final state.
    QApplication::processEvents();
    QString file_name = name;
    file_name.replace(QLatin1Char('/'), QLatin1Char('_'));
    const QString path = dir.filePath(file_name + QStringLiteral(".png"));
    return w->grab().save(path, "PNG") ? path : QString();
}
