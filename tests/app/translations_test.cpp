// Every text of the program has its Chinese, French and Japanese translation, and each
// translation keeps what the program fills in or the keyboard relies on: the %1 placeholders
// and a shortcut letter where the source has one.
#include <gtest/gtest.h>

#include <QFile>
#include <QRegularExpression>
#include <QSet>
#include <QXmlStreamReader>

namespace {

struct ts_message {
    QString context, source;
    QStringList translations; // one, or one per plural form
    bool unfinished = false;
};

std::vector<ts_message> read_ts(const QString &path, bool &ok)
{
    std::vector<ts_message> out;
    QFile f(path);
    ok = f.open(QIODevice::ReadOnly);
    if (!ok) return out;
    QXmlStreamReader xml(&f);
    QString context;
    ts_message cur;
    bool obsolete = false;
    while (!xml.atEnd()) {
        xml.readNext();
        if (!xml.isStartElement()) {
            if (xml.isEndElement() && xml.name() == QLatin1String("message") && !obsolete)
                out.push_back(cur);
            continue;
        }
        const auto name = xml.name();
        if (name == QLatin1String("name")) {
            context = xml.readElementText();
        } else if (name == QLatin1String("message")) {
            cur = ts_message{};
            cur.context = context;
            obsolete = false;
        } else if (name == QLatin1String("source")) {
            cur.source = xml.readElementText();
        } else if (name == QLatin1String("translation")) {
            const QString type = xml.attributes().value(QLatin1String("type")).toString();
            cur.unfinished = type == QLatin1String("unfinished");
            obsolete = type == QLatin1String("obsolete") || type == QLatin1String("vanished");
            // Plural forms come as <numerusform> children; plain text otherwise.
            QString text;
            bool forms = false;
            while (!(xml.isEndElement() && xml.name() == QLatin1String("translation")) &&
                   !xml.atEnd()) {
                xml.readNext();
                if (xml.isStartElement() && xml.name() == QLatin1String("numerusform")) {
                    forms = true;
                    cur.translations << xml.readElementText();
                } else if (xml.isCharacters()) {
                    text += xml.text();
                }
            }
            if (!forms) cur.translations << text;
        }
    }
    ok = !xml.hasError();
    return out;
}

QSet<QString> placeholders(const QString &s)
{
    QSet<QString> out;
    static const QRegularExpression re(QStringLiteral("%[0-9]"));
    auto it = re.globalMatch(s);
    while (it.hasNext()) out.insert(it.next().captured());
    return out;
}

bool has_shortcut(const QString &s)
{
    static const QRegularExpression re(QStringLiteral("&[^&\\s]"));
    return re.match(s).hasMatch();
}

TEST(translations, every_text_is_translated_into_chinese_french_and_japanese)
{
    // VELA_TS_DIR names a folder of freshly collected copies (scripts/translate-check).
    const QString dir = qEnvironmentVariableIsEmpty("VELA_TS_DIR")
                            ? QStringLiteral(VELA_SOURCE_DIR "/resources/lang/")
                            : qEnvironmentVariable("VELA_TS_DIR") + QLatin1Char('/');
    const char *files[] = {"velastudio_zh.ts", "velastudio_fr.ts", "vela_usdb_cli_jp.ts"};
    for (const char *file : files) {
        bool ok = false;
        const auto messages = read_ts(dir + QLatin1String(file), ok);
        ASSERT_TRUE(ok) << file;
        ASSERT_FALSE(messages.empty()) << file;
        for (const ts_message &m : messages) {
            const std::string where =
                std::string(file) + " [" + m.context.toStdString() + "] " + m.source.toStdString();
            bool empty = m.translations.isEmpty();
            for (const QString &t : m.translations) empty = empty || t.isEmpty();
            if (m.unfinished || empty) {
                ADD_FAILURE() << "untranslated: " << where;
                continue;
            }
            for (const QString &t : m.translations) {
                EXPECT_EQ(placeholders(t), placeholders(m.source))
                    << "placeholders differ: " << where << " -> " << t.toStdString();
                if (has_shortcut(m.source)) {
                    EXPECT_TRUE(has_shortcut(t))
                        << "shortcut letter lost: " << where << " -> " << t.toStdString();
                }
            }
        }
    }
}

} // namespace
