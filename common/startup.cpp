#include "startup.h"

#include <QApplication>
#include <QFile>
#include <QPointer>
#include <QTimer>
#include <QTranslator>
#include <QWidget>

#include <clocale>
#include <cstdio>

namespace {

const language_files languages[] = {
    {"zh_CN.UTF-8", ":/lang/qt_zh_CN.qm", ":/lang/velastudio_zh.qm"},
    {"en_US.UTF-8", ":/lang/qt_en.qm", ":/lang/velastudio_en.qm"},
    {"fr.UTF-8", ":/lang/qt_fr.qm", ":/lang/velastudio_fr.qm"},
    {"jp.UTF-8", ":/lang/qt_jp.qm", ":/lang/vela_usdb_cli_jp.qm"},
};

} // namespace

const language_files *language_of(int index)
{
    if (index < 0 || index >= static_cast<int>(sizeof languages / sizeof languages[0]))
        return nullptr;
    return &languages[index];
}

bool apply_style_sheet(QApplication &app)
{
    QFile qss(QStringLiteral(":/qss/vela_white-.qss"));
    if (qss.open(QIODevice::ReadOnly)) {
        app.setStyleSheet(QString::fromUtf8(qss.readAll()));
        return true;
    }
    std::printf("open qss failed.\n");
    std::fflush(stdout);
    app.setStyleSheet(QString());
    return false;
}

void install_translators(QApplication &app, int language, QTranslator &toolkit,
                         QTranslator &program)
{
    if (const language_files *files = language_of(language)) {
        std::setlocale(LC_ALL, files->locale);
        toolkit.load(QString::fromLatin1(files->toolkit));
        program.load(QString::fromLatin1(files->program));
    }
    app.installTranslator(&toolkit);
    app.installTranslator(&program);
}

namespace {

class focus_return : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *obj, QEvent *ev) override
    {
        const QEvent::Type type = ev->type();
        if ((type != QEvent::Show && type != QEvent::Hide) || !obj->isWidgetType()) return false;
        auto *w = static_cast<QWidget *>(obj);
        if (!w->isWindow()) return false;
        const Qt::WindowType kind = w->windowType();
        if (kind != Qt::Window && kind != Qt::Dialog) return false;
        // A window that opens takes the keyboard when nobody has it; one that closes hands it
        // back to the window it belonged to.
        QPointer<QWidget> next = w;
        if (type == QEvent::Hide) {
            if (!w->parentWidget()) return false;
            next = w->parentWidget()->window();
        }
        QTimer::singleShot(0, next, [next] {
            const QWidget *active = QApplication::activeWindow();
            if (next && next->isVisible() && (!active || !active->isVisible()))
                next->activateWindow();
        });
        return false;
    }
};

} // namespace

void return_focus_after_dialogs(QApplication &app)
{
    app.installEventFilter(new focus_return(&app));
}
