#include "login_dlg.h"
#include "ui_login_dlg.h"

#include "mainwindow.h"

#include "db_access.h"
#include "msg_box.h"
#include "sys_config.h"

#include <QFontMetrics>
#include <QRegExp>
#include <QTextDocument>

#include <algorithm>

namespace {

const char ip_pattern[] =
    "((2[0-4]\\d|25[0-5]|[01]?\\d\\d?)\\.){3}(2[0-4]\\d|25[0-5]|[01]?\\d\\d?)";

QString config_text(const char *field, std::size_t cap)
{
    return QString::fromUtf8(field_text(field, cap).c_str());
}

// The form's geometry was drawn for narrower fonts than many systems have, and translations
// are longer than the English texts: widen a widget whose text would be clipped, never past
// `right`.
// The size a widget's text needs. Rich-text captions ask for weight 600, which a family
// without a demi-bold face draws in full bold, wider than the label's own size hint.
QSize needed_size(QWidget *w)
{
    QSize size = w->sizeHint();
    if (auto *label = qobject_cast<QLabel *>(w)) {
        if (label->textFormat() == Qt::RichText || Qt::mightBeRichText(label->text())) {
            QTextDocument doc;
            doc.setHtml(label->text());
            QFont bold = label->font();
            bold.setBold(true);
            const int drawn =
                QFontMetrics(bold).horizontalAdvance(doc.toPlainText()) + 2 * label->margin() + 4;
            size.setWidth(std::max(size.width(), drawn));
        }
    }
    return size;
}

void fit_width(QWidget *w, int right)
{
    const QSize wanted = needed_size(w);
    if (wanted.width() > w->width())
        w->resize(std::min(wanted.width(), right - w->x()), w->height());
    // Scripts with tall glyphs (Chinese, Japanese) need more height than Latin text: grow
    // about the same centre line.
    if (wanted.height() > w->height()) {
        const int grow = wanted.height() - w->height();
        w->setGeometry(w->x(), w->y() - grow / 2, w->width(), wanted.height());
    }
}

} // namespace

login_dlg::login_dlg(QWidget *parent) : QDialog(parent), ui(new Ui::login_dlg)
{
    ui->setupUi(this);
    setWindowFlags(windowFlags() | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);

    connect(ui->le_ip, &QLineEdit::textChanged, this, &login_dlg::ipChanged);
    connect(ui->le_port, &QLineEdit::textChanged, this, &login_dlg::portChanged);
    connect(ui->pb_login, &QPushButton::clicked, this, &login_dlg::login);
    // Return in any field logs in, as a user typing name, Tab, password, Return expects; the
    // Login button itself stays a plain button.
    for (QLineEdit *field : {ui->le_user, ui->le_passwd, ui->le_ip, ui->le_port})
        connect(field, &QLineEdit::returnPressed, this, &login_dlg::login);
    connect(ui->pb_close, &QToolButton::clicked, this, &login_dlg::reject);

    QString ip = config_text(g_config.ip, sizeof g_config.ip);
    int port = g_config.port;
    // Nothing stored yet (first start): offer the local server rather than two red
    // "invalid" labels; these are the same values an unchecked login stores.
    if (ip.isEmpty() && port == 0) {
        ip = QStringLiteral("127.0.0.1");
        port = 55555;
    }
    ui->le_ip->setText(ip);
    const QString user = config_text(g_config.user, sizeof g_config.user);
    ui->le_user->setText(user);
    if (user.isEmpty()) ui->checkBox->setChecked(false);
    ui->le_port->setText(QString::number(port));

    ui->le_user->setFocusPolicy(Qt::StrongFocus);
    ui->le_user->setFocus();
    fit_texts();
}

