#include "common/RecordingServices.h"
#include "common/ScriptedFilePanel.h"
#include "common/ScriptedPrompter.h"
#include "common/TestHome.h"
#include "library/EntryCreation.h"
#include "settings/SettingsSaver.h"
#include "settings/widgets/Preferences.h"

#include <QComboBox>
#include <QProcess>
#include <QRegularExpression>
#include <QScrollArea>
#include <QTemporaryDir>
#include <QTest>
#include <QTranslator>
#include <QXmlStreamReader>

using namespace Qt::StringLiterals;

// Every text has a finished German translation with the same placeholders, the translation file
// knows every text of the sources, and the language never reaches a saved file.
class TranslationsTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { isolateUserDefaults(); }
    void everyTextIsTranslated();
    void aFileSavedInGermanIsTheEnglishOne();
};

namespace {

struct Message
{
    QString context;
    QString source;
    QString translation;
    bool finished = false;
};

QList<Message> readTs(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        qFatal("cannot read %s", qPrintable(path));
    QList<Message> messages;
    QXmlStreamReader xml(&file);
    QString context;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (xml.name() == u"name") {
            context = xml.readElementText();
        } else if (xml.name() == u"message") {
            messages.append({context, {}, {}, true});
        } else if (xml.name() == u"source") {
            messages.last().source = xml.readElementText();
        } else if (xml.name() == u"translation") {
            const QStringView type = xml.attributes().value(u"type"_s);
            messages.last().finished = type != u"unfinished" && type != u"vanished" && type != u"obsolete";
            messages.last().translation = xml.readElementText();
        }
    }
    return messages;
}

QStringList placeholders(const QString& text)
{
    static const QRegularExpression placeholder(u"%(\\d|n)"_s);
    QStringList found;
    for (const QRegularExpressionMatch& match : placeholder.globalMatch(text))
        found.append(match.captured());
    found.sort();
    return found;
}

const QString TsFile = QStringLiteral(TANDRIL_SOURCE_DIR "/resources/translations/tandril_de.ts");

} // namespace

void TranslationsTest::everyTextIsTranslated()
{
    // Each committed text is finished, with the source's placeholders.
    QSet<QString> committed;
    for (const Message& message : readTs(TsFile)) {
        const QString where = message.context + u": "_s + message.source;
        QVERIFY2(message.finished && !message.translation.isEmpty(), qPrintable(where));
        QVERIFY2(placeholders(message.source) == placeholders(message.translation), qPrintable(where));
        committed.insert(where);
    }
    QVERIFY(committed.size() > 100);
    // lupdate over the sources as they are now: every text it finds is in the committed file.
    const QTemporaryDir scratch;
    const QString fresh = scratch.filePath(u"fresh_de.ts"_s);
    QProcess lupdate;
    lupdate.setWorkingDirectory(QStringLiteral(TANDRIL_SOURCE_DIR));
    lupdate.start(QStringLiteral(TANDRIL_LUPDATE),
                  {u"-silent"_s, u"-locations"_s, u"none"_s, u"app"_s, u"library"_s, u"launch"_s,
                   u"exchange"_s, u"settings"_s, u"platform"_s, u"-ts"_s, fresh});
    QVERIFY(lupdate.waitForFinished(60000) && lupdate.exitCode() == 0);
    for (const Message& message : readTs(fresh)) {
        const QString where = message.context + u": "_s + message.source;
        QVERIFY2(committed.contains(where), qPrintable(u"not in tandril_de.ts: "_s + where));
    }
}

void TranslationsTest::aFileSavedInGermanIsTheEnglishOne()
{
    const TestHome home;
    const QString file = home.writeConfig(
        u"Doom"_s, "[sblaster]\nsbtype=none\n[render]\nglshader=\n[tandril]\ngame_title=Doom\n");
    ScriptedPrompter prompter;
    RecordingServices services;
    ScriptedFilePanel panel;
    const auto save = [&] {
        Preferences editor({prompter, services, panel}, home.path());
        editor.loadConfigFile(file);
        return SettingsSaver::configText(EntryCreation::templateText().value(), editor.form(), false);
    };
    const QString english = save();
    QTranslator german;
    QVERIFY(german.load(u":/i18n/tandril_de.qm"_s));
    QCoreApplication::installTranslator(&german);
    Preferences editor({prompter, services, panel}, home.path());
    QCOMPARE(editor.findChild<QComboBox*>(u"s_soundcard"_s)->itemText(0), u"Keine"_s);
    // Its longer labels widen the window it opens at, so that nothing of the form is cut off.
    const auto* scroll = editor.findChild<QScrollArea*>(u"settingsScrollArea"_s);
    QVERIFY(editor.width() >= scroll->widget()->sizeHint().width());
    const QString inGerman = save();
    QCoreApplication::removeTranslator(&german);
    QVERIFY(english.contains(u"\nsbtype=none\n"_s));
    QCOMPARE(inGerman, english);
}

QTEST_MAIN(TranslationsTest)
#include "tst_translations.moc"
