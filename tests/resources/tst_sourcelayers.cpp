#include <QDirIterator>
#include <QRegularExpression>
#include <QTest>

using namespace Qt::StringLiterals;

// The folders are layers: platform, then library, then launch, exchange and settings side by
// side, then app. A file includes only from its own layer and those below, and the core (every
// folder but a widgets/ one) never from a layer's windows.
class SourceLayersTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void everyIncludeLooksDownwards();
};

namespace {

int rankOf(const QString& folder)
{
    static const QHash<QString, int> ranks{{u"platform"_s, 0}, {u"library"_s, 1},  {u"launch"_s, 2},
                                           {u"exchange"_s, 2}, {u"settings"_s, 2}, {u"app"_s, 3}};
    return ranks.value(folder, -1);
}

bool isWindowCode(const QString& path)
{
    return path.contains(u"/widgets/"_s) || path == u"app/main.cpp"_s;
}

} // namespace

void SourceLayersTest::everyIncludeLooksDownwards()
{
    const QDir source(QStringLiteral(TANDRIL_SOURCE_DIR));
    static const QRegularExpression include(u"^#include \"([^\"]+)\""_s, QRegularExpression::MultilineOption);
    QStringList wrong;
    int files = 0;
    for (const QString& folder :
         {u"platform"_s, u"library"_s, u"launch"_s, u"exchange"_s, u"settings"_s, u"app"_s}) {
        QDirIterator it(source.filePath(folder), {u"*.h"_s, u"*.cpp"_s}, QDir::Files,
                        QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString path = source.relativeFilePath(it.next());
            QFile file(source.filePath(path));
            QVERIFY(file.open(QIODevice::ReadOnly));
            ++files;
            for (const QRegularExpressionMatch& match :
                 include.globalMatch(QString::fromUtf8(file.readAll()))) {
                const QString included = match.captured(1);
                const QString target = included.section(u'/', 0, 0);
                const int rank = rankOf(target);
                if (rank < 0)
                    continue;
                const bool upwards = rank > rankOf(folder) || (rank == rankOf(folder) && target != folder);
                if (upwards || (isWindowCode(included) && !isWindowCode(path)))
                    wrong.append(path + u" includes "_s + included);
            }
        }
    }
    QVERIFY(files > 100);
    QVERIFY2(wrong.isEmpty(), qPrintable(wrong.join(u'\n')));
}

QTEST_GUILESS_MAIN(SourceLayersTest)
#include "tst_sourcelayers.moc"