void login_dlg::fit_texts()
{
    ensurePolished(); // measure with the style sheet's fonts
    // The four captions form a column left of the edits; when one of them is too long for
    // the room there, the whole column moves left so that they still line up.
    const int edits_left = ui->le_user->x() - 4;
    const QList<QLabel *> captions = {ui->label, ui->label_2, ui->label_3, ui->label_4};
    int column_left = edits_left;
    for (QLabel *l : captions) column_left = std::min(column_left, l->x());
    int widest = 0;
    for (QLabel *l : captions) widest = std::max(widest, needed_size(l).width());
    if (column_left + widest > edits_left) {
        column_left = std::max(8, edits_left - widest);
        for (QLabel *l : captions) l->move(column_left, l->y());
    }
    for (QLabel *l : captions) fit_width(l, edits_left);
    fit_width(ui->checkBox, width() - 8);
    fit_width(ui->lbl_ipinfo, width() - 8);
    fit_width(ui->lbl_portinfo, width() - 8);
    // The title and the login button stay centred on their boxes when they have to grow
    // (the button's text sits inside the style sheet's padding).
    for (QWidget *w : std::initializer_list<QWidget *>{ui->title, ui->pb_login}) {
        const int wanted = needed_size(w).width();
        if (wanted > w->width()) {
            const int grown = std::min(wanted, width() - 16);
            const int centre = w->x() + w->width() / 2;
            const int x = std::max(8, std::min(centre - grown / 2, width() - 8 - grown));
            w->setGeometry(x, w->y(), grown, w->height());
        }
    }
    fit_width(ui->title, width() - 8);
}

login_dlg::~login_dlg()
{
    delete ui;
}

bool login_dlg::valid_ip(const QString &text)
{
    QRegExp re(QString::fromLatin1(ip_pattern), Qt::CaseSensitive, QRegExp::RegExp);
    return re.exactMatch(text);
}

bool login_dlg::valid_port(const QString &text)
{
    const int port = text.toInt(nullptr, 10);
    return port >= 1 && port <= 65535;
}

void login_dlg::ipChanged(const QString &text)
{
    ui->lbl_ipinfo->clear();
    if (!valid_ip(text)) ui->lbl_ipinfo->setText(tr("invalid ip"));
    fit_texts();
}

void login_dlg::portChanged(const QString &text)
{
    ui->lbl_portinfo->clear();
    if (!valid_port(text)) ui->lbl_portinfo->setText(tr("invalid port"));
    fit_texts();
}

void login_dlg::login()
{
    ui->lbl_portinfo->clear();
    ui->lbl_ipinfo->clear();
    const QString port_text = ui->le_port->text();
    const bool port_ok = valid_port(port_text);
    if (!port_ok) ui->lbl_portinfo->setText(tr("invalid port"));
    const QString ip = ui->le_ip->text();
    if (!valid_ip(ip)) {
        ui->lbl_ipinfo->setText(tr("invalid ip"));
        fit_texts();
        return;
    }
    fit_texts();
    if (!port_ok) return;

    const int port = port_text.toInt(nullptr, 10);
    const QString user = ui->le_user->text();
    const QString passwd = ui->le_passwd->text();
    if (!db_access::login(ip, port, user, passwd)) {
        inform(this, tr("info"), tr("invalid user or password"), msg_kind::information,
               db_access::last_reason());
        return;
    }

    accept();
    if (!main_) {
        main_ = std::make_unique<MainWindow>(ip, port, user, passwd);
        store_defaults(ui->checkBox->isChecked());
    }
    main_->show();
}

void login_dlg::store_defaults(bool keep)
{
    // Only the address, user name and port are remembered; the password never is.
    if (keep) {
        copy_text(g_config.ip, sizeof g_config.ip, ui->le_ip->text().toStdString());
        copy_text(g_config.user, sizeof g_config.user, ui->le_user->text().toStdString());
        g_config.port = ui->le_port->text().toInt(nullptr, 10);
    } else {
        copy_text(g_config.ip, sizeof g_config.ip, "127.0.0.1");
        copy_text(g_config.user, sizeof g_config.user, "");
        g_config.port = 55555;
    }
}
