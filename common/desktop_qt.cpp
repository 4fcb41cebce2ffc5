#include "desktop.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QUrl>

namespace {

desktop_opener &current_opener()
{
    static desktop_opener opener;
    return opener;
}

bool open_url(const QUrl &url)
{
    if (!url.isValid() || url.isEmpty()) return false;
    if (current_opener()) return current_opener()(url.toString(QUrl::FullyEncoded));
    return QDesktopServices::openUrl(url);
}

} // namespace

bool open_document(const QString &path)
{
    if (path.isEmpty()) return false;
    return open_url(QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath()));
}

bool open_address(const QString &url)
{
    const QUrl u(url, QUrl::StrictMode);
    // Only web addresses here; a file or a program goes through open_document or nowhere.
    if (u.scheme() != QLatin1String("https") && u.scheme() != QLatin1String("http")) return false;
    return open_url(u);
}

desktop_opener set_desktop_opener(desktop_opener opener)
{
    desktop_opener old = std::move(current_opener());
    current_opener() = std::move(opener);
    return old;
}
